// Formula 3's workbench: the fifteen option rows, the sweep over four section kinds with their own
// loops, the 28 table columns, the load-back and the 300-column table file.
#include "circular_pile/circular_pile_workbench.h"
#include "formula3/formula3_sheets.h"
#include "formula3/formula3_window.h"
#include "framework/number_text.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace qianyan {

namespace col = layer_column;

namespace {

using Shown = WorkbenchColumn::Shown;

constexpr std::array<OptionRow, 15> optionGrid{{
    {OptionKind::Code, {"桩身截面类型", "1", "4", "1", "圆桩1/椭圆桩2/矩形桩3/方桩4"}},
    {OptionKind::Range, {"桩身直径 d(mm)", "1000", "2000", "500", "桩径取值范围"}},
    {OptionKind::Range, {"椭圆直段长度 c(mm)", "1000", "2000", "500", "椭圆直段取值范围"}},
    {OptionKind::Range, {"矩形桩长边尺寸 a(mm)", "2000", "3000", "500", "矩形桩长边取值范围"}},
    {OptionKind::Range, {"矩形桩短边尺寸 b(mm)", "1000", "2000", "500", "矩形桩短边取值范围"}},
    {OptionKind::Range, {"方桩边长 a(mm)", "1000", "2000", "500", "方桩边长取值范围"}},
    {OptionKind::Range,
     {"嵌岩深度 hr(mm)", "2.0d", "3.0d", "1.0d", "矩形为短边倍数,也可直接输入数值(不可混用)"}},
    {OptionKind::Range, {"岩石强度 frk(MPa)", "35.00", "40.00", "5.00", "岩石单轴抗压强度标准值取值应大于0"}},
    {OptionKind::Grade, {"混凝土强度等级", "C25", "C30", "5", "混凝土强度等级范围C25～C60"}},
    {OptionKind::Process, {"成桩工艺", "1", "2", "1", "干作业成孔(清底干净)1/泥浆护壁2/泥浆护壁后注浆3"}},
    {OptionKind::Code,
     {"等效直径算法", "1", "2", "1",
      "面积相等1/周长相等2/imax3/imin4/截面长边5/截面短边6/最大包络7/最小包络8"}},
    {OptionKind::Code, {"截面面积周长", "1", "2", "1", "按基桩原截面1/按等效桩径确定的虚拟圆截面2"}},
    {OptionKind::Blank, {"", "", "", "", ""}},
    {OptionKind::Filter, {"筛选 Ra、Raz(kN)", "12000", "13000", "", "筛选条件一，输入0不起控制作用"}},
    {OptionKind::Filter, {"筛选 Rc(kN)", "6000", "8000", "", "筛选条件二，输入0不起控制作用"}},
}};
constexpr std::size_t sectionRow = 0;
constexpr int raFilterRow = 13, rcFilterRow = 14;

constexpr std::array<WorkbenchColumn, 28> columns{{
    {"01_Str_YHzhuangbianhao", "桩编号", Shown::Always},
    {"02_Str_YHjmlx", "截面类型", Shown::Always},
    {"03_Str_YHzhuangD", "d|a(mm)", Shown::Always},
    {"04_Str_YHzhuangC", "c|b(mm)", Shown::Always},
    {"05_Str_YHRa", "Ra(kN)", Shown::Always},
    {"06_Str_YHRaZW", "Raz(kN)", Shown::Always},
    {"07_Str_YHzhuangHr", "hr(mm)", Shown::Expanded},
    {"08_Str_YHfrk", "frk(MPa)", Shown::Expanded},
    {"09_Str_YHczgy", "成桩工艺", Shown::Expanded},
    {"10_Str_YHdeqsf", "等效算法", Shown::Expanded},
    {"11_Str_YHdeq", "deq(mm)", Shown::Expanded},
    {"12_Str_YHsjb", "hr/deq", Shown::Expanded},
    {"13_Str_YHjmqz", "截面取值", Shown::Expanded},
    {"14_Str_YHkesais", "ζs", Shown::Expanded},
    {"15_Str_YHQrs", "Qrs(kN)", Shown::Expanded},
    {"16_Str_YHQrsper", "侧阻占比", Shown::Expanded},
    {"17_Str_YHkesaip", "ζp", Shown::Expanded},
    {"18_Str_YHQrp", "Qrp(kN)", Shown::Expanded},
    {"19_Str_YHQrpper", "端阻占比", Shown::Expanded},
    {"20_Str_YHQrk", "Qrk(kN)", Shown::Expanded},
    {"21_Str_YHkesair", "ζr", Shown::Expanded},
    {"22_Str_YHQrkz", "Qrkz(kN)", Shown::Expanded},
    {"23_Str_YHRaRaz", "Ra/Raz", Shown::Always},
    {"24_Str_YHhnt", "混凝土", Shown::Expanded},
    {"25_Str_YHPsai", "ψc", Shown::Expanded},
    {"26_Str_YHRc", "Rc(kN)", Shown::Always},
    {"27_Str_YHjydcd", "坚硬程度", Shown::Expanded},
    {"28_Str_YHhgpd", "合规判定", Shown::Expanded},
}};
enum Column : std::size_t {
    label,
    section,
    firstDimension,
    secondDimension,
    ra,
    raz,
    depth,
    strength,
    process,
    algorithm,
    deq,
    depthRatio,
    areaBasis,
    zetaS,
    qrs,
    sideShare,
    zetaP,
    qrp,
    endShare,
    qrk,
    zetaR,
    qrkz,
    raToRaz,
    grade,
    psiC,
    rc,
    rockClass,
    verdict,
    columnCount
};

constexpr std::array<SortColumn, 5> sortColumns{{
    {firstDimension, "d", "d|a(mm)"},
    {ra, "Ra", "Ra(kN)"},
    {raz, "Raz", "Raz(kN)"},
    {raToRaz, "Ra/Raz", "Ra/Raz", SortKey::NumberBeforePercent},
    {rc, "Rc", "Rc(kN)"},
}};
constexpr std::array<FilterRow, 2> filters{{{raFilterRow, {ra, raz}}, {rcFilterRow, {rc, -1}}}};
constexpr std::array<BoundsWrite, 2> bounds{{{ra, raFilterRow}, {rc, rcFilterRow}}};

// A table-file row: the label, the section, four dimension cells (d, c, a, b; "-" where the section has
// none), then these.
constexpr TableFileCell sectionCell{section, 8, true, 2};
constexpr TableFileCell dimensionCell{firstDimension, 6, false, 4};
constexpr TableFileCell absentDimensionCell{-1, 8, true, 2, "-"};
constexpr std::array<TableFileCell, 24> fileCellsAfterDimensions{{
    {depth, 6, false, 4},    {strength, 6, false, 4},   {process, 8, true, 2},   {algorithm, 8, true, 2},
    {deq, 8, true, 2},       {depthRatio, 6, false, 4}, {areaBasis, 8, true, 2}, {zetaS, 8, true, 2},
    {qrs, 7, false, 3},      {sideShare, 6, false, 4},  {zetaP, 8, true, 2},     {qrp, 7, false, 3},
    {endShare, 6, false, 4}, {qrk, 7, false, 3},        {ra, 7, false, 3},       {zetaR, 8, true, 2},
    {qrkz, 7, false, 3},     {raz, 7, false, 3},        {raToRaz, 6, false, 4},  {grade, 8, true, 2},
    {psiC, 8, true, 2},      {rc, 7, false, 3},         {rockClass, 8, true, 2}, {verdict, 8, true, 1},
}};

constexpr std::array<std::string_view, 4> sectionNames{"圆  桩", "椭圆桩", "矩形桩", "方  桩"};
constexpr std::array<std::string_view, 2> areaBasisNames{"原始截面", "虚拟圆形"};

using P = SweptParameter;
constexpr std::array circleLoops{P::Diameter, P::SocketDepth, P::RockStrength, P::Grade, P::Process};
constexpr std::array obroundLoops{P::Diameter,     P::StraightLength, P::Algorithm, P::SocketDepth,
                                  P::RockStrength, P::Grade,          P::Process,   P::AreaMode};
constexpr std::array rectangleLoops{P::LongSide,     P::ShortSide, P::Algorithm, P::SocketDepth,
                                    P::RockStrength, P::Grade,     P::Process,   P::AreaMode};
constexpr std::array squareLoops{P::SquareSide, P::Algorithm, P::SocketDepth, P::RockStrength,
                                 P::Grade,      P::Process,   P::AreaMode};

constexpr bool isDimension(SweptParameter p) {
    return p <= P::SquareSide;
}

constexpr std::size_t optionRowOf(SweptParameter p) {
    return static_cast<std::size_t>(p) + 1;
}

// The item of the section list: circle, obround, and the rectangle for both rectangles and squares.
int sectionItem(SweptSection s) {
    return s == SweptSection::Square ? 2 : static_cast<int>(s) - 1;
}

std::string_view sectionName(SweptSection s) {
    return sectionNames[static_cast<std::size_t>(s) - 1];
}

std::optional<SweptSection> sectionOfName(std::string_view name) {
    const auto found = std::find(sectionNames.begin(), sectionNames.end(), name);
    if (found == sectionNames.end()) return std::nullopt;
    return static_cast<SweptSection>(found - sectionNames.begin() + 1);
}

// Depths of rectangles and squares are multiples of the shorter side b.
bool measuredBySide(SweptSection s) {
    return s == SweptSection::Rectangle || s == SweptSection::Square;
}

std::string_view psiCText(int processIndex) {
    static const std::array<std::string, 3> texts{fixed(constructionProcesses[0].psiC, 10, 2),
                                                  fixed(constructionProcesses[1].psiC, 10, 2),
                                                  fixed(constructionProcesses[2].psiC, 10, 2)};
    return texts.at(static_cast<std::size_t>(processIndex));
}

// A share as the tables show it, or "-" where there is none (a whole of 0, or beyond the numbers).
std::string percentText(const std::optional<double>& percent) {
    return percent && std::isfinite(*percent) ? fixed(*percent, 10, 0) + "%" : "-";
}

struct OptionCells {
    std::string_view minimum, maximum, step;
};

OptionCells optionCells(const TextTable& grid, std::size_t row) {
    return {grid.cell(row, 1), grid.cell(row, 2), grid.cell(row, 3)};
}

// A code row: whole numbers, minimum and maximum clamped into first...last.
SweepRange codeRange(const TextTable& grid, std::size_t row, long long first, long long last) {
    const OptionCells c = optionCells(grid, row);
    return integerRangeRule(std::clamp(readInteger(c.minimum), first, last),
                            std::clamp(readInteger(c.maximum), first, last), readInteger(c.step));
}

// The grade row: grade numbers rounded down to multiples of 5 within 25...60, the step a multiple of 5.
SweepRange gradeRange(const TextTable& grid, std::size_t row) {
    constexpr long long lowest = 25, highest = 60, gradeStep = 5;
    const OptionCells c = optionCells(grid, row);
    const auto gradeOf = [&](std::string_view cell) {
        return std::clamp(gradeNumberOfText(cell) / gradeStep * gradeStep, lowest, highest);
    };
    const long long first = gradeOf(c.minimum), last = gradeOf(c.maximum);
    const long long step = readInteger(c.step);
    return integerRangeRule(first, last, step < gradeStep ? gradeStep : step / gradeStep * gradeStep);
}

} // namespace

std::span<const SweptParameter> sweptLoops(SweptSection section) {
    switch (section) {
    case SweptSection::Circle:
        return circleLoops;
    case SweptSection::Obround:
        return obroundLoops;
    case SweptSection::Rectangle:
        return rectangleLoops;
    case SweptSection::Square:
        break;
    }
    return squareLoops;
}

const WorkbenchDeclaration& TVOR_FRM_KELD3::workbenchDeclaration() {
    static const WorkbenchDeclaration layout{
        optionGrid,
        columns,
        sortColumns,
        filters,
        bounds,
        {verdict, "超规", argb::red},
        300,
        // The column headers as they have always been printed: the second line is four columns short.
        " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  嵌岩深度  岩石强度  "
        "成    桩  等效直径  等效直径  深 径 比  截面计算  侧阻系数  极限侧阻  极限侧阻  "
        "端阻系数  极限端阻  极限端阻  嵌岩阻力  桩承载力  综合系数  嵌岩阻力  桩承载力  "
        "两者比较  桩混凝土  工艺系数  桩身强度  岩石坚硬  计算结果 ",
        " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)     hr(m)   frk(MPa)  "
        "工    艺  算    法   deq(mm)   hr/deq   取值依据    ζs      Qsr(kN)  占百分比    "
        "ζp      Qpr(kN)  占百分比   Qrk(kN)   Ra(kN)    ζr      Qrkz(kN)   Raz(kN)   "
        "Ra/Raz   强度等级    ψc      Rc(kN)   程    度  合规判定 ",
        {},
        formula3Note,
        {firstDimension, raz, {process, strength}},
    };
    return layout;
}

std::unique_ptr<CalculatorFrame> TVOR_FRM_KELD3::clone() const {
    return std::make_unique<TVOR_FRM_KELD3>(*this);
}

std::vector<LoopCounts> TVOR_FRM_KELD3::readOptionRows() {
    const TextTable& grid = workbench.Grid1_Youhuaxuanxiang.rows;
    Formula3Sweep& s = sweep_;
    // Each row is checked as soon as it is read, so a refused row leaves the later ones unread.
    const auto numberRow = [&](SweptParameter p, std::string_view negativeMessage) {
        const OptionCells c = optionCells(grid, optionRowOf(p));
        const double a = readStrict(c.minimum), b = readStrict(c.maximum), step = readStrict(c.step);
        if (a < 0 || b < 0) workbench.refuse(negativeMessage);
        s.range(p) = rangeRule(a, b, step);
    };

    const SweepRange codes = codeRange(grid, sectionRow, 1, 4);
    numberRow(P::Diameter, "桩径不能为负值");
    numberRow(P::StraightLength, "椭圆直段不能为负值");
    numberRow(P::LongSide, "矩形长边不能为负值");
    numberRow(P::ShortSide, "矩形短边不能为负值");
    numberRow(P::SquareSide, "方形边长不能为负值");

    const OptionCells depthCells = optionCells(grid, optionRowOf(P::SocketDepth));
    s.depthInMultiples = depthCells.minimum.find('d') != std::string_view::npos;
    const auto readDepth = [&](std::string_view cell) {
        return s.depthInMultiples ? depthFactor(cell) : readStrict(cell);
    };
    s.range(P::SocketDepth) =
        rangeRule(readDepth(depthCells.minimum), readDepth(depthCells.maximum), readDepth(depthCells.step));

    numberRow(P::RockStrength, "岩石单轴抗压强度不能为负值");
    s.range(P::Grade) = gradeRange(grid, optionRowOf(P::Grade));
    s.range(P::Process) = codeRange(grid, optionRowOf(P::Process), 1, 3);
    s.range(P::Algorithm) = codeRange(grid, optionRowOf(P::Algorithm), 1, 8);
    s.range(P::AreaMode) = codeRange(grid, optionRowOf(P::AreaMode), 1, 2);
    s.circleAreaMode = static_cast<int>(s.range(P::AreaMode).first) - 1;

    s.sections.clear();
    std::vector<LoopCounts> kinds;
    double code = codes.first;
    for (std::uint64_t i = 0; i < codes.count; ++i, code = codes.valueAfter(code)) {
        const auto section = static_cast<SweptSection>(static_cast<int>(code));
        s.sections.push_back(section);
        LoopCounts& counts = kinds.emplace_back();
        for (const SweptParameter p : sweptLoops(section)) counts.push_back(s.range(p).count);
    }
    return kinds;
}

void TVOR_FRM_KELD3::writeCandidate(std::size_t kind, const CandidateStep& step) {
    Formula3Sweep& s = sweep_;
    const std::span<const SweptParameter> loops = sweptLoops(s.sections.at(kind));
    const std::size_t firstChanged = step.firstChanged;
    bool dimensionsChanged = false;
    for (std::size_t i = firstChanged; i < loops.size(); ++i) {
        const SweptParameter p = loops[i];
        s.value(p) = step.value(s.range(p), i, s.value(p));
        dimensionsChanged = dimensionsChanged || isDimension(p);
    }
    if (step.startsKind()) startSweptSection(s.sections[kind]);
    if (dimensionsChanged) writeSweptDimensions();

    // Inputs of the loops before firstChanged already hold their values; the depth loop lies inside the
    // dimension loops, so a new section size always brings a new socket length.
    const auto item = [&](SweptParameter p) { return static_cast<int>(s.value(p)); };
    for (std::size_t i = firstChanged; i < loops.size(); ++i) {
        switch (loops[i]) {
        case P::SocketDepth:
            writeSweptSocketLength();
            break;
        case P::RockStrength:
            writeLayerCell(col::rockStrength, fixed(s.value(P::RockStrength), 10, 2));
            break;
        case P::Grade:
            selectInputItem(cbb_hnt, gradeIndexOfNumber(item(P::Grade)));
            break;
        case P::Process:
            selectInputItem(cbb_czgy, item(P::Process) - 1);
            break;
        case P::Algorithm:
            selectInputItem(cbb_deqcheck, item(P::Algorithm) - 1);
            break;
        case P::AreaMode:
            selectInputItem(cbb_JmApU, item(P::AreaMode) - 1);
            break;
        default:
            break; // the dimensions, written above
        }
    }
}

// Every candidate is one layer with interpolated coefficients; the section list follows the kind.
void TVOR_FRM_KELD3::startSweptSection(SweptSection section) {
    sweep_.section = section;
    selectInputItem(cbb_yanchengshu, 0);
    selectInputItem(cbb_chezhuxishu, static_cast<int>(CoefficientSource::Interpolated));
    selectInputItem(cbb_jmlx, sectionItem(section));
    if (section == SweptSection::Circle) selectInputItem(cbb_JmApU, sweep_.circleAreaMode);
}

// Both fields are written together: the compute puts a rectangle's longer side first, so the field of a
// dimension that did not change may hold the other one.
void TVOR_FRM_KELD3::writeSweptDimensions() {
    Formula3Sweep& s = sweep_;
    switch (s.section) {
    case SweptSection::Circle:
        writeInput(cbe_dd, general(s.value(P::Diameter)));
        writeInput(cbe_tyzd, "0");
        break;
    case SweptSection::Obround:
        writeInput(cbe_dd, general(s.value(P::Diameter)));
        writeInput(cbe_tyzd, general(s.value(P::StraightLength)));
        break;
    case SweptSection::Rectangle:
        writeInput(cbe_dd, general(s.value(P::LongSide)));
        writeInput(cbe_tyzd, general(s.value(P::ShortSide)));
        break;
    case SweptSection::Square: {
        const std::string side = general(s.value(P::SquareSide));
        writeInput(cbe_dd, side);
        writeInput(cbe_tyzd, side);
        break;
    }
    }
}

void TVOR_FRM_KELD3::writeSweptSocketLength() {
    Formula3Sweep& s = sweep_;
    const double depth = s.value(P::SocketDepth);
    if (!s.depthInMultiples) {
        s.depthLabel = fixed(depth, 10, 0);
        writeLayerCell(col::socketLength, fixed(depth / 1000, 10, 2));
        return;
    }
    double size = s.value(P::Diameter);
    if (s.section == SweptSection::Rectangle) size = std::min(s.value(P::LongSide), s.value(P::ShortSide));
    if (s.section == SweptSection::Square) size = s.value(P::SquareSide);
    s.depthLabel = fixed(depth, 10, 1) + (measuredBySide(s.section) ? "b" : "d");
    writeLayerCell(col::socketLength, fixed(depth * size / 1000, 10, 2));
}

void TVOR_FRM_KELD3::writeLayerCell(std::size_t column, std::string_view text) {
    if (StringGrid_KELD3.rows.cell(0, column) == text) return;
    StringGrid_KELD3.rows.setCell(0, column, text);
    StringGrid_KELD3EditingDone(0, static_cast<int>(column));
}

void TVOR_FRM_KELD3::appendCandidateRow(TextTable& table, std::string_view candidate) {
    const TextTable& layers = StringGrid_KELD3.rows;
    const auto layer = [&](std::size_t column) { return cellNumber(layers, 0, column); };
    const bool circle = sweep_.section == SweptSection::Circle;
    const double raValue = readStrict(edt_ra.text), razValue = readStrict(edt_RaZW.text);
    const std::optional<double> side = percentOf(layer(col::sideResistance), layer(col::totalResistance));
    const std::optional<double> end = side ? std::optional(100 - *side) : std::nullopt;

    const std::string razText = fixed(razValue, 10, 0);
    const std::string ratioText = fixed(layer(col::interpolationRatio), 10, 2);
    const std::string zetaSText = fixed(layer(col::sideUsed), 10, 4);
    const std::string qrsText = fixed(layer(col::sideResistance), 10, 0);
    const std::string sideText = percentText(side);
    const std::string zetaPText = fixed(layer(col::endUsed), 10, 4);
    const std::string qrpText = fixed(layer(col::endResistance), 10, 0);
    const std::string endText = percentText(end);
    const std::string qrkText = fixed(layer(col::totalResistance), 10, 0);
    // Raz, Qrkz and Ra/Raz come from the shown texts, so they carry the precision mode.
    const std::string qrkzText = fixed(2 * razValue, 10, 0);
    const std::string raRazText = percentText(percentOf(raValue, razValue));
    const std::array<std::string_view, columnCount> cells{
        candidate,
        sectionName(sweep_.section),
        cbe_dd.text,
        circle ? std::string_view("-") : std::string_view(cbe_tyzd.text),
        edt_ra.text,
        razText,
        sweep_.depthLabel,
        layers.cell(0, col::rockStrength),
        constructionProcesses.at(static_cast<std::size_t>(cbb_czgy.itemIndex)).shortName,
        circle ? std::string_view("-")
               : algorithmShortNames.at(static_cast<std::size_t>(cbb_deqcheck.itemIndex)),
        edt_ddeq.text,
        ratioText,
        areaBasisNames.at(circle ? 0 : static_cast<std::size_t>(cbb_JmApU.itemIndex)),
        zetaSText,
        qrsText,
        sideText,
        zetaPText,
        qrpText,
        endText,
        qrkText,
        edt_kersair.text,
        qrkzText,
        raRazText,
        cbb_hnt.text,
        psiCText(cbb_czgy.itemIndex),
        edt_Rc.text,
        layers.cell(0, col::rockClass),
        lastCompliant_ ? "合规" : "超规",
    };
    table.appendRow(cells);
}

void TVOR_FRM_KELD3::loadCandidate(const TextTable& table, std::size_t row) {
    const auto cell = [&](std::size_t column) { return table.cell(row, column); };
    const std::optional<SweptSection> loaded = sectionOfName(cell(section));
    if (!loaded) return;
    const bool bySide = measuredBySide(*loaded);
    selectInputItem(cbb_jmlx, sectionItem(*loaded));
    writeInput(cbe_dd, cell(firstDimension));
    writeInput(cbe_tyzd, *loaded == SweptSection::Circle ? std::string_view("0") : cell(secondDimension));

    const std::string_view depthText = cell(depth);
    const std::size_t letter = depthText.find(bySide ? 'b' : 'd');
    const double metres = letter == std::string_view::npos
                              ? readStrict(depthText) / 1000
                              : readStrict(depthText.substr(0, letter)) *
                                    readStrict(cell(bySide ? secondDimension : firstDimension)) / 1000;
    writeLayerCell(col::socketLength, fixed(metres, 10, 2));
    writeLayerCell(col::rockStrength, cell(strength));

    selectInputItem(cbb_hnt, gradeIndexOfNumber(static_cast<int>(gradeNumberOfText(cell(grade)))));
    const int processIndex = processIndexOfShortName(cell(process));
    if (processIndex >= 0) selectInputItem(cbb_czgy, processIndex);
    const auto named = std::find(algorithmShortNames.begin(), algorithmShortNames.end(), cell(algorithm));
    if (named != algorithmShortNames.end())
        selectInputItem(cbb_deqcheck, static_cast<int>(named - algorithmShortNames.begin()));
    const auto basis = std::find(areaBasisNames.begin(), areaBasisNames.end(), cell(areaBasis));
    if (basis != areaBasisNames.end())
        selectInputItem(cbb_JmApU, static_cast<int>(basis - areaBasisNames.begin()));
    selectInputItem(cbb_yanchengshu, 0);
    selectInputItem(cbb_chezhuxishu, static_cast<int>(CoefficientSource::Interpolated));

    clearOutputs(allOutputs());
}

void TVOR_FRM_KELD3::writeTableFileCells(std::string& line, const TextTable& table, std::size_t row) {
    const auto cell = [&](std::size_t column) { return table.cell(row, column); };
    appendTableFileCell(line, cell(section), sectionCell);
    // d and c for the circle (no c) and the obround, a and b for rectangles and squares.
    const std::optional<SweptSection> kind = sectionOfName(cell(section));
    const bool rectangular = kind && measuredBySide(*kind);
    const bool straight = kind == SweptSection::Obround;
    const std::array<std::optional<std::string_view>, 4> dimensions{
        rectangular ? std::nullopt : std::optional(cell(firstDimension)),
        straight ? std::optional(cell(secondDimension)) : std::nullopt,
        rectangular ? std::optional(cell(firstDimension)) : std::nullopt,
        rectangular ? std::optional(cell(secondDimension)) : std::nullopt,
    };
    for (const auto& dimension : dimensions)
        appendTableFileCell(line, dimension.value_or(absentDimensionCell.text),
                            dimension ? dimensionCell : absentDimensionCell);
    for (const TableFileCell& c : fileCellsAfterDimensions)
        appendTableFileCell(line, cell(static_cast<std::size_t>(c.column)), c);
}

} // namespace qianyan

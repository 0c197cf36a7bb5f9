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

// A share as the tables show it, or "-" where there is none (a whole of 0, or beyond the numbers).
std::string percentText(const std::optional<double>& percent) {
    return percent && std::isfinite(*percent) ? fixed(*percent, 10, 0) + "%" : "-";
}

using W = TVOR_FRM_KELD3;

const W& window(const CalculatorFrame& frame) {
    return static_cast<const W&>(frame);
}
bool isCircle(const CalculatorFrame& frame) {
    return window(frame).sweep().section == SweptSection::Circle;
}
// A number of the candidate's one rock layer as the computation left it.
double layerNumber(const CalculatorFrame& frame, std::size_t column) {
    return cellNumber(window(frame).StringGrid_KELD3.rows, 0, column);
}
std::optional<double> sidePercent(const CalculatorFrame& frame) {
    return percentOf(layerNumber(frame, col::sideResistance), layerNumber(frame, col::totalResistance));
}
// A cell that is a number of the layer with the given decimals.
template <std::size_t column, int decimals>
std::string_view layerCell(const CalculatorFrame& frame, std::string& scratch) {
    return scratch = fixed(layerNumber(frame, column), 10, decimals);
}
// Raz from its shown text, so that it carries the precision mode, as Qrkz and Ra/Raz do.
double shownRaz(const CalculatorFrame& frame) {
    return readStrict(window(frame).edt_RaZW.text);
}

// The four dimension cells of a table-file row (d, c, a, b), "-" where the section has none; written
// from the section and dimension columns.
void writeDimensionCells(std::string& line, std::span<const std::string_view> row);

// A table-file cell ten columns wide with its blanks: right-aligned in width, or centred in 8.
constexpr TableFileCell rightCell(int place, int width, std::string_view header1, std::string_view header2) {
    return {.place = place, .width = width, .blanksAfter = 10 - width, .header = {header1, header2}};
}
constexpr TableFileCell centredCell(int place, std::string_view header1, std::string_view header2) {
    return {.place = place, .width = 8, .centred = true, .blanksAfter = 2, .header = {header1, header2}};
}

// The table file's cells follow the layout of the calculation sheet's rows, not the order of the columns.
constexpr std::array<WorkbenchColumn, 28> columns{{
    candidateLabelColumn,
    {.name = "Str_YHjmlx",
     .header = "截面类型",
     .shown = Shown::Always,
     .file = centredCell(1, "桩身截面  ", "类    型  "),
     .source = [](const CalculatorFrame& w, std::string&) { return sectionName(window(w).sweep().section); }},
    {.name = "Str_YHzhuangD",
     .header = "d|a(mm)",
     .shown = Shown::Always,
     .sort = ColumnSort{"d"},
     .file = TableFileCell{.place = 2,
                           .header = {"桩身直径  椭圆直段  矩形长边  矩形短边  ",
                                      "  d(mm)     c(mm)     a(mm)     b(mm)   "},
                           .write = writeDimensionCells},
     .source = controlText<&W::cbe_dd>},
    {.name = "Str_YHzhuangC",
     .header = "c|b(mm)",
     .shown = Shown::Always,
     .source = [](const CalculatorFrame& w, std::string&) -> std::string_view {
         return isCircle(w) ? std::string_view("-") : std::string_view(window(w).cbe_tyzd.text);
     }},
    {.name = "Str_YHRa",
     .header = "Ra(kN)",
     .shown = Shown::Always,
     .sort = ColumnSort{"Ra"},
     .file = rightCell(17, 7, "桩承载力  ", " Ra(kN)   "),
     .source = controlText<&W::edt_ra>},
    {.name = "Str_YHRaZW",
     .header = "Raz(kN)",
     .shown = Shown::Always,
     .sort = ColumnSort{"Raz"},
     .file = rightCell(20, 7, "桩承载力  ", " Raz(kN)  "),
     .source = [](const CalculatorFrame& w, std::string& scratch) -> std::string_view {
         return scratch = fixed(shownRaz(w), 10, 0);
     }},
    {.name = "Str_YHzhuangHr",
     .header = "hr(mm)",
     .file = rightCell(3, 6, "嵌岩深度  ", "  hr(m)   "),
     .source = [](const CalculatorFrame& w, std::string&) -> std::string_view {
         return window(w).sweep().depthLabel;
     }},
    {.name = "Str_YHfrk",
     .header = "frk(MPa)",
     .file = rightCell(4, 6, "岩石强度  ", "frk(MPa)  "),
     .source = [](const CalculatorFrame& w,
                  std::string&) { return window(w).StringGrid_KELD3.rows.cell(0, col::rockStrength); }},
    {.name = "Str_YHczgy",
     .header = "成桩工艺",
     .file = centredCell(5, "成    桩  ", "工    艺  "),
     .source =
         [](const CalculatorFrame& w, std::string&) {
             return constructionProcesses.at(static_cast<std::size_t>(window(w).cbb_czgy.itemIndex))
                 .shortName;
         }},
    {.name = "Str_YHdeqsf",
     .header = "等效算法",
     .file = centredCell(6, "等效直径  ", "算    法  "),
     .source = [](const CalculatorFrame& w, std::string&) -> std::string_view {
         return isCircle(w)
                    ? "-"
                    : algorithmShortNames.at(static_cast<std::size_t>(window(w).cbb_deqcheck.itemIndex));
     }},
    {.name = "Str_YHdeq",
     .header = "deq(mm)",
     .file = centredCell(7, "等效直径  ", " deq(mm)  "),
     .source = controlText<&W::edt_ddeq>},
    {.name = "Str_YHsjb",
     .header = "hr/deq",
     .file = rightCell(8, 6, "深 径 比  ", " hr/deq   "),
     .source = layerCell<col::interpolationRatio, 2>},
    {.name = "Str_YHjmqz",
     .header = "截面取值",
     .file = centredCell(9, "截面计算  ", "取值依据  "),
     .source =
         [](const CalculatorFrame& w, std::string&) {
             return areaBasisNames.at(isCircle(w) ? 0
                                                  : static_cast<std::size_t>(window(w).cbb_JmApU.itemIndex));
         }},
    {.name = "Str_YHkesais",
     .header = "ζs",
     .file = centredCell(10, "侧阻系数  ", "  ζs     "),
     .source = layerCell<col::sideUsed, 4>},
    {.name = "Str_YHQrs",
     .header = "Qrs(kN)",
     .file = rightCell(11, 7, "极限侧阻  ", " Qsr(kN)  "),
     .source = layerCell<col::sideResistance, 0>},
    {.name = "Str_YHQrsper",
     .header = "侧阻占比",
     .file = rightCell(12, 6, "极限侧阻  ", "占百分比  "),
     .source = [](const CalculatorFrame& w, std::string& scratch) -> std::string_view {
         return scratch = percentText(sidePercent(w));
     }},
    {.name = "Str_YHkesaip",
     .header = "ζp",
     .file = centredCell(13, "端阻系数  ", "  ζp     "),
     .source = layerCell<col::endUsed, 4>},
    {.name = "Str_YHQrp",
     .header = "Qrp(kN)",
     .file = rightCell(14, 7, "极限端阻  ", " Qpr(kN)  "),
     .source = layerCell<col::endResistance, 0>},
    {.name = "Str_YHQrpper",
     .header = "端阻占比",
     .file = rightCell(15, 6, "极限端阻  ", "占百分比  "),
     .source = [](const CalculatorFrame& w, std::string& scratch) -> std::string_view {
         const std::optional<double> side = sidePercent(w);
         return scratch = percentText(side ? std::optional(100 - *side) : std::nullopt);
     }},
    {.name = "Str_YHQrk",
     .header = "Qrk(kN)",
     .file = rightCell(16, 7, "嵌岩阻力  ", " Qrk(kN)  "),
     .source = layerCell<col::totalResistance, 0>},
    {.name = "Str_YHkesair",
     .header = "ζr",
     .file = centredCell(18, "综合系数  ", " ζr      "),
     .source = controlText<&W::edt_kersair>},
    {.name = "Str_YHQrkz",
     .header = "Qrkz(kN)",
     .file = rightCell(19, 7, "嵌岩阻力  ", "Qrkz(kN)  "),
     .source = [](const CalculatorFrame& w, std::string& scratch) -> std::string_view {
         return scratch = fixed(2 * shownRaz(w), 10, 0);
     }},
    {.name = "Str_YHRaRaz",
     .header = "Ra/Raz",
     .shown = Shown::Always,
     .sort = ColumnSort{"Ra/Raz", SortKey::NumberBeforePercent},
     .file = rightCell(21, 6, "两者比较  ", " Ra/Raz   "),
     .source = [](const CalculatorFrame& w, std::string& scratch) -> std::string_view {
         return scratch = percentText(percentOf(readStrict(window(w).edt_ra.text), shownRaz(w)));
     }},
    {.name = "Str_YHhnt",
     .header = "混凝土",
     .file = centredCell(22, "桩混凝土  ", "强度等级  "),
     .source = controlText<&W::cbb_hnt>},
    {.name = "Str_YHPsai",
     .header = "ψc",
     .file = centredCell(23, "工艺系数  ", "  ψc     "),
     .source = [](const CalculatorFrame& w, std::string&) { return psiCText(window(w).cbb_czgy.itemIndex); }},
    {.name = "Str_YHRc",
     .header = "Rc(kN)",
     .shown = Shown::Always,
     .sort = ColumnSort{"Rc"},
     .file = rightCell(24, 7, "桩身强度  ", " Rc(kN)   "),
     .source = controlText<&W::edt_Rc>},
    {.name = "Str_YHjydcd",
     .header = "坚硬程度",
     .file = centredCell(25, "岩石坚硬  ", "程    度  "),
     .source = [](const CalculatorFrame& w,
                  std::string&) { return window(w).StringGrid_KELD3.rows.cell(0, col::rockClass); }},
    {.name = "Str_YHhgpd",
     .header = "合规判定",
     .file = TableFileCell{.place = 26,
                           .width = 8,
                           .centred = true,
                           .blanksAfter = 1,
                           .header = {"计算结果 ", "合规判定 "}},
     .source = [](const CalculatorFrame& w, std::string&) -> std::string_view {
         return window(w).lastCompliant() ? "合规" : "超规";
     }},
}};
constexpr std::size_t section = columnIndex(columns, "Str_YHjmlx"),
                      firstDimension = columnIndex(columns, "Str_YHzhuangD"),
                      secondDimension = columnIndex(columns, "Str_YHzhuangC"),
                      ra = columnIndex(columns, "Str_YHRa"), raz = columnIndex(columns, "Str_YHRaZW"),
                      depth = columnIndex(columns, "Str_YHzhuangHr"),
                      strength = columnIndex(columns, "Str_YHfrk"),
                      process = columnIndex(columns, "Str_YHczgy"),
                      algorithm = columnIndex(columns, "Str_YHdeqsf"),
                      areaBasis = columnIndex(columns, "Str_YHjmqz"),
                      grade = columnIndex(columns, "Str_YHhnt"), rc = columnIndex(columns, "Str_YHRc"),
                      verdict = columnIndex(columns, "Str_YHhgpd");

constexpr std::array<FilterRow, 2> filters{{{raFilterRow, {ra, raz}}, {rcFilterRow, {rc, -1}}}};
constexpr std::array<BoundsWrite, 2> bounds{{{ra, raFilterRow}, {rc, rcFilterRow}}};

void writeDimensionCells(std::string& line, std::span<const std::string_view> row) {
    constexpr TableFileCell present{.width = 6, .blanksAfter = 4};
    constexpr TableFileCell absent{.width = 8, .centred = true, .blanksAfter = 2};
    // d and c for the circle (no c) and the obround, a and b for rectangles and squares.
    const std::optional<SweptSection> kind = sectionOfName(row[section]);
    const bool rectangular = kind && measuredBySide(*kind);
    const bool straight = kind == SweptSection::Obround;
    const std::array<std::optional<std::string_view>, 4> dimensions{
        rectangular ? std::nullopt : std::optional(row[firstDimension]),
        straight ? std::optional(row[secondDimension]) : std::nullopt,
        rectangular ? std::optional(row[firstDimension]) : std::nullopt,
        rectangular ? std::optional(row[secondDimension]) : std::nullopt,
    };
    for (const auto& dimension : dimensions)
        appendTableFileCell(line, dimension.value_or("-"), dimension ? present : absent);
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
        .options = optionGrid,
        .columns = columns,
        .filters = filters,
        .bounds = bounds,
        .rowStyle = {.column = static_cast<int>(verdict), .text = "超规", .color = argb::red},
        .fileWidth = 300,
        .fileNote = formula3Note,
        .chart = {.x = firstDimension,
                  .y = raz,
                  .colours = {static_cast<int>(process), static_cast<int>(strength)}},
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
        s.range(p) = numberRange(workbench, optionRowOf(p), negativeMessage, readStrict);
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

} // namespace qianyan

#include "formula3/formula3_sheets.h"

#include "circular_pile/circular_pile_sheets.h"
#include "framework/number_text.h"
#include "framework/text_layout.h"

#include <array>

namespace qianyan {

namespace col = layer_column;

namespace {

const std::string d39 = docRule(39);
const std::string dash = "-";

std::string_view sectionName(const SectionGeometry& g) {
    switch (g.type) {
    case SectionType::Circle:
        return "圆  桩";
    case SectionType::Obround:
        return "椭圆桩";
    case SectionType::Rectangle:
        break;
    }
    return g.first == g.second ? "方  桩" : "矩形桩";
}

std::string_view algorithmShortName(const SectionGeometry& g) {
    return g.nonCircular ? algorithmShortNames[static_cast<std::size_t>(g.algorithm)] : "-";
}

std::string_view areaBasis(const SectionGeometry& g) {
    return g.areaMode == AreaMode::VirtualCircle ? "虚拟圆形" : "原始截面";
}

std::string_view processShortName(const Formula3SheetInputs& in) {
    return constructionProcesses.at(static_cast<std::size_t>(in.processIndex)).shortName;
}

// A share in the sheets with its "%", or "-" when Qrk (or Qrkz) is 0.
std::string sheetShare(const std::optional<double>& percent, PrecisionMode mode) {
    return percent ? modeShare(*percent, mode, 10) + "%" : dash;
}

// A share line of the Doc body: the value right in 9 and "%", or "-".
std::string docShareLine(std::string_view label, const std::optional<double>& percent, int precision) {
    return percent ? docValue(label, fixed(*percent, precision, 2), 9, "%") : docValue(label, dash, 9);
}

// ---- Xls row ----

XlsRow amountPlaced(std::string_view text, PrecisionMode mode) {
    return wideAmounts(mode) ? xlsCell(text, 8, 2) : xlsCell(text, 7, 3);
}

XlsRow sharePlaced(const std::optional<double>& percent, PrecisionMode mode) {
    const std::string text = sheetShare(percent, mode);
    return wideAmounts(mode) ? xlsCell(text, 7, 3) : xlsCell(text, 6, 4);
}

// A dimension cell: the typed text where the section has that dimension, else "-".
XlsRow dimensionCell(bool present, std::string_view text) {
    return present ? xlsCell(text, 6, 4) : xlsCentredCell(dash, 8, 2);
}

XlsRow xlsRow(const Formula3SheetInputs& in, const Formula3Result& r) {
    const SectionGeometry& g = r.geometry;
    const PrecisionMode mode = in.mode;
    const bool rectangle = g.type == SectionType::Rectangle;
    XlsRow row = xlsLead(3) + xlsLeftCell(in.pileLabel, 6, 2) + xlsCentredCell(sectionName(g), 8, 2);
    row += dimensionCell(!rectangle, in.firstText);
    row += dimensionCell(g.type == SectionType::Obround, in.secondText);
    row += dimensionCell(rectangle, in.firstText);
    row += dimensionCell(rectangle, in.secondText);
    row += xlsCentredCell(algorithmShortName(g), 8, 2);
    row += xlsCell(in.deqText, 6, 4);
    row += xlsLeftCell(areaBasis(g), 8, 2);
    row += xlsCell(fixed(r.layers.totalLength, 11, 2), 6, 4);
    row += xlsLeftCell(processShortName(in), 8, 2);
    row += amountPlaced(sheetAmount(r.sideResistance, mode), mode) + sharePlaced(r.sideShare, mode);
    row += amountPlaced(sheetAmount(r.endResistance, mode), mode) + sharePlaced(r.endShare, mode);
    row += amountPlaced(sheetAmount(r.qrk, mode), mode) + amountPlaced(sheetAmount(r.ra, mode), mode);
    row += amountPlaced(sheetAmount(r.qrkz, mode), mode) + amountPlaced(in.raByZetaRText, mode);
    row += sharePlaced(r.qrkToQrkz, mode);
    row += xlsCell(in.gradeText, 6, 4) + xlsCell(fixed(r.layers.psiC, 3, 2), 6, 4);
    row += amountPlaced(sheetAmount(r.rc, mode), mode);
    row += xlsCentredCell(r.compliant ? "合规" : "超规", 8, 1);
    return row;
}

// ---- Doc block ----

constexpr std::array<std::string_view, 8> algorithmLines{
    "      非圆桩等效直径算法:      按面积相等折算", "      非圆桩等效直径算法:      按周长相等折算",
    "      非圆桩等效直径算法:  取四倍最大回转半径", "      非圆桩等效直径算法:  取四倍最小回转半径",
    "      非圆桩等效直径算法:      取截面长边尺寸", "      非圆桩等效直径算法:      取截面短边尺寸",
    "      非圆桩等效直径算法:    取折算包络最大值", "      非圆桩等效直径算法:    取折算包络最小值"};
constexpr std::array<std::string_view, 8> deqLabels{
    "  4.1 按面积相等折算的等效直径deq:    ", "  4.1 按周长相等折算的等效直径deq:    ",
    "  4.1 取四倍最大回转半径的等效直径deq:", "  4.1 取四倍最小回转半径的等效直径deq:",
    "  4.1 取截面长边尺寸折算的等效直径deq:", "  4.1 取截面短边尺寸折算的等效直径deq:",
    "  4.1 取折算包络最大值的等效直径deq:  ", "  4.1 取折算包络最小值的等效直径deq:  "};
constexpr std::array<std::string_view, 7> strengthRuleHeaders{
    "      层  (插值用) (插值用) 桩端岩层 (插值用)", "      层  (插值用) (插值用) 最 上 层 (插值用)",
    "      层  (插值用) (插值用) 层实际值 (插值用)", "      层  (插值用) (插值用) 最 小 值 (插值用)",
    "      层  (插值用) (插值用) 最 大 值 (插值用)", "      层  (插值用) (插值用) 算术平均 (插值用)",
    "      层  (插值用) (插值用) 加权平均 (插值用)"};
constexpr std::array<std::string_view, 4> coefficientSourceHeaders{
    "      层  侧阻系数 端阻系数  (指定)   (指定) ", "      层  侧阻系数 端阻系数  (插值)   (插值) ",
    "      层  侧阻系数 端阻系数  (取大)   (取大) ", "      层  侧阻系数 端阻系数  (取小)   (取小) "};

DocLines docSectionInputLines(const Formula3SheetInputs& in, const SectionGeometry& g) {
    DocLines lines;
    switch (g.type) {
    case SectionType::Circle:
        lines = {"      桩身截面类型:                      圆桩",
                 docValue("      桩身直径d:                   ", in.firstText, 10, " mm")};
        break;
    case SectionType::Obround:
        lines = {"      桩身截面类型:                    椭圆桩",
                 docValue("      桩身直径d:                   ", in.firstText, 10, " mm"),
                 docValue("      椭圆直段长度c:               ", in.secondText, 10, " mm")};
        break;
    case SectionType::Rectangle:
        lines = {"      桩身截面类型:                    矩形桩",
                 docValue("      矩形长边尺寸a:               ", in.firstText, 10, " mm"),
                 docValue("      矩形短边尺寸b:               ", in.secondText, 10, " mm")};
        break;
    }
    if (g.nonCircular) {
        lines.emplace_back(algorithmLines[static_cast<std::size_t>(g.algorithm)]);
        lines.emplace_back(g.areaMode == AreaMode::RealSection
                               ? "      非圆桩截面面积周长:      按原始截面计算"
                               : "      非圆桩截面面积周长:    按虚拟圆截面计算");
    }
    lines.push_back(docValue("      桩身混凝土强度等级:          ", in.gradeText, 10));
    lines.push_back(docHeading(docValue("  2.2 基桩成桩工艺:", in.processText, 26)));
    return lines;
}

DocLines docOptionLines(const Formula3SheetInputs& in, std::size_t layerCount) {
    DocLines lines{docHeading("  2.3 基岩参数"), docValue("      嵌岩段岩层数:", in.layerCountText, 26),
                   docValue("      侧阻端阻系数:", in.sourceText, 26)};
    if (layerCount < 2) return lines;
    if (in.options.source == CoefficientSource::Typed) {
        lines.push_back(docValue("      计算嵌岩段阻力:", in.resistanceStrengthText, 24));
        return lines;
    }
    lines.insert(lines.end(),
                 {"      岩石强度取值:", docValue("      ①定侧阻端阻系数:", in.interpolationStrengthText, 22),
                  docValue("      ②计算嵌岩段阻力:", in.resistanceStrengthText, 22),
                  "      嵌岩深度取值:", docValue("      ①定各岩层深径比:", in.depthRuleText, 22),
                  docValue("      ②嵌岩长度起算点:", in.lengthStartText, 22)});
    if (!in.options.beyondCodeDepth) {
        lines.emplace_back("      自动插值采用的嵌岩深度突破规范限值:  否");
        return lines;
    }
    lines.emplace_back("      自动插值采用的嵌岩深度突破规范限值:  是");
    lines.push_back(in.endReductionTicked
                        ? docValue("      嵌岩深度突破规范限值时端阻系数折减:", in.endReductionText, 4)
                        : "      嵌岩深度突破规范限值时端阻系数折减:  否");
    return lines;
}

// A computed column as a number with fixed decimals, right in width, then gap blanks.
std::string numberCell(const TextTable& t, std::size_t row, std::size_t column, int precision, int decimals,
                       int width, int gap) {
    return placedRight(fixed(cellNumber(t, row, column), precision, decimals), width, gap);
}

std::string dashCell(int gap) {
    return centre(dash, 8) + spaces(gap);
}

// Columns 14 and 15 hold values on the last layer only.
std::string lastLayerCell(const TextTable& t, std::size_t row, std::size_t column, int gap) {
    return t.cell(row, column).empty() ? dashCell(1) : numberCell(t, row, column, 9, 2, 8, gap);
}

DocLines docLayerInputLines(const Formula3SheetInputs& in) {
    const TextTable& t = in.layers;
    const bool typedShown = in.options.source != CoefficientSource::Interpolated;
    const auto typed = [&](std::size_t row, std::size_t column) {
        const std::string_view text = t.cell(row, column);
        return text.empty() ? std::string_view("0.0000") : text;
    };
    return joined(
        {{docHeading("      岩层参数:"), docTableHeader(d39)},
         docLayerTable("      岩  嵌岩长度 岩石强度 指定侧阻 指定端阻",
                       "      层   lr(m)   frk(MPa) 系数ζs  系数ζp ", d39, t, 2, [&](std::size_t row) {
                           std::string cells = placedRight(t.cell(row, col::socketLength), 7, 2) +
                                               placedRight(t.cell(row, col::rockStrength), 7, 2);
                           cells += typedShown ? placedRight(typed(row, col::typedSide), 7, 2) +
                                                     placedRight(typed(row, col::typedEnd), 7, 1)
                                               : dashCell(1) + centre(dash, 8);
                           return cells;
                       })});
}

DocLines docBeyondCodeLines(const Formula3SheetInputs& in) {
    if (in.options.source == CoefficientSource::Typed) return {};
    if (!in.options.beyondCodeDepth)
        return {docHeading("  2.4 超规选项"), "      侧阻力计算采用的嵌岩深度突破规范限值:否"};
    DocLines lines{docHeading("  2.4 超规选项"), "      侧阻力计算采用的嵌岩深度突破规范限值:是"};
    if (in.endReductionTicked) {
        lines.emplace_back("      突破限值时端阻系数进行折减:          是");
        lines.push_back(docValue("      折减系数:                    ", in.endReductionText, 10));
    } else {
        lines.emplace_back("      突破限值时端阻系数进行折减:          否");
    }
    return lines;
}

DocLines docSectionValueLines(const Formula3SheetInputs& in, const SectionGeometry& g) {
    const std::string area = fixed(g.area / 1e6, 6, 2), perimeter = fixed(g.perimeter / 1000, 6, 2);
    if (!g.nonCircular)
        return {docHeading(docValue("  4.1 桩身直径d(deq):              ", in.firstText, 10, " mm")),
                docValue("      桩身截面面积Ap(Aps):         ", area, 10, " m^2"),
                docValue("      桩身截面周长μ:              ", perimeter, 10, " m")};
    const bool real = g.areaMode == AreaMode::RealSection;
    return {docHeading(docValue(deqLabels[static_cast<std::size_t>(g.algorithm)], in.deqText, 7, " mm")),
            docValue(real ? "      非圆桩原始截面面积Ap(Aps):   " : "      非圆桩虚拟圆截面面积Ap(Aps): ",
                     area, 10, " m^2"),
            docValue(real ? "      非圆桩原始截面周长μ:        " : "      非圆桩虚拟圆截面周长μ:      ",
                     perimeter, 10, " m")};
}

DocLines docLayerTables(const Formula3SheetInputs& in) {
    const TextTable& t = in.layers;
    const bool typed = in.options.source == CoefficientSource::Typed;
    const std::string_view strengthHeader =
        t.rowCount() < 2 ? strengthRuleHeaders[2]
                         : strengthRuleHeaders[static_cast<std::size_t>(in.options.interpolationStrength)];
    return joined({
        {docHeading("  4.2 岩层阻力计算"), docTableHeader(d39)},
        docLayerTable("      岩  嵌岩深度 深 径 比 岩石强度 岩石强度", strengthHeader, d39, t, 2,
                      [&](std::size_t row) {
                          return numberCell(t, row, col::interpolationDepth, 6, 2, 7, 2) +
                                 numberCell(t, row, col::interpolationRatio, 6, 2, 7, 2) +
                                 numberCell(t, row, col::interpolationStrength, 6, 2, 7, 2) +
                                 numberCell(t, row, col::interpolationStrength, 6, 2, 7, 1);
                      }),
        docLayerTable("      岩  自动插值 自动插值 侧阻系数 端阻系数",
                      coefficientSourceHeaders[static_cast<std::size_t>(in.options.source)], d39, t, 2,
                      [&](std::size_t row) {
                          const std::string interpolated =
                              typed ? dashCell(1) + dashCell(1)
                                    : numberCell(t, row, col::interpolatedSide, 6, 4, 7, 2) +
                                          numberCell(t, row, col::interpolatedEnd, 6, 4, 7, 2);
                          return interpolated + numberCell(t, row, col::sideUsed, 6, 4, 7, 2) +
                                 numberCell(t, row, col::endUsed, 6, 4, 7, 1);
                      }),
        docLayerTable("      岩  侧阻力计 承载力计 总 阻 力 端 阻 力",
                      "      层  算用 lr  算用 frk  Qrk(kN)  Qrp(kN)", d39, t, 2,
                      [&](std::size_t row) {
                          return numberCell(t, row, col::sideLength, 6, 2, 7, 2) +
                                 numberCell(t, row, col::sideStrength, 6, 2, 7, 2) +
                                 lastLayerCell(t, row, col::totalResistance, 1) +
                                 lastLayerCell(t, row, col::endResistance, 0);
                      }),
        docLayerTable("      岩   ∑Qrsi  层侧阻力 侧阻比例 岩石坚硬",
                      "      层    (kN)   Qrsi(kN) Qrsi/Qrk 程    度", d39, t, 1,
                      [&](std::size_t row) {
                          return numberCell(t, row, col::sideRunningSum, 9, 2, 9, 1) +
                                 numberCell(t, row, col::sideResistance, 9, 2, 8, 1) +
                                 placedRight(t.cell(row, col::shareText), 7, 2) +
                                 centre(t.cell(row, col::rockClass), 8);
                      }),
    });
}

DocLines docResultLines(const Formula3SheetInputs& in, const Formula3Result& r) {
    const RockLayerQuantities& q = r.layers;
    DocLines lines{
        docHeading(
            docValue("  4.3 嵌岩段总极限侧阻力标准值Qrs: ", fixed(r.sideResistance, 10, 2), 10, " kN")),
        docValue("      嵌岩段总极限端阻力标准值Qrp: ", fixed(r.endResistance, 10, 2), 10, " kN"),
        docHeading(docValue("  4.4 嵌岩段总极限阻力标准值Qrk:   ", fixed(r.qrk, 10, 2), 10, " kN")),
        docShareLine("      嵌岩段总极限侧阻力占百分比:  ", r.sideShare, 10),
        docShareLine("      嵌岩段总极限端阻力占百分比:  ", r.endShare, 10),
        docHeading("  4.5 土的总极限侧阻力标准值Qsk(不考虑): 0.00 kN"),
        docHeading(docValue("  4.6 桩竖向极限承载力标准值Quk:   ", fixed(r.qrk, 10, 2), 10, " kN")),
        "      安全系数K:                         2.00",
        docValue("      单桩竖向承载力特征值Ra:      ", fixed(r.ra, 10, 2), 10, " kN"),
        r.compliant ? "      竖向承载力特征值计算结果判定:      合规"
                    : "      竖向承载力特征值计算结果判定:      超规",
    };
    const DocLines body = docPileBodyLines("4.7", in.processText, q.psiC, r.fc, r.rc);
    lines.insert(lines.end(), body.begin(), body.end());
    lines.insert(lines.end(),
                 {docHeading("  4.8 按规范综合系数法进行校核"),
                  docValue("      持力层岩层:   ", "第" + std::to_string(q.layerCount) + "层", 25),
                  docValue("      嵌岩深度hr:  ", fixed(q.bearingLength, 10, 2), 26, " m"),
                  docValue(r.geometry.nonCircular ? "      嵌岩深径比hr/deq:" : "      嵌岩深径比hr/d:  ",
                           fixed(q.bearingRatio, 10, 2), 22)});
    if (r.check.clamped)
        lines.push_back(
            docValue("      计算承载力采用的嵌岩深径比:  ", fixed(r.check.effectiveRatio, 10, 2), 10));
    lines.insert(lines.end(),
                 {docValue("      嵌岩段侧阻和端阻综合系数ζr: ", fixed(r.zetaRCheck, 5, 4), 10),
                  docValue("      嵌岩段总极限侧阻力标准值Qrkz:", fixed(r.qrkz, 8, 2), 10, " kN"),
                  docValue("      综合系数法桩竖向承载力特征值:", fixed(r.qrkz / 2, 10, 2), 10, " kN"),
                  r.geometry.nonCircular ? "      综合系数法桩竖向承载力特征值判定:  超规"
                                         : "      综合系数法桩竖向承载力特征值判定:  合规",
                  docShareLine("      总极限阻力标准值相比Qrk/Qrkz:", r.qrkToQrkz, 7)});
    return lines;
}

DocLines docSummaryLines(const Formula3SheetInputs& in, const Formula3Result& r) {
    const SectionGeometry& g = r.geometry;
    const PrecisionMode mode = in.mode;
    const bool rectangle = g.type == SectionType::Rectangle;
    const DocLines lines = docSummaryHead(
        {.header1 = rectangle ? "      基    桩  桩身截面  矩形长边  矩形短边 "
                              : "      基    桩  桩身截面  桩身直径  椭圆直段 ",
         .header2 = rectangle ? "      编    号  类    型    a(mm)     b(mm)  "
                              : "      编    号  类    型    d(mm)     c(mm)  ",
         .pileLabel = in.pileLabel,
         .section = sectionName(g),
         .first = in.firstText,
         .second = g.type == SectionType::Circle ? std::string_view(dash) : std::string_view(in.secondText)});
    DocLines rowC = docSummaryTable("      极限侧阻  极限端阻  嵌岩阻力  桩承载力 ",
                                    "       Qrs(kN)   Qrp(kN)   Qrk(kN)   Ra(kN)  ",
                                    {sheetAmount(r.sideResistance, mode), sheetAmount(r.endResistance, mode),
                                     sheetAmount(r.qrk, mode), sheetAmount(r.ra, mode)});
    if (mode == PrecisionMode::OneDecimal) rowC[3].text += ' '; // Ra there is followed by two blanks
    return joined({lines,
                   docSummaryTable("      等效直径  等效直径  截面计算  嵌岩深度 ",
                                   "      算    法   deq(mm)  取值依据   hr(mm)  ",
                                   {std::string(algorithmShortName(g)), fixed(g.deq, 6, 0),
                                    std::string(areaBasis(g)), fixed(r.layers.totalLength, 11, 2)}),
                   rowC,
                   docSummaryTable("      与综合系  桩承载力  桩混凝土  桩身强度 ",
                                   "      数法比率  结果判定  强度等级   Rc(kN)  ",
                                   {r.qrkToQrkz ? fixed(*r.qrkToQrkz, 7, 2) + "%" : dash,
                                    r.compliant ? "合规" : "超规", in.gradeText, sheetAmount(r.rc, mode)})});
}

DocLines docBlock(const Formula3SheetInputs& in, const Formula3Result& r) {
    return joined({
        {docHeading("================== 嵌岩桩计算书 =================="),
         docHeading("1.基桩编号: " + in.pileLabel), docHeading("2.输入数据"), docHeading("  2.1 基桩参数")},
        docSectionInputLines(in, r.geometry),
        docOptionLines(in, in.layers.rowCount()),
        docLayerInputLines(in),
        docBeyondCodeLines(in),
        docCommentaryStandardLines(),
        {docHeading("4.承载力计算")},
        docSectionValueLines(in, r.geometry),
        docLayerTables(in),
        docResultLines(in, r),
        docSummaryLines(in, r),
    });
}

} // namespace

SheetDesign formula3SheetDesign(const Formula3SheetInputs& in, const Formula3Result& r) {
    return circularPileSheetDesign({formula3XlsWidth, formula3XlsColumns1, formula3XlsColumns2, formula3Note},
                                   xlsRow(in, r), docBlock(in, r));
}

} // namespace qianyan

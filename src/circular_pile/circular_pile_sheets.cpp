#include "circular_pile/circular_pile_sheets.h"

#include "design_data/design_data.h"
#include "framework/number_text.h"
#include "framework/text_layout.h"

namespace qianyan {

namespace {

const std::string sectionText = "圆  桩";

std::string d39() {
    return docRule(39);
}

} // namespace

XlsRow xlsRowHead(const CircularPileSheetInputs& in) {
    return xlsLead(3) + xlsLeftCell(in.pileLabel, 6, 2) + xlsCentredCell(sectionText, 8, 2) +
           xlsCell(in.diameterText, 6, 4) + xlsCell(in.depthText, 6, 4) + xlsCell(fixed(in.frk, 6, 2), 6, 4) +
           xlsLeftCell(constructionProcesses.at(static_cast<std::size_t>(in.processIndex)).shortName, 8, 2);
}

XlsRow xlsRowTail(const CircularPileSheetInputs& in, double psiC, double rc) {
    return xlsCell(in.gradeText, 6, 4) + xlsCell(fixed(psiC, 3, 2), 6, 4) + xlsAmountCell(rc, in.mode, 1);
}

DocLines docInputLines(const CircularPileSheetInputs& in) {
    return {
        docHeading("================== 嵌岩桩计算书 =================="),
        docHeading("1.基桩编号: " + in.pileLabel),
        docHeading("2.输入数据"),
        docHeading("  2.1 基桩参数"),
        "      桩身截面类型:                      圆桩",
        docValue("      桩身直径d:                   ", in.diameterText, 10, " mm"),
        docValue("      桩身嵌岩深度hr:              ", in.depthText, 10,
                 in.notation == DepthNotation::Millimetres ? " mm" : ""),
        docValue("      桩身混凝土强度等级:          ", in.gradeText, 10),
        docHeading("  2.2 基岩参数"),
        docValue("      岩石单轴抗压强度标准值frk:   ", fixed(in.frk, 6, 2), 10, " MPa"),
        docHeading(docValue("  2.3 基桩成桩工艺:", in.processText, 26)),
    };
}

DocLines docStandardLines(std::initializer_list<std::string_view> ownFormulas, int shift) {
    const std::string indent = spaces(17 + shift);
    DocLines lines{
        docHeading("3.采用规范及公式"),
        docHeading("  3.1 采用规范: 《建筑桩基技术规范》"),
        "                   (JGJ 94-2008)",
        docHeading("  3.2 规范公式:" + spaces(2 + shift) + "Ra=Quk/K             (5.2.2)"),
        indent + "Quk=Qsk+Qrk        (5.3.9-1)",
        indent + "Qsk=μ∑qsik.li    (5.3.9-2)",
    };
    for (const std::string_view formula : ownFormulas) lines.emplace_back(formula);
    lines.push_back(indent + "N≤ψc.fc.Aps      (5.8.2-2)");
    return lines;
}

DocLines docCommentaryStandardLines() {
    return docStandardLines({"                 Qrk=Qrs+Qrp       (条文说明)",
                             "                 Qrs=ζs.frk.μ.hr (条文说明)",
                             "                 Qrp=ζp.frk.Ap    (条文说明)"});
}

DocLines docSectionLines(const CircularPileSheetInputs& in, const DocSectionValues& v) {
    DocLines lines{
        docHeading("4.承载力计算"),
        docHeading(docValue("  4.1 桩身直径d:                   ", in.diameterText, 10, " mm")),
        docValue("      桩身截面面积Ap(Aps):         ", fixed(v.area, 6, 2), 10, v.areaUnit),
        docValue("      桩身截面周长μ:              ", fixed(v.perimeter, 6, 2), 10, " m"),
        docHeading(docValue("  4.2 岩石坚硬程度:              ", v.rockClass, 12)),
        docHeading(docValue("  4.3 嵌岩深径比hr/d:              ", fixed(v.depthRatio, 6, 2), 10)),
    };
    if (v.clamped)
        lines.push_back(docValue("      计算承载力采用的嵌岩深径比:  ", fixed(v.effectiveRatio, 6, 2), 10));
    return lines;
}

DocLines docPileBodyLines(std::string_view clause, std::string_view processText, double psiC, double fc,
                          double rc) {
    return {
        docHeading(docValue("  " + std::string(clause) + " 基桩成桩工艺:", processText, 26)),
        docValue("      基桩成桩工艺系数ψc:         ", fixed(psiC, 3, 2), 10),
        docValue("      桩身混凝土强度设计值fc:      ", fixed(fc, 6, 2), 10, " MPa"),
        docValue("      桩身正截面受压承载力设计值Rc:", fixed(rc, 10, 2), 10, " kN"),
    };
}

DocLines docSummaryHead(const DocSummaryHead& head) {
    return {
        docHeading("5.基桩主要数据汇总"),
        docTableHeader(d39()),
        docTableHeader(std::string(head.header1)),
        docTableHeader(std::string(head.header2)),
        docTableHeader(d39()),
        {spaces(8) + padRight(head.pileLabel, 6) + spaces(2) + centre(head.section, 8) + spaces(2) +
             centre(head.first, 8) + spaces(2) + centre(head.second, 8) + spaces(1),
         DocLineKind::TableRow},
        d39(),
    };
}

DocLines docSummaryHead(const CircularPileSheetInputs& in) {
    return docSummaryHead({.header1 = "      基    桩  桩身截面  桩身直径  嵌岩深度 ",
                           .header2 = "      编    号  类    型    d(mm)    hr(mm)  ",
                           .pileLabel = in.pileLabel,
                           .section = sectionText,
                           .first = in.diameterText,
                           .second = in.depthText});
}

DocLines docSummaryTable(std::string_view header1, std::string_view header2,
                         std::initializer_list<std::string> cells) {
    std::string row = spaces(6);
    for (const std::string& cell : cells) row += centre(cell, 8) + spaces(2);
    row.pop_back(); // the last cell is followed by one blank
    return {docTableHeader(std::string(header1)),
            docTableHeader(std::string(header2)),
            docTableHeader(d39()),
            {row, DocLineKind::TableRow},
            d39()};
}

SheetDesign circularPileSheetDesign(const XlsLayout& layout, XlsRow xlsRow, DocLines docBlock) {
    const std::string title = " 嵌岩桩计算书 ";
    const int side = (layout.width - displayWidth(title)) / 2;
    const std::string rule = repeated('-', layout.width);
    docBlock.push_back(blockRule());
    return SheetDesign{
        {repeated('=', side) + title + repeated('=', side), rule, std::string(layout.columns1),
         std::string(layout.columns2), rule},
        std::move(xlsRow),
        {rule, std::string(layout.note), repeated('=', layout.width)},
        std::move(docBlock),
    };
}

} // namespace qianyan

#include "formula2/formula2_sheets.h"

#include "framework/number_text.h"

namespace qianyan {

namespace {

// A share and its "%" in the Xls row: right 7 with decimals, right 6 without.
XlsRow shareCell(double percent, PrecisionMode mode) {
    const std::string text = modeShare(percent, mode) + "%";
    return wideAmounts(mode) ? xlsCell(text, 7, 3) : xlsCell(text, 6, 4);
}

XlsRow xlsRow(const CircularPileSheetInputs& in, const Formula2Result& r) {
    const SideEndCoefficients& c = r.coefficients;
    return xlsRowHead(in) + xlsCell(fixed(r.depthRatio, 6, 4), 7, 3) + xlsCell(fixed(c.zetaS, 5, 4), 7, 3) +
           xlsAmountCell(r.qrs, in.mode) + shareCell(r.sideShare, in.mode) +
           xlsCell(fixed(c.zetaP, 5, 4), 7, 3) + xlsAmountCell(r.qrp, in.mode) +
           shareCell(r.endShare, in.mode) + xlsAmountCell(r.qrk, in.mode) + xlsAmountCell(r.ra, in.mode) +
           xlsRowTail(in, r.body.psiC, r.body.rc);
}

DocLines docBlock(const CircularPileSheetInputs& in, std::string_view methodText, const Formula2Result& r) {
    const SideEndCoefficients& c = r.coefficients;
    const CircularPileBody& body = r.body;
    return joined({
        docInputLines(in),
        {docHeading(docValue("  2.4 侧阻力系数取值:", methodText, 24))},
        docCommentaryStandardLines(),
        docSectionLines(in,
                        {body.area, body.perimeter, r.rockClass, r.depthRatio, c.clamped, c.effectiveRatio}),
        {
            docHeading(docValue("  4.4 嵌岩段侧阻力计算采用嵌岩深度:", fixed(c.effectiveSocketDepth, 6, 0),
                                10, " mm")),
            docValue("      嵌岩段侧阻力系数ζs:         ", fixed(c.zetaS, 5, 4), 10),
            docValue("      嵌岩段总极限侧阻力标准值Qrs: ", fixed(r.qrs, 10, 2), 10, " kN"),
            docHeading(docValue("  4.5 嵌岩段端阻力系数ζp:         ", fixed(c.zetaP, 5, 4), 10)),
            docValue("      嵌岩段总极限端阻力标准值Qrp: ", fixed(r.qrp, 10, 2), 10, " kN"),
            docHeading(docValue("  4.6 嵌岩段总极限阻力标准值Qrk:   ", fixed(r.qrk, 10, 2), 10, " kN")),
            docValue("      嵌岩段总极限侧阻力所占比例:    ", fixed(r.sideShare, 7, 2), 7, "%"),
            docValue("      嵌岩段总极限端阻力所占比例:    ", fixed(r.endShare, 7, 2), 7, "%"),
            docHeading("  4.7 土的总极限侧阻力标准值Qsk(不考虑): 0.00 kN"),
            docHeading(docValue("  4.8 桩竖向极限承载力标准值Quk:   ", fixed(r.quk, 10, 2), 10, " kN")),
            "      安全系数K:                         2.00",
            docValue("      单桩竖向承载力特征值Ra:      ", fixed(r.ra, 10, 2), 10, " kN"),
        },
        docPileBodyLines("4.9", in.processText, body.psiC, body.fc, body.rc),
        {
            docHeading("  4.10按规范综合系数法进行校核"),
            docValue("      嵌岩段侧阻和端阻综合系数ζr: ", fixed(c.zetaR, 5, 4), 10),
            docValue("      嵌岩段总极限阻力标准值Qrkz:  ", fixed(r.qrkz, 10, 2), 10, " kN"),
            docValue("      综合系数法桩竖向承载力特征值:", fixed(r.raByZetaR, 10, 2), 10, " kN"),
            docValue("      总极限阻力标准值百分比Qrk/Qrkz:", fixed(r.qrkToQrkz, 7, 2), 7, "%"),
        },
        docSummaryHead(in),
        docSummaryTable("      岩石强度  极限侧阻  极限端阻  嵌岩阻力 ",
                        "      frk(MPa)   Qrs(kN)   Qrp(kN)   Qrk(kN) ",
                        {fixed(in.frk, 6, 2), sheetAmount(r.qrs, in.mode), sheetAmount(r.qrp, in.mode),
                         sheetAmount(r.qrk, in.mode)}),
        // Ra in this row has precision 6, not the sheet's 10.
        docSummaryTable("      桩承载力  桩混凝土  基桩成桩  桩身强度 ",
                        "       Ra(kN)   强度等级  工艺系数   Rc(kN)  ",
                        {modeAmount(r.ra, in.mode, 6), in.gradeText, fixed(body.psiC, 10, 2),
                         sheetAmount(body.rc, in.mode)}),
    });
}

} // namespace

SheetDesign formula2SheetDesign(const CircularPileSheetInputs& in, std::string_view methodText,
                                const Formula2Result& r) {
    return circularPileSheetDesign(
        {formula2XlsWidth, formula2XlsColumns()[0], formula2XlsColumns()[1], commentaryFormulasNote},
        xlsRow(in, r), docBlock(in, methodText, r));
}

} // namespace qianyan

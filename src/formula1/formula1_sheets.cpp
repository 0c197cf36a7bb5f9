#include "formula1/formula1_sheets.h"

#include "circular_pile/circular_pile_sheets.h"
#include "framework/number_text.h"

namespace qianyan {

namespace {

XlsRow xlsRow(const CircularPileSheetInputs& in, const Formula1Result& r) {
    return xlsRowHead(in) + xlsCell(fixed(r.depthRatio, 6, 2), 6, 4) + xlsCell(fixed(r.zetaR, 5, 4), 7, 3) +
           xlsAmountCell(r.qrk, in.mode) + xlsAmountCell(r.ra, in.mode) + xlsRowTail(in, r.psiC, r.rc);
}

DocLines docBlock(const CircularPileSheetInputs& in, const Formula1Result& r) {
    return joined({
        docInputLines(in),
        docStandardLines({"                 Qrk=ζr.frk.Ap     (5.3.9-3)"}),
        docSectionLines(in, {r.area, r.perimeter, r.rockClass, r.depthRatio, r.clamped, r.effectiveRatio}),
        {
            docValue("      嵌岩段侧阻和端阻综合系数ζr: ", fixed(r.zetaR, 5, 4), 10),
            docValue("      嵌岩段总极限阻力标准值Qrk:   ", fixed(r.qrk, 10, 2), 10, " kN"),
            docHeading("  4.4 土的总极限侧阻力标准值Qsk(不考虑): 0.00 kN"),
            docHeading(docValue("  4.5 桩竖向极限承载力标准值Quk:   ", fixed(r.quk, 10, 2), 10, " kN")),
            "      安全系数K:                         2.00",
            docValue("      单桩竖向承载力特征值Ra:      ", fixed(r.ra, 10, 2), 10, " kN"),
        },
        docPileBodyLines("4.6", in.processText, r.psiC, r.fc, r.rc),
        docSummaryHead(in),
        docSummaryTable(
            "      岩石强度  桩承载力  桩混凝土  桩身强度 ", "      frk(MPa)   Ra(kN)   强度等级   Rc(kN)  ",
            {fixed(in.frk, 6, 2), sheetAmount(r.ra, in.mode), in.gradeText, sheetAmount(r.rc, in.mode)}),
    });
}

} // namespace

SheetDesign formula1SheetDesign(const CircularPileSheetInputs& in, const Formula1Result& r) {
    return circularPileSheetDesign({130,
                                    " 基    桩  桩身截面  桩身直径  嵌岩深度  岩石强度  成    桩  深 径 比  "
                                    "综合系数  嵌岩阻力  桩承载力  "
                                    "桩混凝土  工艺系数  桩身强度 ",
                                    " 编    号  类    型    d(mm)    hr(mm)   frk(MPa)  工    艺    hr/d     "
                                    " ζr      Qrk(kN)   Ra(kN)   "
                                    "强度等级    ψc      Rc(kN)  ",
                                    standardFormulasNote},
                                   xlsRow(in, r), docBlock(in, r));
}

} // namespace qianyan

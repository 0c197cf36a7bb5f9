#include "formula1_soil/formula1_soil_sheets.h"

#include "formula1_soil/soil_layer_sheets.h"
#include "framework/number_text.h"

namespace qianyan {

namespace {

XlsRow xlsRow(const CircularPileSheetInputs& in, const Formula1Result& rock, const NetCapacity& net) {
    XlsRow row =
        xlsRowHead(in) + xlsCell(fixed(rock.depthRatio, 6, 2), 6, 4) + xlsCell(fixed(rock.zetaR, 5, 4), 7, 3);
    for (const double amount : {rock.qrk, net.qsk, net.quk, net.ra, net.qgn, net.raNet})
        row += xlsAmountCell(amount, in.mode);
    return row + xlsRowTail(in, rock.psiC, rock.rc);
}

// The formulas stand one column further right than in the other calculators' sheets.
DocLines standardLines(bool downDrag) {
    if (!downDrag) return docStandardLines({"                  Qrk=ζr.frk.Ap     (5.3.9-3)"}, 1);
    return docStandardLines(
        {"                  Qrk=ζr.frk.Ap     (5.3.9-3)", "                  Nk+Qgn≤Ra         (5.4.3-2)",
         "                  Qgn=μ∑qsin.li             ", "                  qsin=ξni.σi'     (5.4.4-1)",
         "                  σi'=p+σri'                ", "            i-1                               ",
         "      σri'=∑γe.△ze+(1/2)γi.△zi (5.4.4-2)", "            e=1                               "},
        1);
}

DocLines docBlock(const CircularPileSheetInputs& in, const Formula1Result& rock, const NetCapacity& net,
                  const SoilSheetInputs& soil) {
    const auto& side = soil.sideResistance;
    const auto& drag = soil.downDrag;
    const std::string percent = modeShare(net.percent, in.mode, 10) + "%";
    return joined({
        docInputLines(in),
        drag ? downDragInputLines(*drag) : DocLines{docHeading("  2.4 桩侧土嵌岩桩不考虑。")},
        side ? sideResistanceInputLines(*side) : DocLines{docHeading("  2.5 桩侧土体侧阻力不考虑。")},
        standardLines(drag.has_value()),
        docSectionLines(in, {rock.area, rock.perimeter, rock.rockClass, rock.depthRatio, rock.clamped,
                             rock.effectiveRatio, " m2"}),
        {
            docValue("      嵌岩段侧阻和端阻综合系数ζr: ", fixed(rock.zetaR, 5, 4), 10),
            docValue("      嵌岩段总极限阻力标准值Qrk:   ", fixed(rock.qrk, 10, 2), 10, " kN"),
        },
        side ? sideResistanceLines(*side, net.qsk)
             : DocLines{docHeading("  4.4 土的总极限侧阻力标准值Qsk(不考虑): 0.00 kN")},
        {
            docHeading(docValue("  4.5 桩竖向极限承载力标准值Quk:   ", fixed(net.quk, 10, 2), 10, " kN")),
            "      安全系数K:                         2.00",
            docValue("      单桩竖向承载力特征值Ra:      ", fixed(net.ra, 10, 2), 10, " kN"),
        },
        drag ? joined({downDragLines(*drag, net.qgn),
                       {docHeading(docValue("  4.7 单桩竖向净承载力特征值Ra':   ", fixed(net.raNet, 10, 2),
                                            10, " kN")),
                        docValue("      单桩净承载力特征值占比Ra'/Ra:", fixed(net.percent, 10, 2), 9, "%")}})
             : DocLines{docHeading("  4.6 桩侧土体引起的下拉荷载Qgn(不考虑): 0.00 kN")},
        docPileBodyLines(drag ? "4.8" : "4.7", in.processText, rock.psiC, rock.fc, rock.rc),
        docSummaryHead(in),
        docSummaryTable("      岩石强度  桩承载力  下拉荷载  净承载力 ",
                        "      frk(MPa)   Ra(kN)    Qgn(kN)   Ra'(kN) ",
                        {fixed(in.frk, 6, 2), sheetAmount(net.ra, in.mode), sheetAmount(net.qgn, in.mode),
                         sheetAmount(net.raNet, in.mode)}),
        docSummaryTable(
            "      净承载力  净承载力  桩混凝土  桩身强度 ", "      占百分比  结果判定  强度等级   Rc(kN)  ",
            {percent, net.raNet >= 0 ? "正常" : "异常", in.gradeText, sheetAmount(rock.rc, in.mode)}),
    });
}

} // namespace

SheetDesign formula1SoilSheetDesign(const CircularPileSheetInputs& in, const Formula1Result& rock,
                                    const NetCapacity& net, const SoilSheetInputs& soil) {
    return circularPileSheetDesign({170,
                                    " 基    桩  桩身截面  桩身直径  嵌岩深度  岩石强度  成    桩  深 径 比  "
                                    "综合系数  嵌岩阻力  土侧阻力  "
                                    "极限承载  桩承载力  下拉荷载  净承载力  桩混凝土  工艺系数  桩身强度 ",
                                    " 编    号  类    型    d(mm)    hr(mm)   frk(MPa)  工    艺    hr/d     "
                                    " ζr      Qrk(kN)   Qsk(kN)   "
                                    "Quk(kN)   Ra(kN)    Qgn(kN)   Ra'(kN)  强度等级    ψc      Rc(kN)  ",
                                    standardFormulasNote},
                                   xlsRow(in, rock, net), docBlock(in, rock, net, soil));
}

} // namespace qianyan

#include "formula2/formula2_window.h"

#include "formula2/formula2_sheets.h"
#include "framework/number_text.h"

namespace qianyan {

namespace {

constexpr CalculatorFrame::Titles titles{
    {0x5E17, 0x2B94, 0x71C3, 0x0A6F, 0x46D8, 0x1F3A, 0x63E5, 0x3C21, 0x0D9B},
    "035B773D19AA6810C9A54DA1E84447B6",
    "035B773D19AA457715CE9484E844",
    "D5B650030F106DF3",
};

constexpr std::string_view sideLabel = "侧阻力Qrs(kN)";
constexpr std::string_view endLabel = "端阻力Qrp(kN)";
// What the two combo-box handlers put back: the same text with a blank before "Qrp".
constexpr std::string_view endLabelOfComboHandlers = "端阻力 Qrp(kN)";

} // namespace

TVOR_FRM_KELD2::TVOR_FRM_KELD2(Platform& platform)
    : CircularPileWindow(platform, "TVOR_FRM_KELD2", titles),
      cbb_chezhuxishu(
          Control::list(ControlKind::ComboBox, {"综合与端阻系数差换算", "规范附录表格侧阻系数"}, 0)),
      edt_kesais(resultOutput()), edt_kesaip(resultOutput()), edt_Qrs(resultOutput()),
      edt_Qrp(resultOutput()), edt_Qrk(resultOutput()), edt_ra(resultOutput()),
      edt_raZW(Control::output(argb::blue)), edt_rc(resultOutput()),
      lb_Qrs(Control::label(std::string(sideLabel))), lb_Qrp(Control::label(std::string(endLabel))),
      lb_raZW(Control::label("规范综合系数法承载力(kN)")) {
    workbench.declare(workbenchDeclaration());
}

void TVOR_FRM_KELD2::declare(WindowDeclaration& d) {
    CircularPileWindow::declare(d);
    d.add(&MainFormLayer, {{"cbb_chezhuxishu", &cbb_chezhuxishu},
                           {"edt_kesais", &edt_kesais},
                           {"edt_kesaip", &edt_kesaip},
                           {"edt_Qrs", &edt_Qrs},
                           {"edt_Qrp", &edt_Qrp},
                           {"edt_Qrk", &edt_Qrk},
                           {"edt_ra", &edt_ra},
                           {"edt_raZW", &edt_raZW},
                           {"edt_rc", &edt_rc},
                           {"lb_Qrs", &lb_Qrs},
                           {"lb_Qrp", &lb_Qrp},
                           {"lb_raZW", &lb_raZW}});
    // The share labels go back to their plain texts; the two list handlers write "端阻力 Qrp(kN)".
    const auto labels = [this] { resetShareLabels(endLabel); };
    const auto listLabels = [this] { resetShareLabels(endLabelOfComboHandlers); };
    declareChanges(d,
                   {
                       {cbe_dd,
                        {&edt_kesais, &edt_kesaip, &edt_Qrs, &edt_Qrp, &edt_Qrk, &edt_ra, &edt_rc, &edt_raZW},
                        [this, labels] {
                            labels();
                            markDiameterText();
                        }},
                       {cbe_hr,
                        {&edt_kesais, &edt_kesaip, &edt_Qrs, &edt_Qrp, &edt_Qrk, &edt_ra, &edt_raZW},
                        [this, labels] {
                            labels();
                            clearStatusText();
                        }},
                       {edt_frk,
                        {&edt_kesais, &edt_kesaip, &edt_Qrs, &edt_Qrp, &edt_Qrk, &edt_ra, &edt_raZW},
                        [this, labels] {
                            labels();
                            markRockStrengthText();
                        }},
                       {cbe_hnt, {&edt_rc}},
                       {cbb_czgy,
                        {&edt_kesais, &edt_kesaip, &edt_Qrs, &edt_Qrp, &edt_Qrk, &edt_ra, &edt_raZW, &edt_rc},
                        listLabels},
                       {cbb_chezhuxishu, {&edt_kesais, &edt_Qrs, &edt_Qrk, &edt_ra}, listLabels},
                   });
    d.label(cbb_chezhuxishu, "侧阻系数");
}

void TVOR_FRM_KELD2::resetShareLabels(std::string_view endText) {
    lb_Qrs.text = sideLabel;
    lb_Qrp.text = endText;
}

TVOR_FRM_KELD2::Evaluated TVOR_FRM_KELD2::evaluated() {
    const CheckedInputs in = checkInputs();
    const Formula2Result r =
        evaluateFormula2({in.d, in.hr, in.frk, cbe_hnt.itemIndex, cbb_czgy.itemIndex,
                          static_cast<SideCoefficientMethod>(cbb_chezhuxishu.itemIndex)});
    requireFinite(cbe_dd, {r.body.area, r.body.perimeter, r.body.rc});
    requireFinite(edt_frk, {r.qrs, r.qrp, r.qrk, r.endShare, r.sideShare, r.ra, r.qrkz, r.qrkToQrkz});
    return {in, r};
}

TargetCapacity TVOR_FRM_KELD2::targetCapacity() {
    const Formula2Result r = evaluated().r;
    return {r.ra, r.body.rc};
}

void TVOR_FRM_KELD2::cbt_computeClick() {
    // The precision list stays open until the design has reached the sheets, so a choice that fails a
    // check leaves it shown.
    const auto [in, r] = evaluated();
    writeOutputs(r);
    if (workbenchOpen()) return;
    appendDesign(formula2SheetDesign(sheetInputs(in), cbb_chezhuxishu.text, r), {r.ra, r.body.rc});
    popbox_jingdu.visible = false;
}

void TVOR_FRM_KELD2::writeOutputs(const Formula2Result& r) {
    const SideEndCoefficients& c = r.coefficients;
    const PrecisionMode mode = precisionMode();
    for (Control* out : {&edt_kesais, &edt_kesaip, &edt_Qrs, &edt_Qrp, &edt_Qrk, &edt_ra})
        out->color = c.clamped ? argb::magenta : argb::green;
    edt_raZW.color = c.clamped ? argb::magenta : argb::blue;
    if (c.clamped) showStatus(depthRatioClampWarning, argb::magenta);

    edt_kesais.text = fixed(c.zetaS, 7, 4);
    edt_kesaip.text = fixed(c.zetaP, 7, 4);
    edt_Qrs.text = modeAmount(r.qrs, mode, 7);
    edt_Qrp.text = modeAmount(r.qrp, mode, 7);
    edt_Qrk.text = modeAmount(r.qrk, mode, 7);
    edt_ra.text = modeAmount(r.ra, mode, 7);
    // Qrkz/2 cut to tens or hundreds is trunc(Qrkz/20)·10 or trunc(Qrkz/200)·100: halving is exact.
    edt_raZW.text = modeAmount(r.raByZetaR, mode, 7);
    edt_rc.text = modeAmount(r.body.rc, mode, 7);
    lb_Qrs.text = std::string(sideLabel) + "[" + modeShare(r.sideShare, mode) + "%]";
    lb_Qrp.text = std::string(endLabel) + "[" + modeShare(r.endShare, mode) + "%]";
}

} // namespace qianyan

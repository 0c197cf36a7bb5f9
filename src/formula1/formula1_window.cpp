#include "formula1/formula1_window.h"

#include "formula1/formula1_sheets.h"
#include "framework/number_text.h"

namespace qianyan {

namespace {

constexpr CalculatorFrame::Titles titles{
    {0x3A5C, 0x1F27, 0x6B91, 0x0E4D, 0x52A3, 0x7C18, 0x2D66, 0x4F0B, 0x18E2},
    "6710438E03F86C32DDDE2E83A6C7349C",
    "6710438E03F8415501B5F7A6A6C7",
    "B1FD64B0154269D1",
};

} // namespace

TVOR_FRM_KELD1::TVOR_FRM_KELD1(Platform& platform)
    : CircularPileWindow(platform, "TVOR_FRM_KELD1", titles), edt_kesair(resultOutput()),
      edt_ra(resultOutput()), edt_rc(resultOutput()) {
    workbench.declare(workbenchDeclaration());
}

void TVOR_FRM_KELD1::declare(WindowDeclaration& d) {
    CircularPileWindow::declare(d);
    d.add(&MainFormLayer, {{"edt_kesair", &edt_kesair}, {"edt_ra", &edt_ra}, {"edt_rc", &edt_rc}});
    declareChanges(d, {
                          {cbe_dd, {&edt_kesair, &edt_ra, &edt_rc}, [this] { markDiameterText(); }},
                          {cbe_hr, {&edt_kesair, &edt_ra}, [this] { clearStatusText(); }},
                          {edt_frk, {&edt_kesair, &edt_ra}, [this] { markRockStrengthText(); }},
                          {cbe_hnt, {&edt_rc}},
                          {cbb_czgy, {&edt_kesair, &edt_ra, &edt_rc}},
                      });
}

TVOR_FRM_KELD1::Evaluated TVOR_FRM_KELD1::evaluated() {
    const CheckedInputs in = checkInputs();
    const Formula1Result r = evaluateFormula1({in.d, in.hr, in.frk, cbe_hnt.itemIndex, cbb_czgy.itemIndex});
    requireFinite(cbe_dd, {r.rc, r.area, r.perimeter});
    requireFinite(edt_frk, {r.qrk, r.ra});
    return {in, r};
}

TargetCapacity TVOR_FRM_KELD1::targetCapacity() {
    const Formula1Result r = evaluated().r;
    return {r.ra, r.rc};
}

void TVOR_FRM_KELD1::cbt_computeClick() {
    popbox_jingdu.visible = false;
    const auto [in, r] = evaluated();

    edt_kesair.text = fixed(r.zetaR, 7, 4);
    edt_kesair.color = edt_ra.color = r.clamped ? argb::magenta : argb::green;
    if (r.clamped) showStatus(depthRatioClampWarning, argb::magenta);
    edt_ra.text = modeAmount(r.ra, precisionMode(), 7);
    edt_rc.text = modeAmount(r.rc, precisionMode(), 7);
    if (workbenchOpen()) return;
    appendDesign(formula1SheetDesign(sheetInputs(in), r), {r.ra, r.rc});
}

} // namespace qianyan

#pragma once
// The Formula 2 window (separate side and end coefficients ζs and ζp) as a model: the side-coefficient
// method, its outputs with the check value by ζr, the share labels, change handlers and compute handler
// on top of the shared circular-pile inputs.
#include "circular_pile/circular_pile_window.h"
#include "formula2/formula2_evaluation.h"

namespace qianyan {

class TVOR_FRM_KELD2 : public CircularPileWindow {
public:
    explicit TVOR_FRM_KELD2(Platform& platform);

    std::string_view calculatorName() const override { return "公式二"; }

    Control cbb_chezhuxishu;
    Control edt_kesais, edt_kesaip, edt_Qrs, edt_Qrp, edt_Qrk, edt_ra, edt_raZW, edt_rc;
    Control lb_Qrs, lb_Qrp, lb_raZW;

    void cbt_computeClick() override;
    TargetCapacity targetCapacity() override;

    // The workbench adapter's own half (formula2_workbench.cpp).
    std::unique_ptr<CalculatorFrame> clone() const override;
    void loadCandidate(const TextTable& table, std::size_t row) override;

protected:
    void declare(WindowDeclaration& d) override;

private:
    static const WorkbenchDeclaration& workbenchDeclaration();
    // The compute handler's checks and evaluation.
    struct Evaluated {
        CheckedInputs in;
        Formula2Result r;
    };
    Evaluated evaluated();
    // The share labels back to their plain texts; the two combo handlers write "端阻力 Qrp(kN)".
    void resetShareLabels(std::string_view endLabel);
    void writeOutputs(const Formula2Result& r);
};

} // namespace qianyan

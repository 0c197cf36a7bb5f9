#pragma once
// The Formula 1 window (combined coefficient ζr) as a model: its outputs, change handlers and compute
// handler on top of the shared circular-pile inputs.
#include "circular_pile/circular_pile_window.h"
#include "formula1/formula1_evaluation.h"

namespace qianyan {

class TVOR_FRM_KELD1 : public CircularPileWindow {
public:
    explicit TVOR_FRM_KELD1(Platform& platform);

    std::string_view calculatorName() const override { return "公式一"; }

    Control edt_kesair, edt_ra, edt_rc;

    void cbt_computeClick() override;
    TargetCapacity targetCapacity() override;

    // The workbench adapter's own half (formula1_workbench.cpp).
    std::unique_ptr<CalculatorFrame> clone() const override;
    void loadCandidate(const TextTable& table, std::size_t row) override;

protected:
    void declare(WindowDeclaration& d) override;

private:
    static const WorkbenchDeclaration& workbenchDeclaration();
    // The compute handler's checks and evaluation.
    struct Evaluated {
        CheckedInputs in;
        Formula1Result r;
    };
    Evaluated evaluated();
};

} // namespace qianyan

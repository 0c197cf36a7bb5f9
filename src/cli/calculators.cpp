#include "cli/calculators.h"

#include "formula1/formula1_window.h"
#include "formula2/formula2_window.h"
#include "formula3/formula3_window.h"

namespace qianyan {

std::vector<std::string_view> calculatorNames() { return {"formula1", "formula2", "formula3"}; }

std::unique_ptr<CalculatorFrame> makeCalculator(std::string_view name, Platform& platform) {
    if (name == "formula1") return std::make_unique<TVOR_FRM_KELD1>(platform);
    if (name == "formula2") return std::make_unique<TVOR_FRM_KELD2>(platform);
    if (name == "formula3") return std::make_unique<TVOR_FRM_KELD3>(platform);
    return nullptr;
}

} // namespace qianyan

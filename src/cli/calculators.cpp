#include "cli/calculators.h"

#include "formula1/formula1_window.h"
#include "formula1_soil/formula1_soil_window.h"
#include "formula2/formula2_window.h"

namespace qianyan {

std::vector<std::string_view> calculatorNames() { return {"formula1", "formula1_soil", "formula2"}; }

std::unique_ptr<CalculatorFrame> makeCalculator(std::string_view name, Platform& platform) {
    if (name == "formula1") return std::make_unique<TVOR_FRM_KELD1>(platform);
    if (name == "formula1_soil") return std::make_unique<TVOR_FRM_KELD1_1>(platform);
    if (name == "formula2") return std::make_unique<TVOR_FRM_KELD2>(platform);
    return nullptr;
}

} // namespace qianyan

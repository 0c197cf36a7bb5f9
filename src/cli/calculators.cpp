#include "cli/calculators.h"

#include "formula1/formula1_window.h"
#include "formula1_soil/formula1_soil_window.h"
#include "formula2/formula2_window.h"
#include "formula3/formula3_window.h"
#include "framework/calculator_registry.h"

#include <array>

namespace qianyan {

namespace {

template <class Window> std::unique_ptr<CalculatorFrame> make(Platform& platform) {
    return std::make_unique<Window>(platform);
}

struct CalculatorModel {
    std::string_view name;
    std::unique_ptr<CalculatorFrame> (*make)(Platform&);
};

// The model type of each registry name: C++ cannot list the types of the linked libraries, so this is the
// one place besides the registry that names them (a test fails when the two differ). The options, the
// help and `open` follow the registry.
constexpr std::array models{
    CalculatorModel{"formula1", make<TVOR_FRM_KELD1>},
    CalculatorModel{"formula1_soil", make<TVOR_FRM_KELD1_1>},
    CalculatorModel{"formula2", make<TVOR_FRM_KELD2>},
    CalculatorModel{"formula3", make<TVOR_FRM_KELD3>},
};

} // namespace

std::vector<std::string_view> calculatorNames() {
    std::vector<std::string_view> names;
    for (const CalculatorEntry& c : calculators()) names.push_back(c.name);
    return names;
}

std::unique_ptr<CalculatorFrame> makeCalculator(std::string_view name, Platform& platform) {
    for (const CalculatorModel& m : models)
        if (m.name == name) return m.make(platform);
    return nullptr;
}

} // namespace qianyan

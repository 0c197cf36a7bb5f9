#include "cli/calculators.h"

#include "formula1/formula1_window.h"
#include "formula1_soil/formula1_soil_window.h"
#include "formula2/formula2_window.h"
#include "formula3/formula3_window.h"

#include <array>

namespace qianyan {

namespace {

template <class Window> std::unique_ptr<CalculatorFrame> make(Platform& platform) {
    return std::make_unique<Window>(platform);
}

struct CalculatorEntry {
    std::string_view name;
    std::unique_ptr<CalculatorFrame> (*make)(Platform&);
};

// A new calculator is one line here (and its library in src/cli/CMakeLists.txt); the options, the help
// and `open` pick it up.
constexpr std::array calculators{
    CalculatorEntry{"formula1", make<TVOR_FRM_KELD1>},
    CalculatorEntry{"formula1_soil", make<TVOR_FRM_KELD1_1>},
    CalculatorEntry{"formula2", make<TVOR_FRM_KELD2>},
    CalculatorEntry{"formula3", make<TVOR_FRM_KELD3>},
};

} // namespace

std::vector<std::string_view> calculatorNames() {
    std::vector<std::string_view> names;
    for (const CalculatorEntry& c : calculators) names.push_back(c.name);
    return names;
}

std::unique_ptr<CalculatorFrame> makeCalculator(std::string_view name, Platform& platform) {
    for (const CalculatorEntry& c : calculators)
        if (c.name == name) return c.make(platform);
    return nullptr;
}

} // namespace qianyan

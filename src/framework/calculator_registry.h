#pragma once
// The calculators of the program, in the order the launcher shows them: the one list that says which
// calculators there are. Each is known by its name (the driver's `--window`, its source folder src/<name>,
// its test folder tests/<name>, its fuzz corpus tests/fuzz/corpus/<name>), by its window model's name,
// and to a person by the two lines of its launcher button. The driver's and the desktop's factories
// (src/cli/calculators.cpp, src/app/calculator_faces.cpp) make a window for each name here; the launcher,
// the screenshots and the tests over every calculator iterate this list. Messages name a calculator by its
// caption (a project file of another calculator, say), never by its window's internal name.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qianyan {

struct CalculatorEntry {
    std::string_view name;          // "formula1"
    std::string_view window;        // the model's window name, "TVOR_FRM_KELD1"
    std::string_view button;        // the launcher button that opens it, "cbt_Gongshi1"
    std::string_view first, second; // the button's two lines, scrambled with the launcher's key table
    std::uint32_t captionColour;    // the button's text colour, as RGB
};
std::span<const CalculatorEntry> calculators();

// The entry of a driver name, or nullptr.
const CalculatorEntry* findCalculator(std::string_view name);

// The caption of a window's button on one line, "公式一·综合系数（不计土层侧阻）"; empty for a window that
// is no calculator.
std::string calculatorName(std::string_view window);

} // namespace qianyan

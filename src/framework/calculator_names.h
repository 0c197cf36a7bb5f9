#pragma once
// The calculators by the names a person knows them by: the two lines of the launcher button that opens
// each. Messages name a calculator so (a project file of another calculator, say), never by its window's
// internal name.
#include <span>
#include <string>
#include <string_view>

namespace qianyan {

struct CalculatorCaption {
    std::string_view window;        // the model's window name, "TVOR_FRM_KELD1"
    std::string_view button;        // the launcher button that opens it, "cbt_Gongshi1"
    std::string_view first, second; // the button's two lines, scrambled with the launcher's key table
};
std::span<const CalculatorCaption> calculatorCaptions();

// The caption of a window's button on one line, "公式一·综合系数（不计土层侧阻）"; empty for a window that
// is no calculator.
std::string calculatorName(std::string_view window);

} // namespace qianyan

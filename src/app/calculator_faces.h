#pragma once
// The one list of calculator windows the desktop program has a face for, by the launcher button that
// opens each. A launcher button without an entry here stays disabled.
#include <span>
#include <string_view>

namespace qianyan {

class CalculatorWindow;
class Platform;

struct CalculatorFace {
    std::string_view button; // cbt_Gongshi1, ...
    CalculatorWindow* (*make)(Platform& platform);
};

std::span<const CalculatorFace> calculatorFaces();

} // namespace qianyan

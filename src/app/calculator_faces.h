#pragma once
// The desktop face of each calculator of the registry (framework/calculator_registry.h), by its name. A
// calculator without a face here has its launcher button disabled.
#include <string_view>

namespace qianyan {

class CalculatorWindow;
class Platform;

// A new window of that calculator's face, or nullptr for a name without a face.
CalculatorWindow* makeCalculatorFace(std::string_view name, Platform& platform);
bool hasCalculatorFace(std::string_view name);

} // namespace qianyan

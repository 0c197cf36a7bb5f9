#pragma once
// The window model of each calculator of the registry (framework/calculator_registry.h), by its name.
#include "framework/calculator_frame.h"

#include <memory>
#include <string_view>
#include <vector>

namespace qianyan {

// The registry's names, in its order.
std::vector<std::string_view> calculatorNames();
// nullptr for a name without a model.
std::unique_ptr<CalculatorFrame> makeCalculator(std::string_view name, Platform& platform);

} // namespace qianyan

#pragma once
// The calculator windows the driver can open, by their command-line names.
#include "framework/calculator_frame.h"

#include <memory>
#include <string_view>
#include <vector>

namespace qianyan {

std::vector<std::string_view> calculatorNames();
// nullptr for an unknown name.
std::unique_ptr<CalculatorFrame> makeCalculator(std::string_view name, Platform& platform);

} // namespace qianyan

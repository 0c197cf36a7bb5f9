#include "framework/precision_mode.h"

#include "framework/number_text.h"

#include <cmath>

namespace qianyan {

std::string modeAmount(double value, PrecisionMode mode, int precision) {
    switch (mode) {
    case PrecisionMode::TwoDecimals:
        return fixed(value, precision, 2);
    case PrecisionMode::OneDecimal:
        return fixed(value, precision, 1);
    case PrecisionMode::Units:
        return fixed(value, precision, 0);
    case PrecisionMode::Tens:
        return fixed(std::trunc(value / 10) * 10, precision, 0);
    case PrecisionMode::Hundreds:
        return fixed(std::trunc(value / 100) * 100, precision, 0);
    }
    return fixed(value, precision, 0);
}

} // namespace qianyan

#include "framework/sheet_cells.h"

#include "framework/number_text.h"
#include "framework/text_layout.h"

namespace qianyan {

std::string sheetAmount(double value, PrecisionMode mode) {
    return modeAmount(value, mode, 10);
}

std::string modeShare(double percent, PrecisionMode mode, int precision) {
    switch (mode) {
    case PrecisionMode::TwoDecimals:
        return fixed(percent, precision, 2);
    case PrecisionMode::OneDecimal:
        return fixed(percent, precision, 1);
    default:
        return fixed(percent, precision, 0);
    }
}

bool wideAmounts(PrecisionMode mode) {
    return mode == PrecisionMode::TwoDecimals || mode == PrecisionMode::OneDecimal;
}

std::string xlsCell(std::string_view text, int width, int gap) {
    return padLeft(text, width) + spaces(gap);
}

std::string xlsAmountCell(double value, PrecisionMode mode, int lastGap) {
    return wideAmounts(mode) ? xlsCell(sheetAmount(value, mode), 8, 2 - lastGap)
                             : xlsCell(sheetAmount(value, mode), 7, 3 - lastGap);
}

std::string docValue(std::string_view label, std::string_view text, int width, std::string_view unit) {
    return std::string(label) + padLeft(text, width) + std::string(unit);
}

std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> lines;
    for (const std::vector<std::string>& part : parts) lines.insert(lines.end(), part.begin(), part.end());
    return lines;
}

} // namespace qianyan

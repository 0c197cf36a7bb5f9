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

std::string placedRight(std::string_view text, int width, int gap) {
    return padLeft(text, width) + spaces(gap);
}

XlsRow xlsLead(int blanks) {
    return {spaces(blanks), {}, blanks};
}

namespace {

XlsRow oneCell(std::string placed, std::string_view text, int width, int gap) {
    return {std::move(placed) + spaces(gap), {{std::string(trimmed(text)), width + gap}}, width + gap};
}

} // namespace

XlsRow xlsCell(std::string_view text, int width, int gap) {
    return oneCell(padLeft(text, width), text, width, gap);
}

XlsRow xlsLeftCell(std::string_view text, int width, int gap) {
    return oneCell(padRight(text, width), text, width, gap);
}

XlsRow xlsCentredCell(std::string_view text, int width, int gap) {
    return oneCell(centre(text, width), text, width, gap);
}

XlsRow xlsAmountCell(double value, PrecisionMode mode, int lastGap) {
    return wideAmounts(mode) ? xlsCell(sheetAmount(value, mode), 8, 2 - lastGap)
                             : xlsCell(sheetAmount(value, mode), 7, 3 - lastGap);
}

std::string docValue(std::string_view label, std::string_view text, int width, std::string_view unit) {
    return std::string(label) + padLeft(text, width) + std::string(unit);
}

std::string docRule(int dashes) {
    return spaces(6) + repeated('-', dashes);
}

DocLines docLayerTable(std::string_view header1, std::string_view header2, const std::string& rule,
                       const TextTable& layers, int numberGap,
                       const std::function<std::string(std::size_t row)>& cells) {
    DocLines lines{docTableHeader(std::string(header1)), docTableHeader(std::string(header2)),
                   docTableHeader(rule)};
    for (std::size_t row = 0; row < layers.rowCount(); ++row)
        lines.emplace_back(spaces(6) + padLeft(layers.cell(row, 0), 2) + spaces(numberGap) + cells(row),
                           DocLineKind::TableRow);
    lines.push_back(rule);
    return lines;
}

DocLines joined(std::initializer_list<DocLines> parts) {
    DocLines lines;
    for (const DocLines& part : parts) lines.insert(lines.end(), part.begin(), part.end());
    return lines;
}

} // namespace qianyan

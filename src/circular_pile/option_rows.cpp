#include "circular_pile/option_rows.h"

#include "design_data/design_data.h"
#include "framework/number_text.h"
#include "framework/utf8.h"
#include "framework/workbench_model.h"

#include <algorithm>
#include <array>
#include <string>

namespace qianyan {

OptionCells optionCells(const TextTable& grid, std::size_t row) {
    return {grid.cell(row, 1), grid.cell(row, 2), grid.cell(row, 3)};
}

SweepRange numberRange(Workbench& workbench, std::size_t row, std::string_view negativeMessage,
                       double (*read)(std::string_view)) {
    const OptionCells c = optionCells(workbench.Grid1_Youhuaxuanxiang.rows, row);
    const double a = read(c.minimum), b = read(c.maximum), s = read(c.step);
    if (a < 0 || b < 0) workbench.refuse(negativeMessage);
    return rangeRule(a, b, s);
}

SweepRange codeRange(const TextTable& grid, std::size_t row, long long first, long long last) {
    const OptionCells c = optionCells(grid, row);
    const long long a = std::clamp(readInteger(c.minimum), first, last);
    const long long b = std::clamp(readInteger(c.maximum), first, last);
    return integerRangeRule(a, b, readInteger(c.step));
}

SweepRange gradeRange(const TextTable& grid, std::size_t row) {
    constexpr long long lowest = 25, highest = 60, gradeStep = 5;
    const OptionCells c = optionCells(grid, row);
    const auto gradeOf = [&](std::string_view cell) {
        return std::clamp(gradeNumberOfText(cell) / gradeStep * gradeStep, lowest, highest);
    };
    const long long first = gradeOf(c.minimum), last = gradeOf(c.maximum);
    const long long step = readInteger(c.step);
    return integerRangeRule(first, last, step < gradeStep ? gradeStep : step / gradeStep * gradeStep);
}

long long gradeNumberOfText(std::string_view text) {
    std::size_t start = text.empty() ? 0 : decodeUtf8(text, 0).length;
    std::size_t end = start;
    for (int n = 0; n < 2 && end < text.size(); ++n) end += decodeUtf8(text, end).length;
    return readInteger(text.substr(start, end - start));
}

double depthFactor(std::string_view cell) {
    const std::size_t d = cell.find('d');
    if (d == std::string_view::npos) throw ConversionError(conversionMessage(cell));
    return readStrict(cell.substr(0, d));
}

std::string_view psiCText(int processIndex) {
    static const std::array<std::string, 3> texts{fixed(constructionProcesses[0].psiC, 10, 2),
                                                  fixed(constructionProcesses[1].psiC, 10, 2),
                                                  fixed(constructionProcesses[2].psiC, 10, 2)};
    return texts.at(static_cast<std::size_t>(processIndex));
}

} // namespace qianyan

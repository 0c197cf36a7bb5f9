#pragma once
// The readers and rules of the workbench option rows that every calculator sweeping a pile shares: the
// three range cells of a row, a row of numbers, a row of codes, the grade row, the depth notation and
// the ψc texts of the table cells.
#include "framework/text_table.h"
#include "framework/workbench.h"

#include <string_view>

namespace qianyan {

class Workbench;

// The minimum, maximum and step cells of an option row.
struct OptionCells {
    std::string_view minimum, maximum, step;
};
OptionCells optionCells(const TextTable& grid, std::size_t row);

// A row of numbers read by read, refused with negativeMessage when its minimum or maximum is below 0.
SweepRange numberRange(Workbench& workbench, std::size_t row, std::string_view negativeMessage,
                       double (*read)(std::string_view));
// A row of codes: whole numbers, minimum and maximum clamped into first...last.
SweepRange codeRange(const TextTable& grid, std::size_t row, long long first, long long last);
// The grade row: grade numbers rounded down to multiples of 5 within 25...60 (so that no grade beyond
// the list is ever evaluated), the step a multiple of 5.
SweepRange gradeRange(const TextTable& grid, std::size_t row);

// The grade number in a grade text: the two characters after the first ("C25" gives 25).
long long gradeNumberOfText(std::string_view text);
// A depth option cell in "d" notation: the number before its first "d"; a cell without one is not a
// depth of that notation and throws ConversionError.
double depthFactor(std::string_view cell);

// ψc of a construction process (by its item) as the tables show it.
std::string_view psiCText(int processIndex);

} // namespace qianyan

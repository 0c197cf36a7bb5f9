#pragma once
// The cells and lines every calculator's sheets are made of: amounts and shares in the precision mode,
// right-aligned Xls cells, Doc value lines and tables, and a Doc block joined from its parts.
#include "framework/doc_line.h"
#include "framework/precision_mode.h"
#include "framework/text_table.h"
#include "framework/xls_row.h"

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

// An amount in the sheets: the precision mode with precision 10.
std::string sheetAmount(double value, PrecisionMode mode);
// A share in per cent with the mode's decimals (two, one, none); never truncated.
std::string modeShare(double percent, PrecisionMode mode, int precision = 7);
// The modes with decimals give amounts one column more in the Xls row.
bool wideAmounts(PrecisionMode mode);

// text right-aligned in width, then gap blanks.
std::string placedRight(std::string_view text, int width, int gap);

// Blanks before the first cell; they belong to its slot.
XlsRow xlsLead(int blanks);
// text right-aligned in width, then gap blanks.
XlsRow xlsCell(std::string_view text, int width, int gap);
// text left-aligned in width, or centred in it, then gap blanks.
XlsRow xlsLeftCell(std::string_view text, int width, int gap);
XlsRow xlsCentredCell(std::string_view text, int width, int gap);
// A mode amount cell: right 8 with decimals, right 7 without; lastGap blanks fewer than the usual gap.
XlsRow xlsAmountCell(double value, PrecisionMode mode, int lastGap = 0);

// A value line: label, value right-aligned in width, unit.
std::string docValue(std::string_view label, std::string_view text, int width, std::string_view unit = "");

// A rule of a Doc table: dashes after the six blanks every line of the table starts with.
std::string docRule(int dashes);
// A table of the Doc block with a line per layer of a grid: the two header lines, the rule (the table's
// header), the layers (its rows) and the rule again. A layer's line is six blanks, its number (the grid's
// first cell) right in 2 and numberGap blanks, then what cells writes for that row.
DocLines docLayerTable(std::string_view header1, std::string_view header2, const std::string& rule,
                       const TextTable& layers, int numberGap,
                       const std::function<std::string(std::size_t row)>& cells);

// The parts of a Doc block one after another.
DocLines joined(std::initializer_list<DocLines> parts);

} // namespace qianyan

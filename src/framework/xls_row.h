#pragma once
// An Xls row as the sheet shows it and as its cells, so that a workbook gets numbers and texts, not a line.
#include <string>
#include <vector>

namespace qianyan {

// One cell of an Xls row: its text as shown, without blanks around it, and the column its slot ends at
// (the slot of the header cells above it; a text longer than its width pushes the row, not the slot).
struct XlsCell {
    std::string text;
    int slotEnd;
};

// An Xls row, or a run of its cells.
struct XlsRow {
    std::string line;
    std::vector<XlsCell> cells;
    int slotColumns = 0;

    XlsRow& operator+=(const XlsRow& more);
};
XlsRow operator+(XlsRow first, const XlsRow& more);

} // namespace qianyan

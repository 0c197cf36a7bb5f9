#include "framework/xls_row.h"

namespace qianyan {

XlsRow& XlsRow::operator+=(const XlsRow& more) {
    line += more.line;
    for (const XlsCell& cell : more.cells) cells.push_back({cell.text, slotColumns + cell.slotEnd});
    slotColumns += more.slotColumns;
    return *this;
}

XlsRow operator+(XlsRow first, const XlsRow& more) {
    first += more;
    return first;
}

} // namespace qianyan

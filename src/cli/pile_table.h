#pragma once
// A table of piles as a person exports it from a spreadsheet: UTF-8 (with or without a byte-order mark)
// or GBK, comma- or tab-separated, fields in double quotes where they hold a separator, a quote ("") or
// a line break.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

struct TableRecord {
    std::size_t line; // where the record starts, from 1
    std::vector<std::string> cells;
};

// UTF-8 as it is (a byte-order mark dropped), anything else read as GBK.
std::string decodeTableText(std::string_view bytes);
// The records of a decoded text, blank lines left out. The separator is a tab when the first line
// holds one, a comma otherwise. Cells lose the blanks around them.
std::vector<TableRecord> parseTable(std::string_view text);

} // namespace qianyan

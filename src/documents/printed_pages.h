#pragma once
// The Doc sheet on paper: which lines go on which page, broken by the structure of the blocks, and the
// rows each page prints (a line wider than the page wrapped, a continued table's header repeated), in one
// type size whatever the lines; and the running head of each page.
#include "framework/doc_line.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

struct PrintedPage {
    std::size_t first = 0; // the first sheet line on the page
    std::size_t count = 0;
    // A table continued from the page before repeats its header above the page's lines: sheet lines
    // headerFirst.. (headerCount of them), the first marked as continued.
    std::size_t headerFirst = 0, headerCount = 0;
};

// The pages of lines, at most rowsPerPage (at least 1) printed rows each, a row `columns` wide. A block
// (the lines up to and including a block rule) that fits on a page is never cut; a longer one is cut
// before a heading, between two blocks, before a table or between two of its rows (and only where
// nothing else can go, where the page ends), never within two lines after a heading, so no page ends
// with a heading or a table's header. kinds gives each line's kind; lines beyond it are texts.
std::vector<PrintedPage> printedPages(const std::vector<std::string>& lines,
                                      const std::vector<DocLineKind>& kinds, std::size_t rowsPerPage,
                                      int columns);

// A line as printed rows at most `columns` wide (blanks at its end never make it wider): cut where a row
// is full, every row after the first starting with continuationMark. Each character is as many columns
// wide as the sheet counts it.
std::vector<std::string> printedRows(std::string_view line, int columns);
inline constexpr std::string_view continuationMark = "→ ";
// What the repeated header of a continued table carries after its first line with a text.
inline constexpr std::string_view continuedMark = "  (续)";

// The rows a page prints: the repeated header, marked, then its lines, each cut to `columns`.
std::vector<std::string> printedPageRows(const std::vector<std::string>& lines, const PrintedPage& page,
                                         int columns);

inline constexpr const char* printedTitle = "嵌岩桩计算书(依据JGJ94-2008)";
// "第 3 页 / 共 12 页"
std::string pageNumberText(std::size_t page, std::size_t pages);

} // namespace qianyan

#pragma once
// The Doc sheet on paper: which lines go on which page, a design block kept on one page wherever it fits,
// and the running head of each page.
#include <cstddef>
#include <string>
#include <vector>

namespace qianyan {

struct PrintedPage {
    std::size_t first = 0; // the first sheet line on the page
    std::size_t count = 0;
};

// The pages of lines, at most linesPerPage (at least 1) each. A block (the lines up to and including a
// block rule) that fits on a page never starts on one page and ends on the next.
std::vector<PrintedPage> printedPages(const std::vector<std::string>& lines, std::size_t linesPerPage);

inline constexpr const char* printedTitle = "嵌岩桩计算书(依据JGJ94-2008)";
// "第 3 页 / 共 12 页"
std::string pageNumberText(std::size_t page, std::size_t pages);

} // namespace qianyan

#include "documents/printed_pages.h"

#include "framework/calculation_sheet.h"

#include <algorithm>

namespace qianyan {

std::vector<PrintedPage> printedPages(const std::vector<std::string>& lines, std::size_t linesPerPage) {
    linesPerPage = std::max<std::size_t>(linesPerPage, 1);
    const std::string rule = blockRule();
    std::vector<PrintedPage> pages;
    PrintedPage page;
    const auto place = [&](std::size_t first, std::size_t count) {
        // A unit that fits on a page but not in what is left of this one starts the next.
        if (page.count > 0 && page.count + count > linesPerPage && count <= linesPerPage) {
            pages.push_back(page);
            page = {first, 0};
        }
        for (std::size_t line = first; line < first + count; ++line) {
            if (page.count == linesPerPage) {
                pages.push_back(page);
                page = {line, 0};
            }
            ++page.count;
        }
    };
    std::size_t unitStart = 0;
    for (std::size_t line = 0; line < lines.size(); ++line) {
        if (lines[line] != rule) continue;
        place(unitStart, line + 1 - unitStart);
        unitStart = line + 1;
    }
    if (unitStart < lines.size()) place(unitStart, lines.size() - unitStart);
    if (page.count > 0) pages.push_back(page);
    return pages;
}

std::string pageNumberText(std::size_t page, std::size_t pages) {
    return "第 " + std::to_string(page) + " 页 / 共 " + std::to_string(pages) + " 页";
}

} // namespace qianyan

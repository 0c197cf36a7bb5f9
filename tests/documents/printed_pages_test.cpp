#include "documents/printed_pages.h"

#include "framework/calculation_sheet.h"

#include <gtest/gtest.h>

namespace qianyan {
namespace {

// A sheet of blocks of the given lengths (each ending in the block rule) and a time line.
std::vector<std::string> sheetOf(std::initializer_list<std::size_t> blocks) {
    std::vector<std::string> lines;
    for (const std::size_t length : blocks) {
        for (std::size_t k = 1; k < length; ++k) lines.push_back("line");
        lines.push_back(blockRule());
    }
    lines.emplace_back("计算时间：2024/5/6 14:03:27");
    return lines;
}

std::vector<std::size_t> pageLengths(const std::vector<std::string>& lines, std::size_t perPage) {
    std::vector<std::size_t> lengths;
    std::size_t next = 0;
    for (const PrintedPage& page : printedPages(lines, perPage)) {
        EXPECT_EQ(page.first, next) << "pages leave out or repeat lines";
        next = page.first + page.count;
        lengths.push_back(page.count);
    }
    EXPECT_EQ(next, lines.size());
    return lengths;
}

TEST(PrintedPages, KeepABlockTogetherWhereItFits) {
    struct Case {
        std::initializer_list<std::size_t> blocks;
        std::size_t perPage;
        std::vector<std::size_t> pages;
    };
    const Case cases[] = {
        {{10}, 60, {11}},              // one design and its time line
        {{30, 30}, 60, {60, 1}},       // two blocks fill a page exactly; the time line goes on
        {{30, 31}, 60, {30, 32}},      // the second block does not fit the rest: it moves whole
        {{50, 20, 20}, 60, {50, 41}},  //
        {{150}, 60, {60, 60, 31}},     // longer than a page: cut where the pages end
        {{20, 150}, 60, {60, 60, 51}}, // and filling the page it starts on
        {{5, 5}, 1, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) EXPECT_EQ(pageLengths(sheetOf(c.blocks), c.perPage), c.pages);
}

TEST(PrintedPages, AnEmptySheetHasNoPageAndAZeroPageLengthStillProgresses) {
    EXPECT_TRUE(printedPages({}, 60).empty());
    EXPECT_EQ(pageLengths(sheetOf({3}), 0), (std::vector<std::size_t>{1, 1, 1, 1}));
}

TEST(PrintedPages, PageNumberText) {
    EXPECT_EQ(pageNumberText(3, 12), "第 3 页 / 共 12 页");
}

} // namespace
} // namespace qianyan

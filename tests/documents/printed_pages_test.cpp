#include "documents/printed_pages.h"

#include "framework/calculation_sheet.h"
#include "framework/text_layout.h"

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

constexpr int wide = 100; // columns enough for every line

std::vector<std::size_t> pageLengths(const std::vector<std::string>& lines, std::size_t perPage,
                                     const std::vector<DocLineKind>& kinds = {}) {
    std::vector<std::size_t> lengths;
    std::size_t next = 0;
    for (const PrintedPage& page : printedPages(lines, kinds, perPage, wide)) {
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
        {{10}, 60, {11}},                  // one design and its time line
        {{30, 30}, 60, {60, 1}},           // two blocks fill a page exactly; the time line goes on
        {{30, 31}, 60, {30, 32}},          // the second block does not fit the rest: it moves whole
        {{50, 20, 20}, 60, {50, 41}},      //
        {{150}, 60, {60, 60, 31}},         // longer than a page, with nowhere to break: cut where pages end
        {{20, 150}, 60, {20, 60, 60, 31}}, // and starting on a page of its own
        {{5, 5}, 1, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) EXPECT_EQ(pageLengths(sheetOf(c.blocks), c.perPage), c.pages);
}

TEST(PrintedPages, AnEmptySheetHasNoPageAndAZeroPageLengthStillProgresses) {
    EXPECT_TRUE(printedPages({}, {}, 60, wide).empty());
    EXPECT_EQ(pageLengths(sheetOf({3}), 0), (std::vector<std::size_t>{1, 1, 1, 1}));
}

// A block written as one letter a line: H a heading, T a text, h a table's header line, r a table row, and
// = the block rule that ends it.
struct Sheet {
    std::vector<std::string> lines;
    std::vector<DocLineKind> kinds;
};
Sheet structured(std::string_view letters) {
    Sheet sheet;
    for (const char letter : letters) {
        const std::size_t n = sheet.lines.size();
        switch (letter) {
        case 'H':
            sheet.lines.push_back("  " + std::to_string(n) + " 标题");
            sheet.kinds.push_back(DocLineKind::Heading);
            break;
        case 'h':
            sheet.lines.push_back(n % 2 ? spaces(6) + repeated('-', 20) : "      表头" + std::to_string(n));
            sheet.kinds.push_back(DocLineKind::TableHeader);
            break;
        case 'r':
            sheet.lines.push_back("      行" + std::to_string(n));
            sheet.kinds.push_back(DocLineKind::TableRow);
            break;
        case '=':
            sheet.lines.push_back(blockRule());
            sheet.kinds.push_back(DocLineKind::Text);
            break;
        default:
            sheet.lines.push_back("      " + std::to_string(n));
            sheet.kinds.push_back(DocLineKind::Text);
        }
    }
    return sheet;
}

TEST(PrintedPages, ALongBlockBreaksBeforeAHeadingOrBetweenRowsAndATableGoesOnUnderItsHeader) {
    struct Case {
        std::string_view letters;
        std::size_t perPage;
        std::vector<std::size_t> pages;
        std::vector<std::size_t> repeatedHeader; // of each page: how many header lines it repeats
    };
    const Case cases[] = {
        // Before the last heading that fits, not where the page is full.
        {"HTTTTHTTTT=", 8, {5, 6}, {0, 0}},
        // A heading never ends a page and keeps two lines of its own with it.
        {"HTTTTTHTTTT=", 7, {6, 6}, {0, 0}},
        {"HTTTTTHTTTTT=", 8, {6, 7}, {0, 0}},
        // Between rows; the page after repeats the header (two lines, one marked with a row of its own
        // when it is too wide).
        {"Hhhrrrrrrrrr=", 8, {8, 5}, {0, 2}},
        {"Hhhrrrrrrrrrrrrrr=", 6, {6, 4, 4, 4}, {0, 2, 2, 2}},
        // Two tables: the second starts a page rather than leaving its header at the foot of one.
        {"HhhrrrThhrrrT=", 9, {7, 7}, {0, 0}},
        // Consecutive headings go together: none alone at the foot of a page.
        {"TTTTTTHHTT=", 7, {6, 5}, {0, 0}},
        // Nowhere the structure allows: cut where the page is full.
        {"TTTTTTTTTTTT=", 5, {5, 5, 3}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        const Sheet sheet = structured(c.letters);
        EXPECT_EQ(pageLengths(sheet.lines, c.perPage, sheet.kinds), c.pages) << c.letters;
        std::vector<std::size_t> repeated;
        for (const PrintedPage& page : printedPages(sheet.lines, sheet.kinds, c.perPage, wide)) {
            repeated.push_back(page.headerCount);
            EXPECT_LE(printedPageRows(sheet.lines, page, wide).size(), c.perPage) << c.letters;
        }
        EXPECT_EQ(repeated, c.repeatedHeader) << c.letters;
    }
}

TEST(PrintedPages, TheRepeatedHeaderIsMarkedOnItsFirstLineWithAText) {
    const Sheet sheet = structured("Hhhhrrrrrrrr=");
    const std::vector<PrintedPage> pages = printedPages(sheet.lines, sheet.kinds, 8, wide);
    ASSERT_EQ(pages.size(), 2u);
    const std::vector<std::string> rows = printedPageRows(sheet.lines, pages[1], wide);
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows[0], sheet.lines[1]); // a rule
    EXPECT_EQ(rows[1], sheet.lines[2] + std::string(continuedMark));
    EXPECT_EQ(rows[2], sheet.lines[3]);
    EXPECT_EQ(rows[3], sheet.lines[pages[1].first]);
}

// The text of rows cut by printedRows, put together again.
std::string rejoined(const std::vector<std::string>& rows) {
    std::string line = rows.front();
    for (std::size_t k = 1; k < rows.size(); ++k) {
        EXPECT_TRUE(rows[k].starts_with(continuationMark)) << rows[k];
        line += rows[k].substr(continuationMark.size());
    }
    return line;
}

TEST(PrintedRows, ALineWiderThanThePageWrapsWithAMarkInsteadOfShrinkingTheType) {
    const std::string longLabel =
        "1.基桩编号: " + std::string(100, 'Z') + "桩号甲乙丙丁戊己庚辛壬癸" + "μ≤∑" + std::string(20, '9');
    struct Case {
        std::string line;
        int columns;
        std::size_t rows;
    };
    const Case cases[] = {
        {"      桩身直径d:                         1000 mm", 80, 1},
        {std::string(80, '-'), 80, 1},
        {std::string(70, 'x') + std::string(30, ' '), 80, 1}, // blanks at the end widen nothing
        {std::string(81, 'x'), 80, 2},
        {longLabel, 80, 3},
        {longLabel, 40, 5},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> rows = printedRows(c.line, c.columns);
        EXPECT_EQ(rows.size(), c.rows) << c.line;
        EXPECT_EQ(rejoined(rows), c.line);
        for (const std::string& row : rows) EXPECT_LE(displayWidth(trimmed(row)), c.columns) << row;
    }
}

TEST(PrintedRows, AWrappedLineTakesItsRowsOnThePage) {
    std::vector<std::string> lines(10, "line");
    lines[3] = std::string(250, 'x'); // four rows at 80 columns
    std::vector<std::size_t> lengths;
    for (const PrintedPage& page : printedPages(lines, {}, 8, 80)) {
        lengths.push_back(page.count);
        EXPECT_LE(printedPageRows(lines, page, 80).size(), 8u);
    }
    EXPECT_EQ(lengths, (std::vector<std::size_t>{5, 5}));
    // Taller than a page: a page of its own, whatever its kind and the line before.
    for (const DocLineKind kind : {DocLineKind::Text, DocLineKind::Heading, DocLineKind::TableRow}) {
        std::vector<DocLineKind> kinds(lines.size(), DocLineKind::TableRow);
        kinds[3] = kind;
        lengths.clear();
        for (const PrintedPage& page : printedPages(lines, kinds, 2, 80)) lengths.push_back(page.count);
        EXPECT_EQ(lengths, (std::vector<std::size_t>{2, 1, 1, 2, 2, 2}));
    }
}

TEST(PrintedPages, PageNumberText) {
    EXPECT_EQ(pageNumberText(3, 12), "第 3 页 / 共 12 页");
}

} // namespace
} // namespace qianyan

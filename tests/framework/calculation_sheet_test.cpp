#include "framework/calculation_sheet.h"

#include <gmock/gmock.h>

namespace qianyan {
namespace {

using ::testing::ElementsAre;

// A design whose lines name it, so that what goes where is plain to see.
SheetDesign design(int n) {
    const std::string id = std::to_string(n);
    const XlsRow row{"row " + id, {{"row " + id, 6}}, 6};
    return {{"header 1", "header 2"}, row, {"rule", "note", "rule"}, {"block " + id, blockRule()}};
}

std::vector<std::string> cellTexts(const CalculationSheet& sheet) {
    std::vector<std::string> texts;
    for (const auto& cells : sheet.xlsCells()) texts.push_back(cells.at(0).text);
    return texts;
}

TEST(CalculationSheet, KeepsHeaderRowsFooterAndOneTimeLine) {
    CalculationSheet sheet;
    EXPECT_EQ(sheet.nextPileLabel(), "ZH1");
    sheet.append(design(1), "t1");
    sheet.append(design(2), "t2");
    EXPECT_THAT(sheet.xls(), ElementsAre("header 1", "header 2", "row 1", "row 2", "rule", "note", "rule",
                                         "计算时间：t2"));
    EXPECT_THAT(sheet.doc(), ElementsAre("block 1", blockRule(), "block 2", blockRule(), "计算时间：t2"));
    EXPECT_EQ(sheet.designCount(), 2);
    EXPECT_EQ(sheet.nextPileLabel(), "ZH3");
    EXPECT_EQ(sheet.unsavedMarks(), 3);
}

TEST(CalculationSheet, RemovingTheLastDesignKeepsTheTimeLines) {
    CalculationSheet sheet;
    for (int n = 1; n <= 3; ++n) sheet.append(design(n), std::string("t").append(std::to_string(n)));
    sheet.markSaved(CalculationSheet::docUnsaved);
    sheet.removeLast();
    EXPECT_THAT(sheet.xls(), ElementsAre("header 1", "header 2", "row 1", "row 2", "rule", "note", "rule",
                                         "计算时间：t3"));
    EXPECT_THAT(sheet.doc(), ElementsAre("block 1", blockRule(), "block 2", blockRule(), "计算时间：t3"));
    EXPECT_EQ(sheet.unsavedMarks(), CalculationSheet::docUnsaved | CalculationSheet::xlsUnsaved)
        << "a trimmed sheet differs from any file saved before";
    sheet.append(design(4), "t4");
    EXPECT_EQ(sheet.xls()[4], "row 4") << "numbering continues from the reduced counter";
    EXPECT_THAT(cellTexts(sheet), ElementsAre("row 1", "row 2", "row 4")) << "the cells follow the rows";
    EXPECT_EQ(sheet.designCount(), 3);
    sheet.removeLast();
    sheet.removeLast();
    sheet.removeLast();
    EXPECT_TRUE(sheet.xls().empty());
    EXPECT_TRUE(sheet.doc().empty());
    EXPECT_TRUE(sheet.xlsCells().empty());
    EXPECT_EQ(sheet.designCount(), 0);
    EXPECT_EQ(sheet.unsavedMarks(), 0);
}

TEST(CalculationSheet, TellsAViewHowManyLeadingLinesItMayKeep) {
    CalculationSheet sheet;
    sheet.append(design(1), "t1");
    sheet.append(design(2), "t2");
    const SheetLines& doc = sheet.docLines();
    const SheetLines& xls = sheet.xlsLines();
    const std::uint64_t docSeen = doc.revision(), xlsSeen = xls.revision();
    EXPECT_EQ(doc.keptSince(docSeen, 5), 5u) << "nothing changed";

    sheet.append(design(3), "t3");
    EXPECT_EQ(doc.keptSince(docSeen, 5), 4u) << "the old time line went";
    EXPECT_EQ(xls.keptSince(xlsSeen, 8), 4u) << "the old footer went";
    sheet.removeLast();
    sheet.removeLast();
    EXPECT_EQ(doc.keptSince(docSeen, 5), 2u) << "the second block went";
    EXPECT_EQ(xls.keptSince(xlsSeen, 8), 3u) << "the second row went";
    sheet.removeLast();
    EXPECT_EQ(doc.keptSince(docSeen, 5), 0u);

    EXPECT_EQ(doc.keptSince(doc.revision() + 1, 5), 0u) << "a revision the sheet never had";
    sheet.append(design(1), "t1");
    const std::uint64_t early = doc.revision();
    for (int n = 2; n <= 100; ++n) sheet.append(design(n), "t");
    EXPECT_LE(doc.keptSince(early, 3), 2u) << "a change long ago still counts";
}

} // namespace
} // namespace qianyan

#include "framework/calculation_sheet.h"

#include <gmock/gmock.h>

namespace qianyan {
namespace {

using ::testing::ElementsAre;

// A design whose lines name it, so that what goes where is plain to see.
SheetDesign design(int n) {
    const std::string id = std::to_string(n);
    return {{"header 1", "header 2"}, "row " + id, {"rule", "note", "rule"}, {"block " + id, blockRule()}};
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
    for (int n = 1; n <= 3; ++n) sheet.append(design(n), "t" + std::to_string(n));
    sheet.markSaved(CalculationSheet::docUnsaved);
    sheet.removeLast();
    EXPECT_THAT(sheet.xls(), ElementsAre("header 1", "header 2", "row 1", "row 2", "rule", "note", "rule",
                                         "计算时间：t3"));
    EXPECT_THAT(sheet.doc(), ElementsAre("block 1", blockRule(), "block 2", blockRule(), "计算时间：t3"));
    EXPECT_EQ(sheet.unsavedMarks(), CalculationSheet::xlsUnsaved) << "trimming leaves the marks alone";
    sheet.append(design(4), "t4");
    EXPECT_EQ(sheet.xls()[4], "row 4") << "numbering continues from the reduced counter";
    EXPECT_EQ(sheet.designCount(), 3);
    sheet.removeLast();
    sheet.removeLast();
    sheet.removeLast();
    EXPECT_TRUE(sheet.xls().empty());
    EXPECT_TRUE(sheet.doc().empty());
    EXPECT_EQ(sheet.designCount(), 0);
    EXPECT_EQ(sheet.unsavedMarks(), 0);
}

} // namespace
} // namespace qianyan

// The page of figures draws the sheet's last design as it was computed, named by its label, whatever the
// inputs read since (a sweep, a diameter typed and not computed) and after the last design is deleted;
// an empty sheet has none, although the workbench still charts its results.
#include "documents/sheet_figures.h"

#include "cli/calculators.h"
#include "support/calculator_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace qianyan {
namespace {

class SheetFiguresTest : public testing::CalculatorFixture<std::string_view> {
protected:
    SheetFiguresTest() : CalculatorFixture("figures", GetParam()) {}

    // The label the page names and the size written under the section drawn.
    std::string drawn() const {
        const SheetFigures figures = sheetFigures(*window);
        const std::vector<DrawingText>& texts = figures.drawing.section.texts;
        return figures.pileLabel + " " + (texts.empty() ? "(no section)" : texts.front().text);
    }
    void compute(const char* diameter) {
        window->typeText("cbe_dd", diameter);
        ASSERT_EQ(window->click("cbt_compute"), Outcome::Done);
    }
};

TEST_P(SheetFiguresTest, TheLastDesignOfTheSheetAsItWasComputed) {
    compute("1000");
    compute("1500");
    EXPECT_EQ(drawn(), "ZH2 d=1500mm");

    ASSERT_EQ(window->click("cbt_YouHua"), Outcome::Done);
    ASSERT_EQ(window->click("cbt_YHcompute"), Outcome::Done);
    ASSERT_TRUE(sheetFigures(*window).chart) << "the sweep gave no results";
    EXPECT_EQ(drawn(), "ZH2 d=1500mm") << "after a sweep";
    ASSERT_EQ(window->click("cbt_YHfanhui"), Outcome::Done);
    window->typeText("cbe_dd", "1800");
    EXPECT_EQ(drawn(), "ZH2 d=1500mm") << "with a diameter typed and not computed";

    compute("1800");
    EXPECT_EQ(drawn(), "ZH3 d=1800mm");
    ASSERT_EQ(window->click("cbt_View"), Outcome::Done);
    ASSERT_EQ(window->click("cbt_sanchu"), Outcome::Done);
    EXPECT_EQ(drawn(), "ZH2 d=1500mm") << "after the last design was deleted";
    ASSERT_EQ(window->click("cbt_sanchu"), Outcome::Done);
    EXPECT_EQ(drawn(), "ZH1 d=1000mm");
    ASSERT_EQ(window->click("cbt_sanchu"), Outcome::Done);
    EXPECT_TRUE(sheetFigures(*window).empty()) << "an empty sheet";
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, SheetFiguresTest, testing::everyCalculator(), testing::ByCalculator());

} // namespace
} // namespace qianyan

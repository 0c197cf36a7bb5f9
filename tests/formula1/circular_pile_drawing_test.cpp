#include "circular_pile/circular_pile_drawing.h"

#include "support/drawing_queries.h"

#include <gtest/gtest.h>

#include "framework/number_text.h"

#include <algorithm>
#include <string>

namespace qianyan {
namespace {

using testing::heightOf;
using testing::pileOf;
using testing::textsOf;

TEST(CircularPileDrawing, ThePileToScaleOverItsSocket) {
    struct Case {
        const char *d, *hr, *frk;
        double diameter, tip;
        const char* strength; // the rock band's text, or none
    };
    const Case cases[] = {
        {"1000", "1.5d", "25", 1.0, -1.5, "frk=25MPa"},
        {" 1200 ", "3000", "", 1.2, -3.0, nullptr},
        {"800", "0", "abc", 0.8, 0, nullptr},
        {"1500", "2.0d", "0", 1.5, -3.0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.d << " " << c.hr << " " << c.frk);
        const PileDrawing drawing = circularPileDrawing(c.d, c.hr, c.frk);
        ASSERT_FALSE(drawing.empty());
        const DrawingRect& section = drawing.section.rects.at(0);
        EXPECT_DOUBLE_EQ(section.right - section.left, c.diameter);
        EXPECT_DOUBLE_EQ(section.top - section.bottom, c.diameter);
        EXPECT_DOUBLE_EQ(section.cornerRadius, c.diameter / 2);

        const DrawingRect& pile = pileOf(drawing);
        EXPECT_DOUBLE_EQ(pile.right - pile.left, c.diameter);
        EXPECT_DOUBLE_EQ(pile.bottom, c.tip);
        EXPECT_EQ(heightOf(drawing.elevation, "岩面"), 0.0);
        const std::vector<std::string> texts = textsOf(drawing.elevation);
        // The socket depth is measured only where there is one.
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "hr=" + fixed(-c.tip, 15, 2) + "m"),
                  c.tip < 0 ? 1 : 0);
        EXPECT_EQ(std::count(texts.begin(), texts.end(), c.strength ? c.strength : "frk="),
                  c.strength ? 1 : 0);
        // The rock reaches below the tip.
        EXPECT_LT(drawing.elevation.box().bottom, c.tip);
    }
}

TEST(CircularPileDrawing, InputsThatWouldNotComputeDrawNothing) {
    const std::string longDigits(10000, '9');
    const std::pair<std::string, std::string> cases[] = {
        {"", "1.0d"},       {"abc", "1.0d"},  {"0", "1.0d"},     {"-1000", "1.0d"},
        {"1e400", "1.0d"},  {"nan", "1.0d"},  {"1,500", "1.0d"}, {longDigits, "1.0d"},
        {"1e-300", "1.0d"}, {"1000", ""},     {"1000", "x"},     {"1000", "-1"},
        {"1000", "d"},      {"1000", "nand"}, {"1000", "1e400"}, {"1e200", "1e200d"},
    };
    for (const auto& [d, hr] : cases)
        EXPECT_TRUE(circularPileDrawing(d, hr, "25").empty()) << d.substr(0, 20) << " " << hr;
}

} // namespace
} // namespace qianyan

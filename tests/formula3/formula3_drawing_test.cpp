#include "formula3/formula3_drawing.h"

#include "support/drawing_queries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace qianyan {
namespace {

using testing::heightOf;
using testing::pileOf;
using testing::textsOf;

// Rows of socket length and rock strength.
TextTable layers(std::initializer_list<std::pair<std::string_view, std::string_view>> rows) {
    TextTable t(layer_column::count, TextTable::Storage::Editable);
    for (const auto& [length, strength] : rows) t.appendLeadingCells({"", length, strength});
    return t;
}

constexpr int circle = 0, obround = 1, rectangle = 2, equalArea = 0;

TEST(Formula3Drawing, TheSectionInPlanAndThePileAsSeenAcrossItsLongSide) {
    const TextTable one = layers({{"1.00", "25"}});
    struct Case {
        int type;
        const char *first, *second;
        double width, height, radius;
        const char* label;
    };
    const Case cases[] = {
        {circle, "1000", "abc", 1.0, 1.0, 0.5, "d=1000mm"},
        {obround, "1000", "500", 1.5, 1.0, 0.5, "d=1000 c=500 deq=1279"},
        // A rectangle typed short side first is drawn long side across, as the compute orders it.
        {rectangle, "800", "1200", 1.2, 0.8, 0, "1200×800 deq=1106"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const PileDrawing drawing =
            formula3Drawing({c.type, equalArea, c.first, c.second, one, LengthStart::Bottom});
        ASSERT_FALSE(drawing.empty());
        const DrawingRect& section = drawing.section.rects.at(0);
        EXPECT_DOUBLE_EQ(section.right - section.left, c.width);
        EXPECT_DOUBLE_EQ(section.top - section.bottom, c.height);
        EXPECT_DOUBLE_EQ(section.cornerRadius, c.radius);
        EXPECT_EQ(drawing.section.texts.at(0).text, c.label);
        EXPECT_DOUBLE_EQ(pileOf(drawing).right - pileOf(drawing).left, c.width);
    }
}

TEST(Formula3Drawing, RockLayersTheStartPointAndTheBoundOfTheTable) {
    struct Case {
        const char* what;
        TextTable layers;
        LengthStart start;
        double startAt;
        std::optional<double> bound;
        const char* boundText;
    };
    // d = 500 mm: 4·deq = 2 m in rock above 15 MPa, 8·deq = 4 m in softer rock, by the layer at the tip.
    const Case cases[] = {
        {"hard rock counted from the tip", layers({{"1", "10"}, {"2", "40"}}), LengthStart::Bottom, -3, -1,
         "限值4deq"},
        {"hard rock counted from the top", layers({{"1", "10"}, {"2", "40"}}), LengthStart::Top, 0, -2,
         "限值4deq"},
        {"soft rock within the bound", layers({{"1", "40"}, {"2", "10"}}), LengthStart::Bottom, -3, {}, ""},
        {"soft rock past the bound", layers({{"2", "10"}, {"3", "10"}}), LengthStart::Top, 0, -4, "限值8deq"},
        // An empty strength is not typed yet: the layer is drawn, the bound is not known.
        {"no strength at the tip", layers({{"1", "40"}, {"4", ""}}), LengthStart::Bottom, -5, {}, ""},
        // An empty length is 0, as the compute takes it.
        {"an empty length", layers({{"", "40"}, {"3", "40"}}), LengthStart::Bottom, -3, -1, "限值4deq"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PileDrawing drawing = formula3Drawing({circle, equalArea, "500", "", c.layers, c.start});
        ASSERT_FALSE(drawing.empty());
        EXPECT_EQ(heightOf(drawing.elevation, "起算点"), c.startAt);
        EXPECT_EQ(heightOf(drawing.elevation, "岩面"), 0.0);
        if (c.bound)
            EXPECT_EQ(heightOf(drawing.elevation, c.boundText), c.bound);
        else
            EXPECT_FALSE(heightOf(drawing.elevation, "限值4deq") || heightOf(drawing.elevation, "限值8deq"));
    }
    const PileDrawing named = formula3Drawing(
        {circle, equalArea, "500", "", layers({{"1", "10"}, {"2", "40"}}), LengthStart::Bottom});
    const std::vector<std::string> texts = textsOf(named.elevation);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "10MPa 1.00m"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "40MPa 2.00m"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Σlr=3.00m"), texts.end());
}

TEST(Formula3Drawing, InputsThatWouldNotComputeDrawNothing) {
    const TextTable good = layers({{"1", "25"}});
    struct Case {
        int type, algorithm;
        const char *first, *second;
        TextTable layers;
    };
    const Case cases[] = {
        {circle, equalArea, "abc", "", good},
        {circle, equalArea, "nan", "", good},
        {circle, equalArea, "1e400", "", good},
        {obround, equalArea, "1000", "", good},
        {rectangle, equalArea, "1000", "-5", good},
        {-1, equalArea, "1000", "", good},
        {3, equalArea, "1000", "", good},
        {obround, 8, "1000", "500", good},
        {circle, equalArea, "1000", "", layers({{"x", "25"}})},
        {circle, equalArea, "1000", "", layers({{"-1", "25"}})},
        {circle, equalArea, "1000", "", layers({{"1", "abc"}})},
        {circle, equalArea, "1000", "", layers({{"1e400", "25"}})},
        {circle, equalArea, "1000", "", layers({})},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(
            formula3Drawing({c.type, c.algorithm, c.first, c.second, c.layers, LengthStart::Bottom}).empty())
            << c.type << " " << c.algorithm << " " << c.first << " " << c.second;
}

// Sides that read but give an equivalent diameter or a depth beyond the range of numbers: nothing is drawn
// or written ("deq=INF" was), and the drawing says why.
TEST(Formula3Drawing, AValueThatOverflowsDrawsNothingAndSaysWhy) {
    const TextTable one = layers({{"1", "25"}});
    struct Case {
        const char* what;
        int type;
        const char *first, *second;
        TextTable layers;
    };
    const Case cases[] = {
        {"an obround whose deq overflows", obround, "1000", "9e307", one},
        {"a rectangle whose area overflows", rectangle, "1.5e308", "1e308", one},
        {"rock layers whose lengths add up beyond numbers", circle, "1000", "",
         layers({{"1.7e308", "25"}, {"1.7e308", "25"}})},
    };
    for (const Case& c : cases) {
        const PileDrawing drawing =
            formula3Drawing({c.type, equalArea, c.first, c.second, c.layers, LengthStart::Bottom});
        EXPECT_TRUE(drawing.empty()) << c.what;
        EXPECT_EQ(drawing.reason, notDrawableReason) << c.what;
    }
}

} // namespace
} // namespace qianyan

#include "formula1_soil/soil_drawing.h"

#include "formula1_soil/down_drag.h"
#include "formula1_soil/side_resistance.h"
#include "support/drawing_queries.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qianyan {
namespace {

using testing::heightOf;
using testing::pileOf;
using testing::textsOf;

TextTable sideLayers(std::initializer_list<std::string_view> thicknesses) {
    TextTable t(sideColumnCount, TextTable::Storage::Editable);
    for (const std::string_view li : thicknesses) t.appendLeadingCells({"", li, "40"});
    return t;
}

// Rows of name and bottom elevation.
TextTable dragLayers(std::initializer_list<std::pair<std::string_view, std::string_view>> layers) {
    TextTable t(dragColumnCount, TextTable::Storage::Editable);
    for (const auto& [name, bottom] : layers) t.appendLeadingCells({"", name, bottom, "18", "0.25", "20"});
    return t;
}

bool has(const PileDrawing& drawing, std::string_view text) {
    const std::vector<std::string> texts = textsOf(drawing.elevation);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(SoilDrawing, ThePanelsThatCountPlaceTheLayersAndTheRock) {
    const TextTable side = sideLayers({"4", "-2", "6"});
    const TextTable drag = dragLayers({{"填土", "-5"}, {"", "-8.5"}});
    struct Case {
        const char* what;
        const TextTable *side, *drag;
        double pileTop, rockTop;
    };
    const Case cases[] = {
        // Without soil data a short run of soil stands over the rock: d + hr/2.
        {"no panel", nullptr, nullptr, 0, -1.5},
        // The side layers reach from the pile top to the rock; a thickness below 0 counts as 0.
        {"side resistance", &side, nullptr, 0, -10},
        // The rock starts at the neutral plane.
        {"down-drag", nullptr, &drag, -0.9, -8.5},
        {"both", &side, &drag, -0.9, -10.9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PileDrawing drawing = soilPileDrawing({"1000", "1.0d", "25", c.side, c.drag, "-0.3", "-0.9"});
        ASSERT_FALSE(drawing.empty());
        EXPECT_DOUBLE_EQ(pileOf(drawing).top, c.pileTop);
        EXPECT_DOUBLE_EQ(pileOf(drawing).bottom, c.rockTop - 1);
        EXPECT_DOUBLE_EQ(*heightOf(drawing.elevation, "岩面"), c.rockTop);
        EXPECT_EQ(has(drawing, "土层1 4.00m") && has(drawing, "土层3 6.00m"), c.side != nullptr);
        EXPECT_FALSE(has(drawing, "土层2 0.00m"));
        if (c.drag) {
            EXPECT_EQ(heightOf(drawing.elevation, "地面"), -0.3);
            EXPECT_EQ(heightOf(drawing.elevation, "桩顶"), -0.9);
            EXPECT_EQ(heightOf(drawing.elevation, "中性点"), -8.5);
            // Named layers keep their names; the others are numbered.
            EXPECT_TRUE(has(drawing, "填土 4.70m"));
            EXPECT_TRUE(has(drawing, "土层2 3.50m"));
        } else {
            EXPECT_FALSE(heightOf(drawing.elevation, "中性点"));
        }
    }
}

TEST(SoilDrawing, InputsThatWouldNotComputeDrawNothing) {
    const TextTable drag = dragLayers({{"", "-5"}});
    const TextTable endless = dragLayers({{"", "-1e400"}});
    EXPECT_TRUE(soilPileDrawing({"abc", "1.0d", "25", nullptr, nullptr, "", ""}).empty());
    EXPECT_TRUE(soilPileDrawing({"1000", "nan", "25", nullptr, nullptr, "", ""}).empty());
    // Eg and Ep count only with the down-drag.
    EXPECT_FALSE(soilPileDrawing({"1000", "1.0d", "25", nullptr, nullptr, "abc", ""}).empty());
    for (const auto& [ground, pileTop] :
         {std::pair{"abc", "-0.9"}, {"-0.3", ""}, {"1e400", "-0.9"}, {"-0.3", "nan"}})
        EXPECT_TRUE(soilPileDrawing({"1000", "1.0d", "25", nullptr, &drag, ground, pileTop}).empty())
            << ground << " " << pileTop;
    EXPECT_TRUE(soilPileDrawing({"1000", "1.0d", "25", nullptr, &endless, "-0.3", "-0.9"}).empty());
}

} // namespace
} // namespace qianyan

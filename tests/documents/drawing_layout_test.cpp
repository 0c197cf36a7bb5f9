// The drawings of piles with many layers laid out in the frames the window and the printed page give them:
// no text covers another or leaves the frame, every named level is written, and the shapes stay inside.
#include "framework/drawing_layout.h"

#include "circular_pile/circular_pile_drawing.h"
#include "formula1_soil/down_drag.h"
#include "formula1_soil/side_resistance.h"
#include "formula1_soil/soil_drawing.h"
#include "formula3/formula3_drawing.h"
#include "framework/text_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace qianyan {
namespace {

TextTable soilLayers(int count) {
    TextTable side(sideColumnCount, TextTable::Storage::Editable);
    for (int k = 0; k < count; ++k) side.appendLeadingCells({"", k % 3 == 0 ? "0.20" : "1.00", "40"});
    return side;
}

TextTable dragLayers(int count) {
    TextTable drag(dragColumnCount, TextTable::Storage::Editable);
    for (int k = 0; k < count; ++k)
        drag.appendLeadingCells({"", "", std::to_string(-0.3 * (k + 1) - 0.5), "18", "0.25", "20"});
    return drag;
}

TextTable rockLayers(int count) {
    TextTable rock(layer_column::count, TextTable::Storage::Editable);
    for (int k = 0; k < count; ++k)
        rock.appendLeadingCells({"", k % 2 ? "0.15" : "2", std::to_string(5 + 10 * k)});
    return rock;
}

// A font of 10 units a line whose characters are 5.5 units a column (the window's), or 12 and 6.5.
TextMeasure measure(double line, double column) {
    return {[column](std::string_view text) { return column * displayWidth(text); }, line};
}

void expectReadable(const PileDrawing& drawing, const LayoutBox& frame, const TextMeasure& m,
                    const std::vector<std::string>& named, const std::string& what) {
    ASSERT_FALSE(drawing.empty()) << what;
    const DrawingLayout layout = layoutPileDrawing(drawing, frame, m);
    std::vector<PlacedText> texts = layout.section.texts;
    texts.insert(texts.end(), layout.elevation.texts.begin(), layout.elevation.texts.end());
    for (std::size_t a = 0; a < texts.size(); ++a) {
        EXPECT_TRUE(texts[a].box.within(frame)) << what << ": " << texts[a].text << " leaves the frame";
        for (std::size_t b = a + 1; b < texts.size(); ++b)
            EXPECT_FALSE(texts[a].box.overlaps(texts[b].box))
                << what << ": " << texts[a].text << " covers " << texts[b].text;
    }
    for (const std::string& name : named)
        EXPECT_TRUE(
            std::any_of(texts.begin(), texts.end(), [&](const PlacedText& t) { return t.text == name; }))
            << what << ": " << name << " is not written";
    for (const auto& [view, placed] :
         {std::pair{&drawing.section, &layout.section}, std::pair{&drawing.elevation, &layout.elevation}}) {
        if (view->empty()) continue;
        const DrawingBox box = view->box();
        const LayoutBox drawn{placed->x(box.left), placed->y(box.top), placed->x(box.right),
                              placed->y(box.bottom)};
        EXPECT_TRUE(drawn.within(frame)) << what << ": the shapes leave the frame";
        if (view == &drawing.elevation) {
            EXPECT_GT(drawn.height(), frame.height() / 4) << what << ": the elevation drawn too small";
        }
        // No text lies on the shapes: each stands in a column beside them or under them.
        for (const PlacedText& t : placed->texts)
            EXPECT_FALSE(t.box.overlaps(drawn)) << what << ": " << t.text;
    }
}

TEST(DrawingLayout, ManyLayersInTheWindowAndOnThePrintedPage) {
    const TextTable side = soilLayers(20), drag = dragLayers(20), rock = rockLayers(9);
    struct Frame {
        LayoutBox box;
        TextMeasure measure;
        const char* where;
    };
    const Frame frames[] = {
        {{4, 6, 196, 560}, measure(13, 5.5), "the window's view"},
        {{0, 80, 510, 440}, measure(14, 6.5), "the page of figures"},
        {{0, 80, 510, 780}, measure(14, 6.5), "the page of figures without a chart"},
    };
    for (const Frame& f : frames) {
        const std::string where = std::string(" in ") + f.where;
        expectReadable(circularPileDrawing("1000", "2.0d", "25"), f.box, f.measure, {"岩面", "hr=2.00m"},
                       "a circular pile" + where);
        expectReadable(soilPileDrawing({"1000", "1.0d", "25", &side, &drag, "-0.3", "-0.9"}), f.box,
                       f.measure, {"岩面", "地面", "中性点", "桩顶"}, "both soil panels" + where);
        expectReadable(soilPileDrawing({"1000", "1.0d", "25", &side, nullptr, "", ""}), f.box, f.measure,
                       {"岩面"}, "the side resistance" + where);
        expectReadable(soilPileDrawing({"1000", "1.0d", "25", nullptr, &drag, "-0.3", "-0.9"}), f.box,
                       f.measure, {"岩面", "地面", "中性点", "桩顶"}, "the down-drag" + where);
        for (const LengthStart start : {LengthStart::Bottom, LengthStart::Top})
            expectReadable(formula3Drawing({0, 0, "1000", "", rock, start}), f.box, f.measure,
                           {"岩面", "起算点"}, "nine rock layers" + where);
        expectReadable(formula3Drawing({2, 0, "3000", "800", rock, LengthStart::Bottom}), f.box, f.measure,
                       {"岩面", "起算点"}, "a wide rectangle in nine rock layers" + where);
    }
}

TEST(DrawingLayout, ATextStaysLevelWithItsPointWhereTheStripIsTallEnough) {
    const PileDrawing drawing = circularPileDrawing("1000", "2.0d", "25");
    const DrawingLayout layout = layoutPileDrawing(drawing, {0, 0, 300, 600}, measure(13, 5.5));
    ASSERT_FALSE(layout.elevation.texts.empty());
    for (const PlacedText& t : layout.elevation.texts)
        EXPECT_NEAR(t.fromY, t.toY, 0.01) << t.text << " moved off its level with room to spare";
}

} // namespace
} // namespace qianyan

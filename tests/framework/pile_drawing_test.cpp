#include "framework/pile_drawing.h"

#include "support/drawing_queries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace qianyan {
namespace {

using testing::pileOf;

TEST(PileDrawing, TheElevationPutsThePileOverItsBandsAndTheBoxAroundThem) {
    Elevation elevation(1, 2);
    elevation.band(3, 0, DrawingInk::Soil, "土");
    elevation.band(0, -4, DrawingInk::Rock);
    elevation.depth(0, -3, "hr");
    const PileDrawing drawing{{}, std::move(elevation).finish(3, -3)};

    const DrawingRect& pile = pileOf(drawing);
    EXPECT_EQ(pile, (DrawingRect{-0.5, -3, 0.5, 3, DrawingInk::Pile}));
    const DrawingBox box = drawing.elevation.box();
    EXPECT_EQ(box.left, -2);
    EXPECT_EQ(box.right, 2);
    EXPECT_EQ(box.bottom, -4);
    EXPECT_EQ(box.top, 3);
    // A band without a text writes none; the depth is written left of the pile.
    ASSERT_EQ(drawing.elevation.texts.size(), 2U);
    EXPECT_EQ(drawing.elevation.texts[1].side, TextSide::Left);
    EXPECT_LT(drawing.elevation.texts[1].x, -0.5);
}

TEST(PileDrawing, APictureThatCannotBeFittedDrawsNothing) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double huge = std::numeric_limits<double>::max();
    struct Case {
        const char* what;
        DrawingRect rect;
        bool drawn;
    };
    const Case cases[] = {
        {"a pile", {-0.5, -10, 0.5, 0, DrawingInk::Pile}, true},
        {"not a number", {-0.5, nan, 0.5, 0, DrawingInk::Pile}, false},
        {"infinite", {-0.5, -inf, 0.5, 0, DrawingInk::Pile}, false},
        {"a width beyond the range of numbers", {-huge, -1, huge, 0, DrawingInk::Pile}, false},
        {"no width", {0, -1, 0, 0, DrawingInk::Pile}, false},
        {"under a micrometre", {-1e-9, -1, 1e-9, 0, DrawingInk::Pile}, false},
        {"a nan corner", {-0.5, -1, 0.5, 0, DrawingInk::Pile, nan}, false},
    };
    for (const Case& c : cases) {
        PileDrawing drawing;
        addSection(drawing.section, 1, 1, 0.5, "d");
        drawing.elevation.rects.push_back(c.rect);
        const PileDrawing checked = drawableOrEmpty(drawing);
        EXPECT_EQ(checked.empty(), !c.drawn) << c.what;
        EXPECT_EQ(checked.reason, c.drawn ? "" : notDrawableReason) << c.what;
    }
    PileDrawing textOnly;
    textOnly.elevation.texts.push_back({nan, 0, "x", TextSide::Left, DrawingInk::Level});
    textOnly.elevation.rects.push_back({-0.5, -1, 0.5, 0, DrawingInk::Pile});
    EXPECT_TRUE(drawableOrEmpty(textOnly).empty());
}

// A value that overflows while every input reads (a diameter derived from huge sides) is written nowhere:
// the drawing that would write it is none, and says why.
TEST(PileDrawing, ANumberThatIsNotFiniteDrawsNothingAndSaysWhy) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    const auto drawingWriting = [](double value, auto write) {
        return drawnOrNothing([&] {
            PileDrawing drawing;
            addSection(drawing.section, 1, 1, 0.5, "deq=" + write(value));
            return drawing;
        });
    };
    const auto plain = [](double v) { return drawnNumber(v); };
    const auto whole = [](double v) { return drawnNumber(v, 0); };
    const auto inMetres = [](double v) { return metres(v); };
    for (const double value : {inf, -inf, nan}) {
        for (const PileDrawing& drawing :
             {drawingWriting(value, plain), drawingWriting(value, whole), drawingWriting(value, inMetres)}) {
            EXPECT_TRUE(drawing.empty()) << value;
            EXPECT_EQ(drawing.reason, notDrawableReason) << value;
        }
    }
    const PileDrawing drawn = drawingWriting(1279.4, whole);
    EXPECT_EQ(drawn.section.texts.at(0).text, "deq=1279");
    EXPECT_EQ(drawn.reason, "");
    // Inputs that do not read draw nothing without a reason here: the input says why.
    EXPECT_EQ(drawnOrNothing([] { return PileDrawing{}; }), PileDrawing{});
}

} // namespace
} // namespace qianyan

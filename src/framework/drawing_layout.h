#pragma once
// Where a pile drawing goes in a frame (of the window's view or a printed page), in the frame's units with
// y downwards: each view to scale, and its texts in a column beside it (left or right, as each names its
// side) or under it. A text stays level with its point where there is room; where the strips it names are
// thinner than a line, the column moves texts apart and a leader line joins each to its point. A named level
// (岩面, 起算点, 中性点, 桩顶, …) is always written; only where a column cannot hold every text are layers'
// names left out, every other one. No text covers another, and nothing leaves the frame.
#include "framework/pile_drawing.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

struct LayoutBox {
    double left, top, right, bottom;

    double width() const { return right - left; }
    double height() const { return bottom - top; }
    bool overlaps(const LayoutBox& other) const;
    bool within(const LayoutBox& other) const;
};

// How wide a text is written and how tall its line, in the frame's units.
struct TextMeasure {
    std::function<double(std::string_view)> width;
    double lineHeight;
};

struct PlacedText {
    std::string text;
    DrawingInk ink;
    LayoutBox box;
    // A leader from the text's point to the column's edge beside the text; none (from equals to) for a
    // text under its point.
    double fromX, fromY, toX, toY;
};

struct ViewLayout {
    double scale = 0;         // frame units per metre
    double left = 0, top = 0; // where the view's box's left top corner lands
    DrawingBox box{};         // the view's box
    std::vector<PlacedText> texts;

    double x(double metres) const { return left + (metres - box.left) * scale; }
    double y(double metres) const { return top + (box.top - metres) * scale; }
};

struct DrawingLayout {
    ViewLayout section, elevation; // an empty view has no scale
};

// The section over the top fifth of the frame at most, the elevation under it.
DrawingLayout layoutPileDrawing(const PileDrawing& drawing, const LayoutBox& frame,
                                const TextMeasure& measure);
ViewLayout layoutView(const DrawingView& view, const LayoutBox& frame, const TextMeasure& measure);

} // namespace qianyan

#include "framework/drawing_layout.h"

#include <algorithm>
#include <cmath>

namespace qianyan {

bool LayoutBox::overlaps(const LayoutBox& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
}

bool LayoutBox::within(const LayoutBox& other) const {
    return left >= other.left && right <= other.right && top >= other.top && bottom <= other.bottom;
}

namespace {

constexpr double gap = 3;    // between a text and what it names
constexpr double leader = 8; // the room a leader line takes beside the drawing

// A layer's name, which a crowded column may leave out; every other text names a level or a length.
bool layerName(const DrawingText& t) {
    return t.ink == DrawingInk::Soil || t.ink == DrawingInk::SoilAlternate || t.ink == DrawingInk::Rock ||
           t.ink == DrawingInk::RockAlternate;
}

// The texts of one column, level with their points where the column allows, moved apart otherwise, within
// [top, bottom]: returns each text's centre height.
std::vector<double> spread(const std::vector<double>& wanted, double top, double bottom, double line) {
    std::vector<double> at(wanted.size());
    for (std::size_t k = 0; k < wanted.size(); ++k)
        at[k] = std::max(k == 0 ? top + line / 2 : at[k - 1] + line, wanted[k]);
    for (std::size_t k = wanted.size(); k-- > 0;)
        at[k] = std::min(at[k], k + 1 == wanted.size() ? bottom - line / 2 : at[k + 1] - line);
    return at;
}

struct ColumnText {
    const DrawingText* text;
    double x, y; // its point in the frame
};

// Leaves out every other layer's name (the first and last kept) while the column is taller than its room.
void thin(std::vector<ColumnText>& column, double room, double line) {
    while (static_cast<double>(column.size()) * line > room) {
        std::vector<ColumnText> kept;
        std::size_t layer = 0, layers = 0;
        for (const ColumnText& c : column) layers += layerName(*c.text) ? 1 : 0;
        if (layers < 3) return;
        for (const ColumnText& c : column) {
            if (layerName(*c.text)) {
                const std::size_t n = layer++;
                if (n % 2 == 1 && n + 1 != layers) continue;
            }
            kept.push_back(c);
        }
        column = std::move(kept);
    }
}

} // namespace

ViewLayout layoutView(const DrawingView& view, const LayoutBox& frame, const TextMeasure& measure) {
    ViewLayout layout;
    if (view.empty()) return layout;
    layout.box = view.box();
    const double line = measure.lineHeight;
    double leftColumn = 0, rightColumn = 0, below = 0;
    for (const DrawingText& t : view.texts) {
        const double width = measure.width(t.text) + gap + leader;
        if (t.side == TextSide::Left) leftColumn = std::max(leftColumn, width);
        if (t.side == TextSide::Right) rightColumn = std::max(rightColumn, width);
        if (t.side == TextSide::Below) below = line + gap;
    }
    // The largest scale at which the view fits between its columns and over what is written under it.
    const LayoutBox room{frame.left + leftColumn, frame.top + line / 2, frame.right - rightColumn,
                         frame.bottom - std::max(line / 2, below)};
    const double width = layout.box.right - layout.box.left, height = layout.box.top - layout.box.bottom;
    layout.scale = std::max(0.0, std::min(room.width() / width, room.height() / height));
    layout.left = room.left + (room.width() - width * layout.scale) / 2;
    layout.top = room.top;

    std::vector<ColumnText> left, right;
    for (const DrawingText& t : view.texts) {
        const ColumnText c{&t, layout.x(t.x), layout.y(t.y)};
        if (t.side == TextSide::Left) left.push_back(c);
        if (t.side == TextSide::Right) right.push_back(c);
        if (t.side != TextSide::Below) continue;
        // Centred under its point, moved sideways into the frame.
        const double textWidth = measure.width(t.text);
        const double x =
            std::clamp(c.x - textWidth / 2, frame.left, std::max(frame.left, frame.right - textWidth));
        const LayoutBox box{x, c.y + gap, x + textWidth, c.y + gap + line};
        layout.texts.push_back({t.text, t.ink, box, c.x, c.y, c.x, c.y});
    }
    const double drawingLeft = layout.x(layout.box.left), drawingRight = layout.x(layout.box.right);
    const auto place = [&](std::vector<ColumnText>& column, bool onLeft) {
        thin(column, frame.height(), line);
        std::stable_sort(column.begin(), column.end(),
                         [](const ColumnText& a, const ColumnText& b) { return a.y < b.y; });
        std::vector<double> wanted;
        for (const ColumnText& c : column) wanted.push_back(c.y);
        const std::vector<double> at = spread(wanted, frame.top, frame.bottom, line);
        for (std::size_t k = 0; k < column.size(); ++k) {
            const ColumnText& c = column[k];
            const double textWidth = measure.width(c.text->text);
            // Beside the drawing, the room of a leader away from it.
            const double edge = onLeft ? drawingLeft - leader : drawingRight + leader;
            const double x = onLeft ? edge - gap - textWidth : edge + gap;
            const LayoutBox box{x, at[k] - line / 2, x + textWidth, at[k] + line / 2};
            // The leader runs from the point to the column, level where the text could stay level.
            layout.texts.push_back({c.text->text, c.text->ink, box, c.x, c.y, edge, at[k]});
        }
    };
    place(left, true);
    place(right, false);
    return layout;
}

DrawingLayout layoutPileDrawing(const PileDrawing& drawing, const LayoutBox& frame,
                                const TextMeasure& measure) {
    const double sectionHeight =
        drawing.section.empty() ? 0 : std::min(frame.height() / 5, frame.width() / 2);
    return {
        layoutView(drawing.section, {frame.left, frame.top, frame.right, frame.top + sectionHeight}, measure),
        layoutView(drawing.elevation, {frame.left, frame.top + sectionHeight, frame.right, frame.bottom},
                   measure)};
}

} // namespace qianyan

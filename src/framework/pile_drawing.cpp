#include "framework/pile_drawing.h"

#include "framework/number_text.h"

#include <algorithm>
#include <cmath>

namespace qianyan {

DrawingBox DrawingView::box() const {
    DrawingBox b{INFINITY, INFINITY, -INFINITY, -INFINITY};
    const auto take = [&b](double x, double y) {
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.bottom = std::min(b.bottom, y);
        b.top = std::max(b.top, y);
    };
    for (const DrawingRect& r : rects) take(r.left, r.bottom), take(r.right, r.top);
    for (const DrawingLine& l : lines) take(l.x1, l.y1), take(l.x2, l.y2);
    return b;
}

bool DrawingView::finite() const {
    const auto all = [](std::initializer_list<double> values) {
        return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
    };
    return std::all_of(rects.begin(), rects.end(),
                       [&](const DrawingRect& r) {
                           return all({r.left, r.bottom, r.right, r.top, r.cornerRadius});
                       }) &&
           std::all_of(lines.begin(), lines.end(),
                       [&](const DrawingLine& l) {
                           return all({l.x1, l.y1, l.x2, l.y2});
                       }) &&
           std::all_of(texts.begin(), texts.end(), [&](const DrawingText& t) {
               return all({t.x, t.y});
           });
}

namespace {

bool drawable(const DrawingView& view) {
    if (view.empty()) return true;
    if (!view.finite()) return false;
    const DrawingBox b = view.box();
    const double width = b.right - b.left, height = b.top - b.bottom;
    // Below a micrometre across or beyond the range of numbers, no scale fits it on a page.
    constexpr double smallest = 1e-6;
    return width >= smallest && height >= smallest && std::isfinite(width) && std::isfinite(height);
}

} // namespace

PileDrawing drawableOrEmpty(PileDrawing drawing) {
    if (drawable(drawing.section) && drawable(drawing.elevation)) return drawing;
    return {{}, {}, std::string(notDrawableReason)};
}

void addSection(DrawingView& view, double width, double height, double cornerRadius, std::string label) {
    view.rects.push_back({-width / 2, -height / 2, width / 2, height / 2, DrawingInk::Pile, cornerRadius});
    view.texts.push_back({0, -height / 2, std::move(label), TextSide::Below, DrawingInk::Dimension});
}

void Elevation::band(double top, double bottom, DrawingInk ink, std::string text) {
    view_.rects.push_back({-reach_, bottom, reach_, top, ink});
    if (!text.empty())
        view_.texts.push_back({reach_, (top + bottom) / 2, std::move(text), TextSide::Right, ink});
}

void Elevation::sideBand(double top, double bottom, bool left, DrawingInk ink, std::string text) {
    const double x = left ? -width_ / 2 : width_ / 2;
    view_.rects.push_back({left ? -reach_ : 0, bottom, left ? 0 : reach_, top, ink});
    view_.texts.push_back(
        {x, (top + bottom) / 2, std::move(text), left ? TextSide::Left : TextSide::Right, ink});
}

void Elevation::level(double y, DrawingInk ink, std::string name) {
    view_.lines.push_back({-reach_, y, reach_, y, ink});
    view_.texts.push_back({-reach_, y, std::move(name), TextSide::Left, ink});
}

void Elevation::depth(double top, double bottom, std::string text) {
    // Left of the pile, halfway to the end of the bands, with a tick at either end.
    const double x = -(width_ / 2 + reach_) / 2, tick = (reach_ - width_ / 2) / 6;
    view_.lines.push_back({x, top, x, bottom, DrawingInk::Dimension});
    view_.lines.push_back({x - tick, top, x + tick, top, DrawingInk::Dimension});
    view_.lines.push_back({x - tick, bottom, x + tick, bottom, DrawingInk::Dimension});
    // A third of the way down, clear of a level drawn halfway (the bound of a socket twice its length).
    view_.texts.push_back(
        {x - tick, top - (top - bottom) / 3, std::move(text), TextSide::Left, DrawingInk::Dimension});
}

void Elevation::mark(double y, DrawingInk ink, std::string text) {
    const double side = -width_ / 2, tick = (reach_ - width_ / 2) / 3;
    view_.lines.push_back({side - tick, y, side + width_ / 4, y, ink});
    view_.texts.push_back({side - tick, y, std::move(text), TextSide::Left, ink});
}

DrawingView Elevation::finish(double top, double tip) && {
    view_.rects.push_back({-width_ / 2, tip, width_ / 2, top, DrawingInk::Pile});
    return std::move(view_);
}

std::string drawnNumber(double value) {
    if (!std::isfinite(value)) throw NotDrawable{};
    return general(value);
}

std::string drawnNumber(double value, int decimals) {
    if (!std::isfinite(value)) throw NotDrawable{};
    return fixed(value, 15, decimals);
}

std::string metres(double value) {
    return drawnNumber(value, 2) + "m";
}

} // namespace qianyan

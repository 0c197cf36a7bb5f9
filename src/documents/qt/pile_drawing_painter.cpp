#include "documents/qt/pile_drawing_painter.h"

#include "documents/qt/qt_text.h"
#include "framework/drawing_layout.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace qianyan {

namespace {

QColor fillOf(DrawingInk ink) {
    switch (ink) {
    case DrawingInk::Pile:
        return {0xC8, 0xC8, 0xC8};
    case DrawingInk::Soil:
        return {0xEC, 0xDD, 0xB0};
    case DrawingInk::SoilAlternate:
        return {0xDC, 0xC6, 0x8E};
    case DrawingInk::Rock:
        return {0xB4, 0xB4, 0xC4};
    case DrawingInk::RockAlternate:
        return {0x98, 0x98, 0xAE};
    default:
        return Qt::white;
    }
}

QPen penOf(DrawingInk ink) {
    switch (ink) {
    case DrawingInk::Ground:
        return QPen(QColor(0x6B, 0x4F, 0x2A), 2);
    case DrawingInk::Marker:
        return QPen(Qt::red, 1.5, Qt::DashLine);
    case DrawingInk::Bound:
        return QPen(QColor(0xC0, 0x00, 0xC0), 1.5, Qt::DashLine);
    case DrawingInk::Pile:
        return QPen(QColor(0x30, 0x30, 0x30), 1);
    default:
        return QPen(QColor(0x40, 0x40, 0x40), 1);
    }
}

QColor textColorOf(DrawingInk ink) {
    switch (ink) {
    case DrawingInk::Marker:
        return Qt::red;
    case DrawingInk::Bound:
        return {0xC0, 0x00, 0xC0};
    case DrawingInk::Ground:
        return {0x6B, 0x4F, 0x2A};
    default:
        return Qt::black;
    }
}

// Paints a view as its layout places it: the shapes to scale, each text where its column put it, joined
// to its point by a thin line in its colour.
void paintView(QPainter& painter, const DrawingView& view, const ViewLayout& layout) {
    if (!std::isfinite(layout.scale) || !(layout.scale > 0)) return;
    const auto at = [&layout](double x, double y) { return QPointF(layout.x(x), layout.y(y)); };
    for (const DrawingRect& r : view.rects) {
        painter.setPen(penOf(DrawingInk::Pile));
        painter.setBrush(fillOf(r.ink));
        const double radius = r.cornerRadius * layout.scale;
        painter.drawRoundedRect(QRectF(at(r.left, r.top), at(r.right, r.bottom)), radius, radius);
    }
    painter.setBrush(Qt::NoBrush);
    for (const DrawingLine& l : view.lines) {
        painter.setPen(penOf(l.ink));
        painter.drawLine(at(l.x1, l.y1), at(l.x2, l.y2));
    }
    for (const PlacedText& t : layout.texts) {
        painter.setPen(QPen(textColorOf(t.ink), 0.6));
        if (t.fromX != t.toX || t.fromY != t.toY)
            painter.drawLine(QPointF(t.fromX, t.fromY), QPointF(t.toX, t.toY));
        painter.drawText(QRectF(QPointF(t.box.left, t.box.top), QPointF(t.box.right, t.box.bottom)),
                         Qt::AlignCenter, qtText(t.text));
    }
}

} // namespace

void paintPileDrawing(QPainter& painter, const QRectF& area, const PileDrawing& drawing) {
    if (area.isEmpty()) return;
    if (drawing.empty()) {
        // In place of the picture, why there is none.
        if (drawing.reason.empty()) return;
        painter.save();
        painter.setPen(textColorOf(DrawingInk::Dimension));
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, qtText(drawing.reason));
        painter.restore();
        return;
    }
    painter.save();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(painter.font());
    const TextMeasure measure{
        [&metrics](std::string_view text) { return metrics.horizontalAdvance(qtText(text)); },
        metrics.height()};
    const DrawingLayout layout =
        layoutPileDrawing(drawing, {area.left(), area.top(), area.right(), area.bottom()}, measure);
    paintView(painter, drawing.section, layout.section);
    paintView(painter, drawing.elevation, layout.elevation);
    painter.restore();
}

} // namespace qianyan

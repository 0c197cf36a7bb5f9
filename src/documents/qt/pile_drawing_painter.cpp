#include "documents/qt/pile_drawing_painter.h"

#include "documents/qt/qt_text.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

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

// Fits a view into area to scale, with its texts inside the area, and paints it.
class ViewPainter {
public:
    ViewPainter(QPainter& painter, const QRectF& area, const DrawingView& view, std::vector<QRectF>& written)
        : painter_(painter), metrics_(painter.font()), written_(written), box_(view.box()) {
        double below = 0;
        for (const DrawingText& t : view.texts)
            if (t.side == TextSide::Below) below = metrics_.height() + gap;
        const double half = metrics_.height() / 2;
        const QRectF room = area.adjusted(0, half, 0, -std::max(half, below));
        const double height = box_.top - box_.bottom;
        // The largest scale at which the geometry fits the room's height and, somewhere across, the room's
        // width together with every text beside it.
        double fits = 0, fails = room.height() / height;
        if (across(view, room, fails)) fits = fails;
        for (int step = 0; step < 60 && fits < fails; ++step) {
            const double scale = (fits + fails) / 2;
            (across(view, room, scale) ? fits : fails) = scale;
        }
        scale_ = fits;
        origin_ = QPointF(across(view, room, scale_).value_or(room.left()), room.top());
    }

    void paint(const DrawingView& view) {
        if (!std::isfinite(scale_) || !(scale_ > 0)) return;
        for (const DrawingRect& r : view.rects) {
            painter_.setPen(penOf(DrawingInk::Pile));
            painter_.setBrush(fillOf(r.ink));
            const QRectF rect(at(r.left, r.top), at(r.right, r.bottom));
            const double radius = r.cornerRadius * scale_;
            painter_.drawRoundedRect(rect, radius, radius);
        }
        painter_.setBrush(Qt::NoBrush);
        for (const DrawingLine& l : view.lines) {
            painter_.setPen(penOf(l.ink));
            painter_.drawLine(at(l.x1, l.y1), at(l.x2, l.y2));
        }
        for (const DrawingText& t : view.texts) write(t);
    }

private:
    static constexpr double gap = 3;

    // Where the box's left edge can lie at a scale so that the geometry and the texts at its sides keep
    // within the room: the middle of the span that allows, or none.
    std::optional<double> across(const DrawingView& view, const QRectF& room, double scale) const {
        double from = room.left(), to = room.right() - (box_.right - box_.left) * scale;
        for (const DrawingText& t : view.texts) {
            const double offset = (t.x - box_.left) * scale, width = textWidth(t) + gap;
            if (t.side == TextSide::Left) from = std::max(from, room.left() + width - offset);
            if (t.side == TextSide::Right) to = std::min(to, room.right() - width - offset);
            if (t.side == TextSide::Below) {
                from = std::max(from, room.left() + width / 2 - offset);
                to = std::min(to, room.right() - width / 2 - offset);
            }
        }
        if (from > to) return std::nullopt;
        return (from + to) / 2;
    }

    double textWidth(const DrawingText& t) const { return metrics_.horizontalAdvance(qtText(t.text)); }

    QPointF at(double x, double y) const {
        return origin_ + QPointF((x - box_.left) * scale_, (box_.top - y) * scale_);
    }

    void write(const DrawingText& t) {
        const QString text = qtText(t.text);
        const QSizeF size(metrics_.horizontalAdvance(text), metrics_.height());
        const QPointF p = at(t.x, t.y);
        QRectF rect;
        switch (t.side) {
        case TextSide::Left:
            rect = QRectF(QPointF(p.x() - gap - size.width(), p.y() - size.height() / 2), size);
            break;
        case TextSide::Right:
            rect = QRectF(QPointF(p.x() + gap, p.y() - size.height() / 2), size);
            break;
        case TextSide::Below:
            rect = QRectF(QPointF(p.x() - size.width() / 2, p.y() + gap), size);
            break;
        }
        if (std::any_of(written_.begin(), written_.end(),
                        [&](const QRectF& r) { return r.intersects(rect); }))
            return;
        written_.push_back(rect);
        painter_.setPen(textColorOf(t.ink));
        painter_.drawText(rect, Qt::AlignCenter, text);
    }

    QPainter& painter_;
    QFontMetricsF metrics_;
    std::vector<QRectF>& written_;
    DrawingBox box_;
    double scale_ = 0;
    QPointF origin_;
};

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
    std::vector<QRectF> written;
    // The section takes a fifth of the height at most, the elevation the rest.
    const double sectionHeight = drawing.section.empty() ? 0 : std::min(area.height() / 5, area.width() / 2);
    const QRectF section(area.topLeft(), QSizeF(area.width(), sectionHeight));
    const QRectF elevation = area.adjusted(0, sectionHeight, 0, 0);
    if (!drawing.section.empty())
        ViewPainter(painter, section, drawing.section, written).paint(drawing.section);
    if (!drawing.elevation.empty())
        ViewPainter(painter, elevation, drawing.elevation, written).paint(drawing.elevation);
    painter.restore();
}

} // namespace qianyan

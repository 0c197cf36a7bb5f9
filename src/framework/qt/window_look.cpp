#include "framework/qt/window_look.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QWidget>

namespace qianyan {

void paintVerticalGradient(QPainter& painter, const QRect& area, const QColor& top, const QColor& bottom,
                           double stop) {
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(stop, bottom);
    painter.fillRect(area, gradient);
}

void setFontPixels(QWidget* widget, int px, bool bold) {
    QFont font = widget->font();
    font.setPixelSize(px);
    font.setBold(bold);
    widget->setFont(font);
}

void centreOnScreen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void paintEmblem(QPainter& painter, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = std::min(area.width(), area.height());
    const QPointF o(area.center().x() - s / 2, area.center().y() - s / 2);
    const auto at = [&](double x, double y) { return o + QPointF(x * s, y * s); };
    // Rock below, soil above, the pile through both.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x8D, 0x6E, 0x63));
    painter.drawRoundedRect(QRectF(at(0.04, 0.58), at(0.96, 0.96)), s * 0.06, s * 0.06);
    painter.setBrush(QColor(0xD7, 0xB9, 0x8E));
    painter.drawRect(QRectF(at(0.04, 0.30), at(0.96, 0.58)));
    painter.setBrush(QColor(0x11, 0x5D, 0xD9));
    painter.drawRect(QRectF(at(0.38, 0.04), at(0.62, 0.84)));
    painter.setPen(QPen(QColor(0x5D, 0x40, 0x37), s * 0.03));
    for (double x : {0.12, 0.26, 0.74, 0.88}) painter.drawLine(at(x, 0.66), at(x + 0.06, 0.90));
    painter.restore();
}

} // namespace qianyan

#include "framework/qt/pile_drawing_view.h"

#include "documents/qt/pile_drawing_painter.h"
#include "framework/qt/window_look.h"

#include <QPainter>

namespace qianyan {

PileDrawingView::PileDrawingView(QWidget* parent) : QWidget(parent) {
    setFontPixels(this, 10);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void PileDrawingView::setDrawing(PileDrawing drawing) {
    if (drawing == drawing_) return;
    drawing_ = std::move(drawing);
    update();
}

void PileDrawingView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QColor(0xA0, 0xA0, 0xA0));
    painter.setBrush(Qt::white);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    paintPileDrawing(painter, QRectF(rect()).adjusted(4, 6, -4, -6), drawing_);
}

} // namespace qianyan

#pragma once
// Paints a pile drawing: the section at the top and the elevation under it, each fitted to its share of
// the rectangle to scale, with the texts in the painter's font beside their points (a text that would
// cover one already written is left out). PileDrawingView shows the drawing of a window's inputs on its
// main page; anything else that paints (a printed page) calls paintPileDrawing with its own rectangle.
#include "framework/pile_drawing.h"

#include <QWidget>

class QPainter;

namespace qianyan {

void paintPileDrawing(QPainter& painter, const QRectF& area, const PileDrawing& drawing);

class PileDrawingView : public QWidget {
public:
    explicit PileDrawingView(QWidget* parent = nullptr);

    const PileDrawing& drawing() const { return drawing_; }
    // Repaints only when the drawing changed.
    void setDrawing(PileDrawing drawing);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PileDrawing drawing_;
};

} // namespace qianyan

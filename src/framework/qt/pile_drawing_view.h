#pragma once
// The drawing of a window's inputs on its main page, painted as a printed page paints it.
#include "framework/pile_drawing.h"

#include <QWidget>

namespace qianyan {

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

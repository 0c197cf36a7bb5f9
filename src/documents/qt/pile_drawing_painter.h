#pragma once
// Paints a pile drawing as layoutPileDrawing places it in the rectangle with the painter's font: the
// section at the top and the elevation under it to scale, the texts in columns beside them with leader
// lines; a drawing of nothing writes the reason it gives. The window's view and the printed figure page
// both call it.
#include "framework/pile_drawing.h"

class QPainter;
class QRectF;

namespace qianyan {

void paintPileDrawing(QPainter& painter, const QRectF& area, const PileDrawing& drawing);

} // namespace qianyan

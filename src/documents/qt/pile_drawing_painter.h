#pragma once
// Paints a pile drawing: the section at the top and the elevation under it, each fitted to its share of
// the rectangle to scale, with the texts in the painter's font beside their points (a text that would
// cover one already written is left out); a drawing of nothing writes the reason it gives. The window's
// view and the printed figure page both call it.
#include "framework/pile_drawing.h"

class QPainter;
class QRectF;

namespace qianyan {

void paintPileDrawing(QPainter& painter, const QRectF& area, const PileDrawing& drawing);

} // namespace qianyan

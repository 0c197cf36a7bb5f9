#pragma once
// What the program's windows share in looks: the vertical gradients, fonts sized in device-independent
// pixels and placing a new window in the middle of the screen.
#include <QColor>

class QPainter;
class QRect;
class QRectF;
class QWidget;

namespace qianyan {

// A vertical gradient from top to bottom colour, reaching the bottom colour at `stop` (0..1) of the height.
void paintVerticalGradient(QPainter& painter, const QRect& area, const QColor& top, const QColor& bottom,
                           double stop = 1.0);
// The widget's font at pixel size px, optionally bold.
void setFontPixels(QWidget* widget, int px, bool bold = false);
void centreOnScreen(QWidget* window);
// The program's emblem (a pile socketed into rock), for the window icon and the logo strip.
void paintEmblem(QPainter& painter, const QRectF& area);

} // namespace qianyan

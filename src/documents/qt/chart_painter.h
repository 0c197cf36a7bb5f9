#pragma once
// The workbench chart painted from its binned points alone (no chart widget needed, so the driver prints
// it too): the plot in a frame, five ticks on each axis with their values, the axes' titles, the points,
// the legend and the counts, in the painter's font. The window's chart gives its series the same colours.
#include "framework/workbench_chart.h"

#include <QColor>

class QPainter;
class QRectF;

namespace qianyan {

// The colour of a chart's group, the same for its text for the life of the table; the highlighted
// candidates are always red.
QColor chartGroupColour(const ChartGroup& group);

void paintWorkbenchChart(QPainter& painter, const QRectF& area, const ChartFigure& chart);

} // namespace qianyan

#include "documents/qt/chart_painter.h"

#include "documents/qt/qt_text.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace qianyan {

namespace {

constexpr int fallbackTicks = 5;
constexpr double markerPixels = 7; // of the binned plot; the squares were sized for it

const std::array<QColor, chartColourGroups + 1> groupColours = {
    QColor(0x20, 0x9F, 0xDF), QColor(0x99, 0xCA, 0x53), QColor(0xF6, 0xA6, 0x25),
    QColor(0x6D, 0x5F, 0xD5), QColor(0xBF, 0x59, 0x3E), QColor(0x2E, 0x8B, 0x57),
    QColor(0xD1, 0x4F, 0xA8), QColor(0x7F, 0x7F, 0x7F), QColor(0xB8, 0xB8, 0xB8)};

// The values the ticks of an axis stand at: the multiples of its round step between min and max; five,
// evenly spread, where there is no round step.
std::vector<double> tickValues(double min, double max, double step) {
    std::vector<double> values;
    if (step > 0 && (max - min) / step <= 20) {
        for (double v = firstTick({min, max, step}); v <= max; v += step) values.push_back(v);
    } else {
        for (int k = 0; k < fallbackTicks; ++k) values.push_back(min + (max - min) * k / (fallbackTicks - 1));
    }
    return values;
}

// A tick's text: the decimals its step needs, or six digits where there is no round step or the numbers
// are too long to read.
QString tickText(double value, double step) {
    if (step > 0 && std::abs(value) < 1e9) return QString::number(value, 'f', tickDecimals(step));
    return QString::number(value, 'g', 6);
}

struct LegendEntry {
    QRectF box; // the marker and the name
    QColor colour;
    QString name;
};

// A quarter of a line: the room between texts, whatever the device's resolution.
double gapOf(const QFontMetricsF& metrics) {
    return metrics.height() / 4;
}

// The legend's entries flowed across width from (0, 0), wrapping where an entry would not fit.
std::vector<LegendEntry> legendEntries(const ChartBins& bins, const QFontMetricsF& metrics, double width) {
    const double gap = gapOf(metrics);
    std::vector<LegendEntry> entries;
    const double marker = metrics.height() * 0.6;
    QPointF at(0, 0);
    for (const ChartGroup& group : bins.groups) {
        const QString name = qtText(group.name);
        const QSizeF size(marker + gap + metrics.horizontalAdvance(name), metrics.height());
        if (at.x() > 0 && at.x() + size.width() > width) at = QPointF(0, at.y() + size.height());
        entries.push_back({QRectF(at, size), chartGroupColour(group), name});
        at.rx() += size.width() + 3 * gap;
    }
    return entries;
}

} // namespace

QColor chartGroupColour(const ChartGroup& group) {
    if (group.highlighted) return {200, 0, 0};
    return groupColours[std::min(group.colour, groupColours.size() - 1)];
}

void paintWorkbenchChart(QPainter& painter, const QRectF& area, const ChartFigure& chart) {
    const ChartBins& bins = chart.bins;
    // A range no wider than a point, or beyond a double, has no scale to place points by.
    const double xRange = bins.xMax - bins.xMin, yRange = bins.yMax - bins.yMin;
    if (area.isEmpty() || !(std::isfinite(xRange) && xRange > 0 && std::isfinite(yRange) && yRange > 0))
        return;
    painter.save();
    painter.setClipRect(area);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double line = metrics.height(), gap = gapOf(metrics);

    std::vector<LegendEntry> legend = legendEntries(bins, metrics, area.width());
    const double legendHeight = legend.empty() ? 0 : legend.back().box.bottom() + gap;
    const std::vector<double> xTicks = tickValues(bins.xMin, bins.xMax, bins.xStep);
    const std::vector<double> yTicks = tickValues(bins.yMin, bins.yMax, bins.yStep);
    double yLabels = 0;
    for (const double y : yTicks)
        yLabels = std::max(yLabels, metrics.horizontalAdvance(tickText(y, bins.yStep)));
    const QRectF plot(area.left() + line + gap + yLabels + gap, area.top() + line / 2,
                      area.width() -
                          (line + 3 * gap + yLabels + 2 * metrics.horizontalAdvance(QLatin1Char('0'))),
                      area.height() - (line / 2 + 3 * line + 2 * gap + legendHeight));
    if (plot.width() <= 0 || plot.height() <= 0) {
        painter.restore();
        return;
    }
    const auto at = [&](double x, double y) {
        return QPointF(plot.left() + (x - bins.xMin) / xRange * plot.width(),
                       plot.bottom() - (y - bins.yMin) / yRange * plot.height());
    };

    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 0.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    for (const double value : xTicks) {
        const double x = at(value, bins.yMin).x();
        painter.setPen(QPen(QColor(0xD8, 0xD8, 0xD8), 0.5));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(Qt::black);
        const QString text = tickText(value, bins.xStep);
        const double width = metrics.horizontalAdvance(text) + gap;
        painter.drawText(QRectF(x - width / 2, plot.bottom() + gap / 2, width, line),
                         Qt::AlignHCenter | Qt::AlignTop, text);
    }
    for (const double value : yTicks) {
        const double y = at(bins.xMin, value).y();
        painter.setPen(QPen(QColor(0xD8, 0xD8, 0xD8), 0.5));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(plot.left() - gap - yLabels, y - line / 2, yLabels, line),
                         Qt::AlignRight | Qt::AlignVCenter, tickText(value, bins.yStep));
    }
    painter.drawText(QRectF(plot.left(), plot.bottom() + line + gap / 2, plot.width(), line), Qt::AlignCenter,
                     qtText(chart.xTitle));
    painter.save();
    painter.translate(area.left(), plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignCenter,
                     qtText(chart.yTitle));
    painter.restore();

    // The markers keep their share of the plot that binned them.
    const double scale = bins.width > 0 ? plot.width() / bins.width : 1;
    painter.save();
    painter.setClipRect(plot);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const ChartGroup& group : bins.groups) {
        painter.setBrush(chartGroupColour(group));
        const double radius = (group.highlighted ? markerPixels + 2 : markerPixels) * scale / 2;
        for (const ChartPoint& p : group.points) painter.drawEllipse(at(p.x, p.y), radius, radius);
    }
    painter.restore();

    const QPointF legendTop(area.left(), plot.bottom() + 2 * line + 2 * gap);
    for (const LegendEntry& entry : legend) {
        const QRectF box = entry.box.translated(legendTop);
        const double marker = line * 0.6;
        painter.setPen(Qt::NoPen);
        painter.setBrush(entry.colour);
        painter.drawEllipse(QRectF(box.left(), box.center().y() - marker / 2, marker, marker));
        painter.setPen(Qt::black);
        painter.drawText(box.adjusted(marker + gap, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, entry.name);
    }
    painter.drawText(QRectF(area.left(), legendTop.y() + legendHeight, area.width(), line),
                     Qt::AlignLeft | Qt::AlignVCenter, qtText(chartCountsText(bins)));
    painter.restore();
}

} // namespace qianyan

#include "documents/qt/sheet_pdf.h"

#include "documents/printed_pages.h"
#include "documents/qt/chart_painter.h"
#include "documents/qt/pile_drawing_painter.h"
#include "documents/qt/qt_text.h"
#include "documents/qt/sheet_font.h"
#include "framework/text_layout.h"
#include "platform/legacy_text_file.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>

#include <QHash>

#include <algorithm>
#include <cmath>

namespace qianyan {

namespace {

constexpr double largestPointSize = 10;
constexpr int fewestColumns = 80;

// The sheet font at 10 pt, or smaller where the page is too narrow for 80 columns: one size for every page
// of every document on that paper, whatever the lines (a longer line wraps).
QFont pageFont(QPaintDevice& device, double width) {
    QFont font = sheetFont();
    font.setPointSizeF(largestPointSize);
    const double digit = QFontMetricsF(font, &device).horizontalAdvance(QLatin1Char('0'));
    if (digit * fewestColumns > width) font.setPointSizeF(largestPointSize * width / (digit * fewestColumns));
    return font;
}

// Draws every character at its own column, widened or narrowed to fill its columns exactly (a CJK
// character in a "mono" CJK font is narrower than two digits): the columns line up as on screen, and a
// text extractor reading the glyph boxes finds no gap that it would take for a blank.
class GridPainter {
public:
    GridPainter(QPainter& painter, const QFontMetricsF& metrics)
        : painter_(painter), metrics_(metrics), digit_(metrics.horizontalAdvance(QLatin1Char('0'))) {}

    double digit() const { return digit_; }

    void draw(const std::string& line, double baseline) {
        const QString text = qtText(line);
        int column = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
            const QString character = text.mid(i, pair ? 2 : 1);
            const int columns = displayWidth(character.toStdString());
            if (character != QLatin1String(" ")) {
                const double scale = widthScale(character, columns);
                painter_.save();
                painter_.translate(column * digit_, baseline);
                if (scale != 1) painter_.scale(scale, 1);
                painter_.drawText(QPointF(0, 0), character);
                painter_.restore();
            }
            column += columns;
            if (pair) ++i;
        }
    }

private:
    double widthScale(const QString& character, int columns) {
        const auto found = scales_.constFind(character);
        if (found != scales_.constEnd()) return *found;
        const double advance = metrics_.horizontalAdvance(character);
        double scale = advance > 0 ? columns * digit_ / advance : 1;
        if (std::abs(scale - 1) < 0.01) scale = 1;
        scales_.insert(character, scale);
        return scale;
    }

    QPainter& painter_;
    const QFontMetricsF& metrics_;
    double digit_;
    QHash<QString, double> scales_;
};

// The drawing above the chart, the drawing taking the larger share (it is tall and narrow); either alone
// takes the room, the chart no higher than three quarters of its width.
void paintFigures(QPainter& painter, const QRectF& room, const SheetFigures& figures) {
    const bool drawing = !figures.drawing.empty() || !figures.drawing.reason.empty();
    const double drawingHeight = !figures.chart ? room.height() : !drawing ? 0 : room.height() * 0.55;
    if (drawing)
        paintPileDrawing(painter, QRectF(room.topLeft(), QSizeF(room.width(), drawingHeight)),
                         figures.drawing);
    if (figures.chart) {
        const double top = room.top() + drawingHeight;
        const double height = std::min(room.bottom() - top, room.width() * 0.75);
        paintWorkbenchChart(painter, QRectF(room.left(), top, room.width(), height), *figures.chart);
    }
}

} // namespace

void paintDocSheet(QPagedPaintDevice& device, const std::vector<std::string>& lines,
                   const SheetFigures& figures, const std::vector<DocLineKind>& kinds,
                   const PagePainted& pagePainted) {
    QPainter painter(&device);
    // A printer that cannot start (its file not writable, say) would take every page for nothing.
    if (!painter.isActive()) throw PlatformError("无法开始打印");
    const QSizeF area = device.pageLayout().paintRectPixels(device.logicalDpiX()).size();
    const QFont font = pageFont(device, area.width());
    painter.setFont(font);
    const QFontMetricsF metrics(font, &device);
    GridPainter grid(painter, metrics);
    const double step = metrics.lineSpacing();
    const double headHeight = 2 * step;
    const auto rowsPerPage = static_cast<std::size_t>(std::max(1.0, (area.height() - headHeight) / step));
    const auto columns = static_cast<int>(area.width() / grid.digit());
    const std::vector<PrintedPage> pages = printedPages(lines, kinds, rowsPerPage, columns);
    const std::size_t pageCount = pages.size() + (figures.empty() ? 0 : 1);
    const auto head = [&](std::size_t page) {
        const double headBaseline = metrics.ascent();
        painter.drawText(QPointF(0, headBaseline), qtText(printedTitle));
        const QString number = qtText(pageNumberText(page, pageCount));
        painter.drawText(QPointF(area.width() - metrics.horizontalAdvance(number), headBaseline), number);
        painter.drawLine(QPointF(0, step * 1.3), QPointF(area.width(), step * 1.3));
    };
    for (std::size_t n = 0; n < pages.size(); ++n) {
        if (n > 0) device.newPage();
        head(n + 1);
        const std::vector<std::string> rows = printedPageRows(lines, pages[n], columns);
        for (std::size_t k = 0; k < rows.size(); ++k)
            grid.draw(rows[k], headHeight + static_cast<double>(k) * step + metrics.ascent());
        if (pagePainted) pagePainted(n + 1, pageCount);
    }
    if (figures.empty()) return;
    if (!pages.empty()) device.newPage();
    head(pageCount);
    painter.drawText(QPointF(0, headHeight + metrics.ascent()), qtText(figuresHeading));
    const std::string pileLine = figuresPileLine(figures);
    if (!pileLine.empty()) grid.draw(pileLine, headHeight + step + metrics.ascent());
    const double top = headHeight + (pileLine.empty() ? 2 : 3) * step;
    paintFigures(painter, QRectF(0, top, area.width(), area.height() - top), figures);
    if (pagePainted) pagePainted(pageCount, pageCount);
}

QByteArray docSheetPdf(const std::vector<std::string>& lines, const SheetFigures& figures,
                       const std::vector<DocLineKind>& kinds, const PagePainted& pagePainted) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(qtText(printedTitle));
        writer.setCreator(QStringLiteral("qianyan"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter));
        paintDocSheet(writer, lines, figures, kinds, pagePainted);
    }
    return bytes;
}

void writeDocSheetPdf(const std::vector<std::string>& lines, const SheetFigures& figures,
                      const std::string& path, const std::vector<DocLineKind>& kinds,
                      const PagePainted& pagePainted) {
    const QByteArray bytes = docSheetPdf(lines, figures, kinds, pagePainted);
    writeBinaryFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace qianyan

// The PDF of the Doc sheet: the page of figures follows the sheet's pages only when there is a figure, and
// the chart painted from any bins writes no text a person cannot read.
#include "documents/qt/chart_painter.h"
#include "documents/qt/pile_drawing_painter.h"
#include "documents/qt/sheet_pdf.h"

#include <QPaintEngine>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>

#include <limits>

using namespace qianyan;

namespace {

int pageCount(const QByteArray& pdf) {
    return static_cast<int>(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page\\b(?!s)")));
}

PileDrawing pileOnly() {
    PileDrawing drawing;
    drawing.elevation.rects.push_back({-0.5, -10, 0.5, 0, DrawingInk::Pile});
    return drawing;
}

ChartFigure chartOf(double xMin, double xMax, double yMin, double yMax) {
    ChartFigure chart{{}, "d(mm)", "Ra(kN)"};
    chart.bins.groups.push_back({"干 作 业", false, {{xMin, yMin, 0}, {xMax, yMax, 1}}});
    chart.bins.groups.push_back({"筛选结果", true, {{xMax, yMax, 1}}});
    chart.bins.xMin = xMin;
    chart.bins.xMax = xMax;
    chart.bins.yMin = yMin;
    chart.bins.yMax = yMax;
    chart.bins.width = 480;
    chart.bins.height = 300;
    chart.bins.plotted = 2;
    return chart;
}

// A paint device that keeps every text drawn on it.
class TextRecorder : public QPaintDevice {
public:
    QStringList texts;

    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return 800;
        case PdmHeight:
            return 600;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(QStringList& texts) : texts_(texts) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        // The default shapes end here; nothing else is kept.
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF&, const QTextItem& item) override { texts_ << item.text(); }
        Type type() const override { return User; }

    private:
        QStringList& texts_;
    };
    mutable Engine engine_{texts};
};

} // namespace

class SheetPdfTest : public QObject {
    Q_OBJECT

private slots:
    void figurePageFollowsOnlyWithAFigure_data() {
        QTest::addColumn<bool>("drawing");
        QTest::addColumn<bool>("reason");
        QTest::addColumn<bool>("chart");
        QTest::addColumn<int>("extraPages");
        QTest::newRow("no figure") << false << false << false << 0;
        QTest::newRow("drawing") << true << false << false << 1;
        QTest::newRow("no drawing, saying why") << false << true << false << 1;
        QTest::newRow("chart") << false << false << true << 1;
        QTest::newRow("both") << true << false << true << 1;
    }
    void figurePageFollowsOnlyWithAFigure() {
        QFETCH(bool, drawing);
        QFETCH(bool, reason);
        QFETCH(bool, chart);
        QFETCH(int, extraPages);
        const std::vector<std::string> lines(150, "桩径 d = 1000 mm");
        const int sheetPages = pageCount(docSheetPdf(lines, {}, {}));
        QVERIFY(sheetPages >= 2);
        SheetFigures figures;
        if (drawing) figures.drawing = pileOnly();
        if (reason) figures.drawing.reason = notDrawableReason;
        if (chart) figures.chart = chartOf(800, 1200, 5000, 20000);
        QCOMPARE(pageCount(docSheetPdf(lines, figures, {})), sheetPages + extraPages);
    }

    // In place of a picture that cannot be drawn, the reason; nothing for a drawing of nothing without one.
    void aDrawingOfNothingWritesWhy() {
        for (const bool reason : {false, true}) {
            PileDrawing nothing;
            if (reason) nothing.reason = notDrawableReason;
            TextRecorder device;
            {
                QPainter painter(&device);
                paintPileDrawing(painter, QRectF(0, 0, 200, 400), nothing);
            }
            const QString why =
                QString::fromUtf8(notDrawableReason.data(), static_cast<qsizetype>(notDrawableReason.size()));
            QCOMPARE(device.texts.join(QString()), reason ? why : QString());
        }
    }

    void chartTextsAreReadableForAnyRange_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<bool>("painted");
        const double largest = std::numeric_limits<double>::max();
        QTest::newRow("ordinary") << 800.0 << 1200.0 << true;
        QTest::newRow("narrow") << 0.1 << 0.2 << true;
        QTest::newRow("huge") << -1e300 << 1e300 << true;
        QTest::newRow("beyond a double") << -largest << largest << false;
        QTest::newRow("a single value") << 5.0 << 5.0 << false;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 1.0 << false;
    }
    void chartTextsAreReadableForAnyRange() {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(bool, painted);
        TextRecorder device;
        {
            QPainter painter(&device);
            paintWorkbenchChart(painter, QRectF(0, 0, 800, 600), chartOf(low, high, low, high));
        }
        // Qt hands a text to the engine in runs of one script each.
        QCOMPARE(device.texts.join(QString()).contains("绘出 2 根"), painted);
        for (const QString& text : device.texts) {
            QVERIFY2(!text.contains("nan", Qt::CaseInsensitive) && !text.contains("inf", Qt::CaseInsensitive),
                     qPrintable(text));
            QVERIFY2(text.size() < 20, qPrintable(text));
        }
    }
};

QTEST_MAIN(SheetPdfTest)
#include "sheet_pdf_test.moc"

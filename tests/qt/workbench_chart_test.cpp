// The chart on the workbench page of the Formula 1 window: it plots the sweep, a click on a candidate
// selects its row, a double-click loads it back, and 存盘 writes the chart beside the table file.
#include "documents/qt/chart_painter.h"
#include "formula1/qt/formula1_window.h"
#include "framework/calculator_frame.h"
#include "framework/qt/workbench_chart_view.h"
#include "framework/qt/workbench_page.h"
#include "support/face_fixture.h"

#include <QChartView>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace qianyan;

class WorkbenchChartTest : public QObject, public testing::FaceFixture<Formula1Window> {
    Q_OBJECT

private:
    template <class W> W* child(const char* name) {
        auto* w = window->findChild<W*>(QLatin1String(name));
        if (!w) qFatal("no widget %s", name);
        return w;
    }
    void press(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    WorkbenchPage* page() { return window->findChild<WorkbenchPage*>(); }
    WorkbenchChartView* chart() { return child<WorkbenchChartView>("workbench_chart"); }
    QWidget* plotViewport() { return child<QChartView>("chart_view")->viewport(); }
    QString documents(const char* name) {
        return QString::fromStdString(platform->documentsFolder()) + "/" + QString::fromUtf8(name);
    }
    void sweep() {
        press("cbt_YHcompute");
        QTRY_VERIFY_WITH_TIMEOUT(!page()->busy(), 20000);
        chart()->settle();
    }

private slots:
    void init() {
        QVERIFY(start(QSize(1000, 900)));
        QTest::mouseClick(qobject_cast<QPushButton*>(window->controlWidget("cbt_YouHua")), Qt::LeftButton);
    }
    void cleanup() { finish(); }

    void aClickSelectsTheRowAndADoubleClickLoadsItBack() {
        sweep();
        const ChartBins& bins = chart()->bins();
        QCOMPARE(bins.plotted, std::size_t{162});
        QCOMPARE(bins.groups.size(), std::size_t{3}); // the three processes
        // A candidate of the middle diameter, so that no frame or legend lies over it.
        const TextTable& rows = window->model().workbench.Grid2_Youhuajieguo.rows;
        const ChartPoint* aim = nullptr;
        for (const ChartGroup& g : bins.groups)
            for (const ChartPoint& p : g.points)
                if (!aim && rows.cell(p.row, 1) == "1500") aim = &p;
        QVERIFY(aim);
        const std::uint32_t row = nearestPoint(bins, aim->x, aim->y, 1)->row; // the one drawn on top
        const QPoint at = chart()->viewportPosition(aim->x, aim->y);
        // The points are painted where a click finds them, in the colour of the group on top.
        const auto top = std::find_if(bins.groups.rbegin(), bins.groups.rend(), [&](const ChartGroup& g) {
            return std::any_of(g.points.begin(), g.points.end(),
                               [&](const ChartPoint& p) { return p.x == aim->x && p.y == aim->y; });
        });
        QCOMPARE(plotViewport()->grab().toImage().pixelColor(at), chartGroupColour(*top));

        QTest::mouseClick(plotViewport(), Qt::LeftButton, {}, at);
        auto* results = child<QTableView>("Grid2_Youhuajieguo");
        QVERIFY(results->selectionModel()->isRowSelected(static_cast<int>(row)));

        QTest::mouseDClick(plotViewport(), Qt::LeftButton, {}, at);
        QVERIFY(window->model().MainFormLayer.visible);
        QCOMPARE(window->model().find("cbe_dd")->text, std::string(rows.cell(row, 1)));
        QCOMPARE(window->model().find("edt_frk")->text, std::string(rows.cell(row, 5)));

        // Away from every point nothing happens.
        QTest::mouseClick(child<QPushButton>("cbt_YouHua"), Qt::LeftButton);
        results->clearSelection();
        QTest::mouseClick(plotViewport(), Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(!results->selectionModel()->hasSelection());
    }

    void theFilteredCandidatesAreHighlighted() {
        sweep();
        press("cbt_YHsaixuan");
        QTRY_VERIFY(!page()->busy());
        chart()->settle();
        const ChartBins& bins = chart()->bins();
        QVERIFY(!bins.groups.empty());
        QVERIFY(bins.groups.back().highlighted);
        QVERIFY(!bins.groups.back().points.empty());
    }

    void aSavedTableHasTheChartBesideIt() {
        sweep();
        const QString table = documents("嵌岩桩优化计算原始结果(依据JGJ94-2008)_表格.txt");
        const QString picture = documents("嵌岩桩优化计算原始结果(依据JGJ94-2008)_表格.png");
        press("cbt_YHsave");
        QTRY_VERIFY(!page()->busy());
        QVERIFY(QFile::exists(table));
        QFile png(picture);
        QVERIFY(png.open(QIODevice::ReadOnly));
        QCOMPARE(png.read(4), QByteArray("\x89PNG"));
        QVERIFY(platform->dialogs.empty());
    }

    // The chart is one of the files 存盘 writes: a folder of its name is refused before anything is
    // written, as one of the table file's name is.
    void aChartThatCannotBeWrittenIsReportedBeforeAnythingIsWritten() {
        sweep();
        const QString table = documents("嵌岩桩优化计算原始结果(依据JGJ94-2008)_表格.txt");
        QVERIFY(QDir().mkpath(documents("嵌岩桩优化计算原始结果(依据JGJ94-2008)_表格.png")));
        press("cbt_YHsave");
        QTRY_VERIFY(!page()->busy());
        QVERIFY(!QFile::exists(table));
        QCOMPARE(platform->dialogs.size(), std::size_t{1});
        QVERIFY2(platform->dialogs[0].starts_with("保存失败：") &&
                     platform->dialogs[0].find("_表格.png”是文件夹") != std::string::npos,
                 platform->dialogs[0].c_str());
    }
};

QTEST_MAIN(WorkbenchChartTest)
#include "workbench_chart_test.moc"

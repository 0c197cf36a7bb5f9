// The workbench page of the Formula 1 window: the sweep runs in a worker thread with progress and
// can be cancelled; the tables are views over the model's rows; header clicks and double-clicks reach
// the model.
#include "formula1/qt/formula1_window.h"
#include "framework/calculator_frame.h"
#include "framework/qt/control_binding.h"
#include "qt/qt_fixture.h"

#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace qianyan;
using qianyan::testing::ModalGuard;
using qianyan::testing::StubPlatform;

class WorkbenchPageTest : public QObject {
    Q_OBJECT

  private:
    template <class W> W* child(const char* name) {
        auto* w = window->findChild<W*>(QLatin1String(name));
        if (!w) qFatal("no widget %s", name);
        return w;
    }
    void press(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    QString status() { return qobject_cast<QLabel*>(window->controlWidget("lb_YHxingxi"))->text(); }
    void editOption(int row, int column, const QString& text) {
        auto* grid = child<QTableView>("Grid1_Youhuaxuanxiang");
        grid->model()->setData(grid->model()->index(row, column), text);
    }
    bool optionEditable(int row, int column) {
        auto* grid = child<QTableView>("Grid1_Youhuaxuanxiang");
        return grid->model()->flags(grid->model()->index(row, column)).testFlag(Qt::ItemIsEditable);
    }

    std::unique_ptr<ModalGuard> guard;
    std::unique_ptr<StubPlatform> platform;
    QPointer<Formula1Window> window;

  private slots:
    void init() {
        guard = std::make_unique<ModalGuard>();
        platform = std::make_unique<StubPlatform>();
        window = new Formula1Window(*platform);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTest::mouseClick(qobject_cast<QPushButton*>(window->controlWidget("cbt_YouHua")), Qt::LeftButton);
    }
    void cleanup() {
        delete window.data();
        platform.reset();
        const QString unexpected = guard->unexpected();
        guard.reset();
        QVERIFY2(unexpected.isEmpty(), qPrintable(QStringLiteral("unexpected dialog: ") + unexpected));
    }

    void sweepFillsTheTableSortsAndLoadsBack() {
        auto* results = child<QTableView>("Grid2_Youhuajieguo");
        QVERIFY(results->isVisible());
        QVERIFY(!child<QTableView>("Grid3_Youhuasaixuan")->isVisible());
        QVERIFY(!optionEditable(0, 0));
        QVERIFY(optionEditable(0, 1));

        press("cbt_YHcompute");
        QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("计算完成，桩数：162 根"), 20000);
        QVERIFY(!child<QProgressBar>("pb_YH_jingdu")->isVisible());
        QCOMPARE(results->model()->rowCount(), 162);
        QCOMPARE(results->model()->data(results->model()->index(0, 0)).toString(), QStringLiteral("ZH-001"));
        QVERIFY(results->isColumnHidden(4));
        QCOMPARE(QString::fromStdString(window->model().find("cbe_dd")->text), QStringLiteral("2000"));

        QHeaderView* header = results->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
        QCOMPARE(status(), QStringLiteral("Ra升序排列完成"));
        QCOMPARE(results->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Ra(kN)▲"));
        QCOMPARE(results->model()->data(results->model()->index(0, 2)).toString(),
                 QString::fromStdString(std::string(window->model().workbench.Grid1_Youhuaxuanxiang.rows.cell(6, 1))));

        const QModelIndex first = results->model()->index(0, 1);
        const QPoint at = results->visualRect(first).center();
        QTest::mousePress(results->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(results->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(window->model().MainFormLayer.visible);
        QVERIFY(!results->isVisible());
    }

    void cancelKeepsTheRowsComputedSoFar() {
        editOption(0, 2, QStringLiteral("3000"));
        editOption(0, 3, QStringLiteral("10"));
        editOption(2, 3, QStringLiteral("1"));
        press("cbt_YHcompute");
        QVERIFY(child<QProgressBar>("pb_YH_jingdu")->isVisible());
        QVERIFY2(!child<QTableView>("Grid2_Youhuajieguo")->isEnabled(), "no other input while it runs");
        QTest::keyClick(child<QPushButton>("cbt_YHquxiao"), Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(status().startsWith(QStringLiteral("计算已取消")), 20000);
        const int rows = child<QTableView>("Grid2_Youhuajieguo")->model()->rowCount();
        QVERIFY(rows < 201 * 3 * 21 * 2 * 3);
        QCOMPARE(static_cast<std::size_t>(rows), window->model().workbench.Grid2_Youhuajieguo.rows.rowCount());
        QVERIFY(child<QTableView>("Grid2_Youhuajieguo")->isEnabled());
        QVERIFY(child<QPushButton>("cbt_YHcompute")->isEnabled());
    }

    void noLabelIsCutAtAMillionRows() {
        TextTable& rows = window->model().workbench.Grid2_Youhuajieguo.rows;
        for (std::uint64_t n = 1; n <= 1'000'000; ++n) {
            const std::string label = candidateLabel(n, 1'000'000);
            rows.appendRow({label, "1000", "11451", "8412"});
        }
        window->binding().refresh();
        auto* results = child<QTableView>("Grid2_Youhuajieguo");
        QCOMPARE(results->model()->rowCount(), 1'000'000);
        const QString widest = QStringLiteral("ZH-1000000");
        QVERIFY(results->columnWidth(0) > results->fontMetrics().horizontalAdvance(widest));
        QVERIFY(results->columnWidth(0) >= 70);
    }
};

QTEST_MAIN(WorkbenchPageTest)
#include "workbench_page_test.moc"

// The workbench page of the Formula 1 window: the sweep, a sort, a filter and the writing of a saved
// table run in a worker thread with progress and can be cancelled, and end as on the model itself; the
// page takes no other input meanwhile; the tables are views over the model's rows; header clicks and
// double-clicks reach the model.
#include "formula1/qt/formula1_window.h"
#include "framework/calculator_frame.h"
#include "framework/number_text.h"
#include "framework/qt/control_binding.h"
#include "framework/qt/workbench_page.h"
#include "support/face_fixture.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QThread>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

using namespace qianyan;
using qianyan::testing::StubPlatform;

namespace {

// The desktop platform with a fixed clock (a table file names its time), noting a dialog asked off
// the user-interface thread; a write can be made to fail, or to wait after its first line.
class WorkbenchPlatform : public StubPlatform {
public:
    DateTime now() override { return {2024, 5, 6, 14, 3, 27}; }
    bool askYesNo(std::string_view question) override {
        noteThread();
        return StubPlatform::askYesNo(question);
    }
    void inform(std::string_view message) override {
        noteThread();
        StubPlatform::inform(message);
    }
    void reportError(std::string_view message) override {
        noteThread();
        StubPlatform::reportError(message);
    }
    void writeTextFile(const std::string& path, const LineSource& lines) override {
        if (failWrites) throw PlatformError("磁盘已满");
        StubPlatform::writeTextFile(path, [&](const LineSink& sink) {
            bool first = true;
            lines([&](std::string_view line) {
                sink(line);
                if (!std::exchange(first, false) || !holdWrites) return;
                held = true;
                const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
                while (holdWrites && std::chrono::steady_clock::now() < giveUp)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            });
        });
    }

    bool failWrites = false;
    std::atomic<bool> holdWrites = false, held = false, dialogOffThread = false;

private:
    void noteThread() {
        if (QThread::currentThread() != qApp->thread()) dialogOffThread = true;
    }
};

// Everything of a window model a person sees, and the sort states.
QStringList snapshot(CalculatorFrame& m) {
    QStringList states;
    for (const DeclaredControl& c : m.declaration().all()) {
        const Control& k = *c.control;
        QString s = QString::fromUtf8(c.name.data(), static_cast<qsizetype>(c.name.size())) + "|" +
                    QString::fromStdString(k.text) + "|" + QString::number(k.color) + "|" +
                    QString::number(k.enabled) + QString::number(k.visible) + "|" + QString::number(k.value);
        if (const Grid* g = c.asGrid()) {
            for (const GridColumn& column : g->columns)
                s += "|" + QString::fromStdString(column.header) + QString::number(column.visible);
            for (std::size_t r = 0; r < g->rows.rowCount(); ++r)
                for (const std::string& cell : g->rows.row(r)) s += "|" + QString::fromStdString(cell);
        }
        states << s;
    }
    for (std::size_t k = 0; k < 3; ++k) // d, Ra and Rc
        states << QString::number(m.workbench.sortState(k));
    return states;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class WorkbenchPageTest : public QObject, public testing::FaceFixture<Formula1Window, WorkbenchPlatform> {
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
    WorkbenchPage* page() { return window->findChild<WorkbenchPage*>(); }
    void clickHeader(const char* table, int column) {
        QHeaderView* header = child<QTableView>(table)->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    }
    QString tableFile() {
        return QString::fromStdString(platform->documentsFolder()) +
               QStringLiteral("/嵌岩桩优化计算筛选结果(依据JGJ94-2008)_表格.txt");
    }

private slots:
    void init() {
        QVERIFY(start());
        QTest::mouseClick(qobject_cast<QPushButton*>(window->controlWidget("cbt_YouHua")), Qt::LeftButton);
    }
    void cleanup() { finish(); }

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
        // The sweep ran on copies of the window; its inputs are as the person left them.
        QCOMPARE(QString::fromStdString(window->model().find("cbe_dd")->text), QStringLiteral("1000"));
        // Ctrl+C copies the selected rows under the shown headers, as a spreadsheet reads them.
        results->selectRow(0);
        QTest::keySequence(results, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text().section(QLatin1Char('\n'), 0, 1),
                 QStringLiteral("桩编号\td(mm)\tRa(kN)\tRc(kN)\nZH-001\t1000\t") +
                     results->model()->data(results->model()->index(0, 2)).toString() + QLatin1Char('\t') +
                     results->model()->data(results->model()->index(0, 3)).toString());

        clickHeader("Grid2_Youhuajieguo", 2);
        QTRY_COMPARE(status(), QStringLiteral("Ra升序排列完成"));
        QCOMPARE(results->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Ra(kN)▲"));
        QCOMPARE(results->model()->data(results->model()->index(0, 2)).toString(),
                 QString::fromStdString(
                     std::string(window->model().workbench.Grid1_Youhuaxuanxiang.rows.cell(6, 1))));

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
        const std::size_t rows = window->model().workbench.Grid2_Youhuajieguo.rows.rowCount();
        QVERIFY(rows < 201 * 3 * 21 * 2 * 3);
        QTRY_COMPARE(static_cast<std::size_t>(child<QTableView>("Grid2_Youhuajieguo")->model()->rowCount()),
                     rows);
        QVERIFY(child<QTableView>("Grid2_Youhuajieguo")->isEnabled());
        QVERIFY(child<QPushButton>("cbt_YHcompute")->isEnabled());
    }

    void noLabelIsCutAtAMillionRows() {
        TextTable& rows = window->model().workbench.Grid2_Youhuajieguo.rows;
        for (std::uint64_t n = 1; n <= 1'000'000; ++n) {
            const std::string label = candidateLabel(n, 1'000'000);
            rows.appendLeadingCells({label, "1000", "11451", "8412"});
        }
        window->binding().refresh();
        auto* results = child<QTableView>("Grid2_Youhuajieguo");
        QVERIFY2(results->model()->rowCount() < 1'000'000, "the view learns of the rows in steps");
        QTRY_COMPARE(results->model()->rowCount(), 1'000'000);
        const QString widest = QStringLiteral("ZH-1000000");
        QVERIFY(results->columnWidth(0) > results->fontMetrics().horizontalAdvance(widest));
        QVERIFY(results->columnWidth(0) >= 70);
    }

    void sortFilterAndSaveEndAsOnTheModel() {
        press("cbt_YHcompute");
        QTRY_VERIFY_WITH_TIMEOUT(!page()->busy(), 20000);
        std::unique_ptr<CalculatorFrame> direct = window->model().workbenchAdapter()->clone();
        CalculatorFrame& shown = window->model();
        // A lower bound on Ra that some rows miss.
        const std::string low =
            general(readStrict(shown.workbench.Grid1_Youhuaxuanxiang.rows.cell(6, 2)) - 2000);
        struct Step {
            const char* what;
            std::function<void()> onPage, onModel;
        };
        const Step steps[] = {
            {"sort by Ra", [&] { clickHeader("Grid2_Youhuajieguo", 2); },
             [&] { direct->headerClick("Grid2_Youhuajieguo", 2); }},
            {"reverse", [&] { clickHeader("Grid2_Youhuajieguo", 2); },
             [&] { direct->headerClick("Grid2_Youhuajieguo", 2); }},
            {"a column that does not sort", [&] { clickHeader("Grid2_Youhuajieguo", 0); },
             [&] { direct->headerClick("Grid2_Youhuajieguo", 0); }},
            {"filter above a bound",
             [&] {
                 editOption(6, 1, QString::fromStdString(low));
                 press("cbt_YHsaixuan");
             },
             [&] {
                 direct->editCell("Grid1_Youhuaxuanxiang", 6, 1, low);
                 direct->click("cbt_YHsaixuan");
             }},
            {"sort the filtered table by d", [&] { clickHeader("Grid3_Youhuasaixuan", 1); },
             [&] { direct->headerClick("Grid3_Youhuasaixuan", 1); }},
            {"a filter cell that is not a number",
             [&] {
                 editOption(7, 1, QStringLiteral("abc"));
                 press("cbt_YHsaixuan");
             },
             [&] {
                 direct->editCell("Grid1_Youhuaxuanxiang", 7, 1, "abc");
                 direct->click("cbt_YHsaixuan");
             }},
            {"save the filtered table", [&] { press("cbt_YHsave"); }, [&] { direct->click("cbt_YHsave"); }},
        };
        QByteArray savedByThePage;
        for (const Step& step : steps) {
            step.onPage();
            QTRY_VERIFY2(!page()->busy(), step.what);
            if (QFile::exists(tableFile())) {
                savedByThePage = contents(tableFile());
                // The model's save then finds the folder as the page found it: the workbook and the
                // chart beside the table file would be asked about.
                QString stem = tableFile();
                stem.chop(4);
                for (const char* extension : {".txt", ".xlsx", ".png"})
                    QFile::remove(stem + QLatin1String(extension));
            }
            step.onModel();
            QCOMPARE(snapshot(shown), snapshot(*direct));
        }
        QVERIFY(!shown.workbench.Grid3_Youhuasaixuan.rows.empty());
        QVERIFY(shown.workbench.Grid3_Youhuasaixuan.rows.rowCount() <
                shown.workbench.Grid2_Youhuajieguo.rows.rowCount());
        QVERIFY(!savedByThePage.isEmpty());
        QCOMPARE(savedByThePage, contents(tableFile()));
        QVERIFY(!platform->dialogOffThread);
        QCOMPARE(guard->unexpected(), QString());
    }

    void noOtherInputWhileAFilterRuns() {
        press("cbt_YHcompute");
        QTRY_VERIFY_WITH_TIMEOUT(!page()->busy(), 20000);
        std::unique_ptr<CalculatorFrame> direct = window->model().workbenchAdapter()->clone();
        const QStringList before = snapshot(window->model());

        // A filter, then 取消 before it ends: the window as it was.
        child<QPushButton>("cbt_YHsaixuan")->click();
        QVERIFY(page()->busy());
        QVERIFY(child<QPushButton>("cbt_YHquxiao")->isVisible());
        child<QPushButton>("cbt_YHquxiao")->click();
        QTRY_VERIFY(!page()->busy());
        QCOMPARE(snapshot(window->model()), before);

        // A filter with a sort, a save and a second filter asked for while it runs: only the filter.
        child<QPushButton>("cbt_YHsaixuan")->click();
        QVERIFY(page()->busy());
        for (const char* name : {"Grid1_Youhuaxuanxiang", "Grid2_Youhuajieguo", "cbt_YHsave", "cbt_YHfanhui"})
            QVERIFY2(!child<QWidget>(name)->isEnabled(), name);
        emit child<QTableView>("Grid2_Youhuajieguo")->horizontalHeader()->sectionClicked(2);
        child<QPushButton>("cbt_YHsave")->click();
        child<QPushButton>("cbt_YHsaixuan")->click();
        QTRY_VERIFY(!page()->busy());
        direct->click("cbt_YHsaixuan");
        QCOMPARE(snapshot(window->model()), snapshot(*direct));
        QVERIFY(!QFile::exists(tableFile()));
        QVERIFY(child<QPushButton>("cbt_YHsave")->isEnabled());
    }

    void aCancelledSaveLeavesTheOldFileWholeAndAFailedOneIsReported() {
        press("cbt_YHcompute");
        QTRY_VERIFY_WITH_TIMEOUT(!page()->busy(), 20000);
        press("cbt_YHsaixuan");
        QTRY_VERIFY(!page()->busy());
        {
            QFile old(tableFile());
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old table\r\n");
        }
        platform->answer = true; // overwrite
        platform->holdWrites = true;
        press("cbt_YHsave");
        QTRY_VERIFY(platform->held);
        QVERIFY(child<QProgressBar>("pb_YH_jingdu")->isVisible());
        // Esc stops it wherever the focus is on the page, not only on 取消.
        page()->setFocus();
        QTest::keyClick(page(), Qt::Key_Escape);
        platform->holdWrites = false;
        QTRY_VERIFY(!page()->busy());
        QCOMPARE(contents(tableFile()), QByteArray("old table\r\n"));
        const QDir documents(QString::fromStdString(platform->documentsFolder()));
        QCOMPARE(documents.entryList(QDir::Files | QDir::Hidden).size(), 1);
        QVERIFY(child<QPushButton>("cbt_YHsave")->isEnabled());
        QCOMPARE(platform->dialogs, std::vector<std::string>{"文件已存在，是否覆盖?"});

        platform->failWrites = true;
        press("cbt_YHsave");
        QTRY_VERIFY(!page()->busy());
        QCOMPARE(platform->dialogs.back(), std::string("保存失败：磁盘已满"));
        QVERIFY(child<QPushButton>("cbt_YHsave")->isEnabled());
        QCOMPARE(contents(tableFile()), QByteArray("old table\r\n"));
        QVERIFY(!platform->dialogOffThread);

        // Written after all: the workbook goes beside the table file.
        platform->failWrites = false;
        press("cbt_YHsave");
        QTRY_VERIFY(!page()->busy());
        QVERIFY(contents(tableFile()).startsWith("===="));
        QVERIFY(contents(QString(tableFile()).replace(".txt", ".xlsx")).startsWith("PK"));
        QVERIFY(!child<QPushButton>("cbt_YHsave")->isEnabled());
    }
};

QTEST_MAIN(WorkbenchPageTest)
#include "workbench_page_test.moc"

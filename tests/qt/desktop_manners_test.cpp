// A calculator window behaves as a desktop program: it opens within the screen, resizes and scrolls, gives
// the workbench its own room, names itself, speaks Chinese in Qt's own dialogs, takes a pasted block into
// a layer table and moves by Tab over the cells a person may edit, and 另存为… names the file it wrote.
#include "formula3/qt/formula3_window.h"
#include "framework/qt/control_binding.h"
#include "support/face_fixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTranslator>

using namespace qianyan;

class DesktopMannersTest : public QObject, public testing::FaceFixture<Formula3Window> {
    Q_OBJECT

private slots:
    void init() { QVERIFY(start()); }
    void cleanup() { finish(); }

    void theWindowOpensAtItsDesignedSizeAndMayBeResized() {
        QCOMPARE(window->size(), window->designedSize());
        QVERIFY(!window->windowFlags().testFlag(Qt::CustomizeWindowHint)); // minimise, maximise, close
        QVERIFY(window->windowTitle().endsWith(QStringLiteral(" - 公式三")));
        // Smaller than its design, the main page scrolls rather than being cut.
        window->resize(420, 400);
        QTRY_COMPARE(window->size(), QSize(420, 400));
        auto* scroll = window->findChild<QScrollArea*>(QStringLiteral("mainPageScroll"));
        QVERIFY(scroll);
        QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
        QVERIFY(scroll->horizontalScrollBar()->maximum() > 0);
    }

    void theWorkbenchOpensLargerAndReturnsToTheMainPagesSize() {
        window->resize(600, 700);
        QTRY_COMPARE(window->size(), QSize(600, 700));
        window->binding().act([](CalculatorFrame& m) { m.click("cbt_YouHua"); });
        QCOMPARE(window->size(), CalculatorWindow::workbenchSize);
        auto* results = qobject_cast<QTableView*>(window->controlWidget("Grid2_Youhuajieguo"));
        QVERIFY(results);
        QVERIFY(results->viewport()->height() >= 10 * results->verticalHeader()->defaultSectionSize());
        window->binding().act([](CalculatorFrame& m) { m.click("cbt_YHfanhui"); });
        QCOMPARE(window->size(), QSize(600, 700));
    }

    void saveAsWritesTheShownSheetAndNamesTheFile() {
        window->binding().act([](CalculatorFrame& m) {
            m.click("cbt_compute");
            m.click("cbt_View");
        });
        auto* saveAs = qobject_cast<QPushButton*>(window->controlWidget("cbt_LingCun"));
        QVERIFY(saveAs && saveAs->isVisible() && saveAs->isEnabled());
        QCOMPARE(saveAs->text(), QStringLiteral("另存为…"));
        const QString path = platform->folder.path() + QStringLiteral("/桩A 计算书.txt");
        platform->savePath = path.toStdString();
        QTest::mouseClick(saveAs, Qt::LeftButton);
        auto* saved = qobject_cast<QLabel*>(window->controlWidget("lb_cunpan"));
        QVERIFY(saved);
        // Written in a worker, and named when it has ended.
        QTRY_COMPARE(saved->text(), QStringLiteral("已保存：") + path);
        QVERIFY(QFile::exists(path));
    }

    void qtsOwnDialogsSpeakChinese() {
        QTranslator translator;
        QVERIFY(speakChineseInQtDialogs(translator));
        QVERIFY(QCoreApplication::translate("QPlatformTheme", "&Yes") != QStringLiteral("&Yes"));
        QCoreApplication::removeTranslator(&translator);
    }

    void ctrlVPastesABlockIntoTheLayerTable() {
        auto* layers = qobject_cast<QTableView*>(window->controlWidget("StringGrid_KELD3"));
        QVERIFY(layers);
        layers->setCurrentIndex(layers->model()->index(0, 1));
        QApplication::clipboard()->setText(QStringLiteral("1.5\t30\r\n2.5\t45\r\n"));
        QTest::keySequence(layers, QKeySequence::Paste);
        const auto& rows = window->model().findGrid("StringGrid_KELD3")->rows;
        QCOMPARE(rows.rowCount(), std::size_t{2});
        QCOMPARE(QString::fromStdString(std::string(rows.cell(1, 2))), QStringLiteral("45"));
        QCOMPARE(layers->model()->rowCount(), 2);

        // Tab goes to the next cell a person may edit: from the strength of layer 1 to the typed
        // coefficients, past nothing computed.
        layers->setCurrentIndex(layers->model()->index(0, 1));
        QTest::keyClick(layers, Qt::Key_Tab);
        QCOMPARE(layers->currentIndex().column(), 2);
    }
};

QTEST_MAIN(DesktopMannersTest)
#include "desktop_manners_test.moc"

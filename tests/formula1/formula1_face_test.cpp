// The Formula 1 window's face is wired to its model: typing, pressing, the pages, the precision list,
// saving through the platform and the sheet zoom.
#include "formula1/qt/formula1_window.h"
#include "framework/text_layout.h"
#include "platform/legacy_text_file.h"
#include "support/drawing_face.h"
#include "support/face_fixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QNativeGestureEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <cmath>
#include <map>

#include <memory>

using namespace qianyan;

class Formula1FaceTest : public QObject, public testing::FaceFixture<Formula1Window> {
    Q_OBJECT

private:
    template <class W> W* widget(const char* name) {
        auto* w = qobject_cast<W*>(window->controlWidget(name));
        if (!w) qFatal("no widget for %s", name);
        return w;
    }
    QString text(const char* name) {
        if (auto* edit = qobject_cast<QLineEdit*>(window->controlWidget(name))) return edit->text();
        return widget<QLabel>(name)->text();
    }
    void press(const char* name) { QTest::mouseClick(widget<QPushButton>(name), Qt::LeftButton); }
    void typeDiameter(const QString& typed) {
        QLineEdit* edit = widget<QComboBox>("cbe_dd")->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        if (typed.size() <= 100) {
            QTest::keyClicks(edit, typed);
            return;
        }
        // A long text arrives pasted, in one piece.
        QApplication::clipboard()->setText(typed);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    }
    QString savedFiles() { return platform->folder.path() + QStringLiteral("/Documents"); }

private slots:
    void init() { QVERIFY(start()); }
    void cleanup() { finish(); }

    void enterThenLeavingTheFieldKeepsTheResults() {
        // A list item typed and computed with Enter: the list reports its text as chosen when the focus
        // leaves it, which must not count as a change.
        typeDiameter(QStringLiteral("1500"));
        QTest::keyClick(widget<QComboBox>("cbe_dd")->lineEdit(), Qt::Key_Return);
        QVERIFY(widget<QPushButton>("cbt_View")->isVisible());
        const QString ra = text("edt_ra");
        QVERIFY(!ra.isEmpty());
        QTest::keyClick(widget<QComboBox>("cbe_dd")->lineEdit(), Qt::Key_Tab);
        QApplication::processEvents();
        QCOMPARE(text("edt_ra"), ra);
        QVERIFY(widget<QPushButton>("cbt_View")->isVisible());
        press("cbt_View");
        QVERIFY(window->model().JieGuo_DocLayer.visible);
        QCOMPARE(window->model().sheet().designCount(), 1);
    }

    void typedDiameterReachesItsChangeHandler_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QString>("raAfterEnter");
        QTest::newRow("number") << "1500"
                                << "" << QColor(Qt::black) << "18923";
        QTest::newRow("letters") << "abc"
                                 << "桩身直径数据有错" << QColor(Qt::red) << "";
        QTest::newRow("beyond double") << "1e400"
                                       << "桩身直径数据有错" << QColor(Qt::red) << "";
        QTest::newRow("empty") << ""
                               << "桩身直径数据有错" << QColor(Qt::red) << "";
        QTest::newRow("ten thousand characters")
            << QString(10000, QLatin1Char('x')) << "桩身直径数据有错" << QColor(Qt::red) << "";
        QTest::newRow("thousand digits")
            << QString(1000, QLatin1Char('9')) << "桩身直径数据有错" << QColor(Qt::red) << "";
    }
    void typedDiameterReachesItsChangeHandler() {
        QFETCH(QString, typed);
        QFETCH(QString, status);
        QFETCH(QColor, color);
        QFETCH(QString, raAfterEnter);
        press("cbt_compute");
        QCOMPARE(text("edt_ra"), QStringLiteral("8410"));

        typeDiameter(typed);
        QCOMPARE(QString::fromStdString(window->model().find("cbe_dd")->text), typed);
        QCOMPARE(text("edt_ra"), QString()); // cleared by cbe_ddChange
        QVERIFY(widget<QPushButton>("cbt_compute")->isVisible());
        QVERIFY(!widget<QPushButton>("cbt_View")->isVisible());
        QCOMPARE(text("lb_shuoming"), status);
        QCOMPARE(widget<QComboBox>("cbe_dd")->lineEdit()->palette().color(QPalette::Text), color);

        // Enter runs 计算: a bad diameter stops it on the status line, nothing crashes.
        QTest::keyClick(widget<QComboBox>("cbe_dd")->lineEdit(), Qt::Key_Return);
        QCOMPARE(text("edt_ra"), raAfterEnter);
        QCOMPARE(window->model().sheet().designCount(), raAfterEnter.isEmpty() ? 1 : 2);
        QVERIFY(platform->dialogs.empty());
    }

    void tabGoesDownTheForm() {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        widget<QComboBox>("cbe_dd")->setFocus();
        for (const char* next : {"cbe_hr", "edt_frk", "cbe_hnt", "cbb_czgy", "cbt_JingDu"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* expected = window->controlWidget(next);
            QWidget* focused = QApplication::focusWidget();
            QVERIFY2(focused == expected || expected->isAncestorOf(focused), next);
        }
    }

    void noTextIsCutOff() {
        // After an event and any timers it starts, every label and list of the main page still has the
        // width its whole text needs.
        press("cbt_compute");
        QTest::qWait(50);
        int checked = 0;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisible()) continue;
            if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap()) {
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
                ++checked;
            } else if (auto* box = qobject_cast<QComboBox*>(w)) {
                QVERIFY2(box->width() >= box->minimumSizeHint().width(), qPrintable(box->currentText()));
                ++checked;
            }
        }
        QVERIFY2(checked >= 12, qPrintable(QString::number(checked)));
        // The input fields fill their column: one right edge for all.
        const auto rightEdge = [this](const char* name) {
            QWidget* w = window->controlWidget(name);
            return w->mapTo(window, QPoint(w->width(), 0)).x();
        };
        for (const char* name : {"cbe_hr", "edt_frk", "cbe_hnt", "cbb_czgy"})
            QCOMPARE(rightEdge(name), rightEdge("cbe_dd"));
    }

    void computeShowsResultsAndTheirColour() {
        press("cbt_compute");
        QCOMPARE(text("edt_kesair"), QStringLiteral("0.8567"));
        QCOMPARE(text("edt_ra"), QStringLiteral("8410"));
        QCOMPARE(text("edt_rc"), QStringLiteral("7862"));
        QCOMPARE(widget<QLineEdit>("edt_ra")->palette().color(QPalette::Text), QColor(0xFF008000u));
        QVERIFY(widget<QPushButton>("cbt_View")->isVisible());
        QVERIFY(!widget<QPushButton>("cbt_compute")->isVisible());
        QCOMPARE(text("lb_shuoming"), QStringLiteral("较软岩"));
    }

    void precisionListRecomputesInTheChosenMode() {
        auto* list = widget<QListWidget>("popbox_jingdu");
        QVERIFY(!list->isVisible());
        press("cbt_JingDu");
        QVERIFY(list->isVisible());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QVERIFY(!list->isVisible());
        QCOMPARE(text("edt_ra"), QStringLiteral("8410.31"));
        QCOMPARE(window->model().sheet().designCount(), 1);
    }

    void resultsPageSwitchesSheetsAndReturns() {
        press("cbt_compute");
        press("cbt_View");
        auto* doc = widget<QPlainTextEdit>("meo_jisuanjieguo_Doc");
        auto* xls = widget<QPlainTextEdit>("meo_jisuanjieguo_Xls");
        QVERIFY(doc->isVisible() && !xls->isVisible());
        QVERIFY(!widget<QPushButton>("cbt_tuichu")->isVisible());
        QCOMPARE(doc->toPlainText().split(QLatin1Char('\n')).size(),
                 static_cast<qsizetype>(window->model().sheet().doc().size()));
        QCOMPARE(doc->focusPolicy(), Qt::NoFocus);

        press("cbt_PageBook");
        QVERIFY(xls->isVisible() && !doc->isVisible());
        QCOMPARE(widget<QPushButton>("cbt_PageBook")->text(), QStringLiteral("2"));
        QVERIFY(xls->toPlainText().contains(QStringLiteral("ZH1")));

        press("cbt_Exit");
        QVERIFY(widget<QPushButton>("cbt_tuichu")->isVisible());
        QVERIFY(!xls->isVisible());
    }

    void sheetViewsFollowEveryAppendAndDelete() {
        // The views are edited at their end and skipped while their page is hidden; whatever happened
        // meanwhile, the shown page holds exactly the sheets' lines.
        auto* doc = widget<QPlainTextEdit>("meo_jisuanjieguo_Doc");
        auto* xls = widget<QPlainTextEdit>("meo_jisuanjieguo_Xls");
        const auto sameAsSheets = [&] {
            const auto joined = [](const std::vector<std::string>& lines) {
                QStringList texts;
                for (const std::string& line : lines) texts << QString::fromStdString(line);
                return texts.join(QLatin1Char('\n'));
            };
            return doc->toPlainText() == joined(window->model().sheet().doc()) &&
                   xls->toPlainText() == joined(window->model().sheet().xls());
        };
        const auto computeDesigns = [&](int count) {
            for (int i = 0; i < count; ++i) {
                typeDiameter(QString::number(1000 + 100 * (i % 3)));
                press("cbt_compute");
            }
        };
        const QString before = doc->toPlainText();
        computeDesigns(3);
        QCOMPARE(doc->toPlainText(), before); // hidden: not touched yet
        press("cbt_View");
        QTRY_VERIFY(sameAsSheets()); // the views take in long changes over a few turns
        press("cbt_sanchu");
        QTRY_VERIFY(sameAsSheets());
        press("cbt_Exit");
        computeDesigns(1);
        press("cbt_View");
        QTRY_VERIFY(sameAsSheets());
        press("cbt_Exit");
        computeDesigns(40); // more changes than the sheets keep a record of: the views start afresh
        press("cbt_View");
        QTRY_VERIFY(sameAsSheets());
        QCOMPARE(window->model().sheet().designCount(), 43);
        while (window->model().sheet().designCount() > 0) {
            press("cbt_sanchu");
            QTRY_VERIFY(sameAsSheets());
        }
        QCOMPARE(doc->toPlainText(), QString());
    }

    void sheetColumnsLineUp() {
        // Lines of equal display width (a CJK unit counts two columns) end at the same place on screen,
        // whether they hold CJK characters or not.
        press("cbt_compute");
        press("cbt_View");
        press("cbt_PageBook");
        auto* xls = widget<QPlainTextEdit>("meo_jisuanjieguo_Xls");
        for (int size : {12, 17, 5}) {
            widget<QSlider>("tcb_meoFontSize")->setValue(size);
            QApplication::processEvents();
            QCOMPARE(xls->font().pixelSize(), size);
            std::map<int, std::vector<std::pair<QString, qreal>>> byWidth;
            for (QTextBlock block = xls->document()->begin(); block.isValid(); block = block.next()) {
                QVERIFY(block.layout()->lineCount() > 0);
                const int columns = displayWidth(block.text().toStdString());
                byWidth[columns].emplace_back(block.text(), block.layout()->lineAt(0).naturalTextWidth());
            }
            int compared = 0;
            for (const auto& [columns, lines] : byWidth) {
                for (const auto& [text, width] : lines) {
                    QVERIFY2(std::abs(width - lines.front().second) < 1.0, qPrintable(text));
                    ++compared;
                }
            }
            QVERIFY(compared >= 10);
            QVERIFY(byWidth.size() < static_cast<std::size_t>(compared));
        }
    }

    void saveGoesThroughThePlatform() {
        press("cbt_compute");
        press("cbt_View");
        press("cbt_Save");
        const QDir folder(savedFiles());
        // The sheet is written in a worker; the page names it when the worker has ended.
        QTRY_VERIFY(!widget<QLabel>("lb_cunpan")->text().isEmpty());
        QCOMPARE(folder.entryList(QDir::Files),
                 QStringList{QStringLiteral("嵌岩桩计算书(依据JGJ94-2008)_文本.txt")});
        QVERIFY(!widget<QPushButton>("cbt_Save")->isEnabled());
        QVERIFY(platform->dialogs.empty());
        QFile saved(folder.filePath(folder.entryList(QDir::Files).front()));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const std::string firstLine = fromGbk(saved.readLine().toStdString());
        QCOMPARE(firstLine, window->model().sheet().doc().front() + "\r\n");

        // A second design, saved over the first file: the answer No keeps it and writes a stamped copy.
        press("cbt_Exit");
        typeDiameter(QStringLiteral("1200"));
        press("cbt_compute");
        press("cbt_View");
        press("cbt_Save");
        QCOMPARE(platform->dialogs,
                 (std::vector<std::string>{"文件已存在，是否覆盖?", "结果已附加时间改名另存。"}));
        QTRY_COMPARE(folder.entryList(QDir::Files).size(), 2);
    }

    void projectKeysSaveAndReopenTheInputs() {
        platform->projectPath = platform->folder.filePath(QStringLiteral("pile.json")).toStdString();
        typeDiameter(QStringLiteral("1350"));
        QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(QFile::exists(QString::fromStdString(platform->projectPath)));
        typeDiameter(QStringLiteral("1000"));
        QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(widget<QComboBox>("cbe_dd")->currentText(), QStringLiteral("1350"));
        // A cancelled dialog does nothing.
        platform->projectPath.clear();
        typeDiameter(QStringLiteral("1000"));
        QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(widget<QComboBox>("cbe_dd")->currentText(), QStringLiteral("1000"));
        QVERIFY(platform->dialogs.empty());
    }
    void ctrlWheelMovesTheSliderWithinItsRange() {
        press("cbt_compute");
        press("cbt_View");
        auto* slider = widget<QSlider>("tcb_meoFontSize");
        auto* doc = widget<QPlainTextEdit>("meo_jisuanjieguo_Doc");
        slider->setValue(24);
        QCOMPARE(window->model().tcb_meoFontSize.value, 24.0);

        qianyan::testing::wheel(doc->viewport(), 120, Qt::ControlModifier);
        QCOMPARE(slider->value(), 24);
        qianyan::testing::wheel(doc->viewport(), -120, Qt::ControlModifier);
        QCOMPARE(slider->value(), 23);
        QCOMPARE(doc->font().pixelSize(), 23);
        // Further keys, or none, leave the size alone.
        qianyan::testing::wheel(doc->viewport(), -120, Qt::ControlModifier | Qt::ShiftModifier);
        qianyan::testing::wheel(doc->viewport(), -120, Qt::NoModifier);
        QCOMPARE(slider->value(), 23);
    }

    void touchpadPinchMovesTheSliderWithinItsRange() {
        press("cbt_compute");
        press("cbt_View");
        auto* viewport = widget<QPlainTextEdit>("meo_jisuanjieguo_Doc")->viewport();
        const auto gesture = [viewport](Qt::NativeGestureType type, double value) {
            const QPointF at = viewport->rect().center();
            QNativeGestureEvent event(type, QPointingDevice::primaryPointingDevice(), 2, at, at,
                                      viewport->mapToGlobal(at), value, {});
            QApplication::sendEvent(viewport, &event);
        };
        // Spreading the fingers to 1.5 times their distance: (150 - 100) / 20 = 2.5 sizes larger.
        gesture(Qt::BeginNativeGesture, 0);
        QCOMPARE(window->model().tcb_meoFontSize.value, 12.0);
        gesture(Qt::ZoomNativeGesture, 0.5);
        QCOMPARE(window->model().tcb_meoFontSize.value, 14.5);
        QCOMPARE(widget<QSlider>("tcb_meoFontSize")->value(), 15);
        // Pinching the fingers together: (1.5 - 150) / 20 smaller; a second pinch stops at the smallest size.
        gesture(Qt::ZoomNativeGesture, -0.99);
        QCOMPARE(window->model().tcb_meoFontSize.value, 7.075);
        gesture(Qt::BeginNativeGesture, 0);
        gesture(Qt::ZoomNativeGesture, -0.99);
        QCOMPARE(window->model().tcb_meoFontSize.value, 4.0);
        QCOMPARE(widget<QPlainTextEdit>("meo_jisuanjieguo_Doc")->font().pixelSize(), 4);
    }

    void pileDrawingFollowsTheInputs() {
        const std::string failed = testing::pileDrawingFollows(*window, "cbe_hr", "-1");
        QVERIFY2(failed.empty(), failed.c_str());
    }

    void quitClosesAndReleasesTheWindow() {
        press("cbt_tuichu");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
    }
};

QTEST_MAIN(Formula1FaceTest)
#include "formula1_face_test.moc"

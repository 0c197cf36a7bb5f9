// The launcher, the About window and the desktop platform's dialogs.
#include "app/about_window.h"
#include "app/calculator_faces.h"
#include "app/launcher_window.h"
#include "framework/calculator_registry.h"
#include "framework/launcher_texts.h"
#include "framework/project_file.h"
#include "framework/qt/calculator_window.h"
#include "framework/qt/control_binding.h"
#include "support/drawing_face.h"
#include "support/face_fixture.h"

#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

using namespace qianyan;

namespace {

int openCalculatorWindows() {
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (dynamic_cast<CalculatorWindow*>(w) && w->isVisible()) ++count;
    return count;
}

void deleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class AppTest : public QObject, public testing::FaceFixture<TVOR_FRM_KELD0> {
    Q_OBJECT

private:
    void press(const std::string_view name) {
        QTest::mouseClick(launcher->button(std::string(name)), Qt::LeftButton);
    }

    // A calculator's face on its own, shown and exposed; null where it cannot be made or shown.
    std::unique_ptr<CalculatorWindow> shownFace(const std::string_view name) {
        std::unique_ptr<CalculatorWindow> face(makeCalculatorFace(name, *platform));
        if (!face) return face;
        face->setAttribute(Qt::WA_DeleteOnClose, false);
        face->show();
        if (!QTest::qWaitForWindowExposed(face.get())) face.reset();
        return face;
    }

    TVOR_FRM_KELD0* launcher = nullptr;

private slots:
    void init() {
        QVERIFY(start());
        launcher = window;
    }
    void cleanup() { finish(); }

    void textsHaveTheirLengths_data() {
        QTest::addColumn<QString>("scrambled");
        QTest::addColumn<int>("length");
        using namespace launcher_texts;
        const auto row = [](const char* name, std::string_view text, int length) {
            QTest::newRow(name) << QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()))
                                << length;
        };
        row("A", heading, 6);
        row("B", combinedCoefficient, 8);
        row("C", withoutSoil, 6);
        row("D", withSoil, 7);
        row("E", separateCoefficients, 8);
        row("F", rockLayers, 6);
    }
    void textsHaveTheirLengths() {
        QFETCH(QString, scrambled);
        QFETCH(int, length);
        const QString text = QString::fromStdString(unscramble(scrambled.toStdString(), launcher_texts::key));
        QCOMPARE(text.size(), length); // UTF-16 units, as the window counts them
    }

    // A button per calculator of the registry, in its order from the top, captioned by its entry and
    // enabled by its face; 退出 below them all, inside the window.
    void theButtonsAreTheRegistrys() {
        int top = 0;
        for (const CalculatorEntry& c : calculators()) {
            QPushButton* button = launcher->button(std::string(c.button));
            QVERIFY2(button, c.button.data());
            QVERIFY2(hasCalculatorFace(c.name), c.name.data());
            QVERIFY(button->isEnabled());
            QVERIFY(button->geometry().top() > top);
            top = button->geometry().top();
            QCOMPARE(button->text(), QString::fromStdString(unscramble(c.first, launcher_texts::key) + "\n" +
                                                            unscramble(c.second, launcher_texts::key)));
        }
        QPushButton* exit = launcher->button("cbt_guanbi");
        QVERIFY(exit->isEnabled());
        QVERIFY(exit->geometry().top() > top);
        QVERIFY(exit->geometry().bottom() < launcher->height());
        QVERIFY(!hasCalculatorFace("formula9"));
    }

    void eachButtonOpensItsCalculator() {
        for (const CalculatorEntry& c : calculators()) {
            press(c.button);
            CalculatorWindow* window = launcher->openWindow(std::string(c.button));
            QVERIFY2(window, c.button.data());
            QVERIFY(window->model().windowName() == c.window);
        }
        QCOMPARE(openCalculatorWindows(), static_cast<int>(calculators().size()));
    }

    // Each calculator's main page draws the pile of its inputs, and none for a diameter that is no number.
    void everyFaceDrawsThePileOfItsInputs() {
        for (const CalculatorEntry& c : calculators()) {
            const std::unique_ptr<CalculatorWindow> face = shownFace(c.name);
            QVERIFY2(face, c.name.data());
            const std::string failed = testing::pileDrawingFollows(*face, "cbe_dd", "abc");
            QVERIFY2(failed.empty(), (std::string(c.name) + ": " + failed).c_str());
        }
    }

    // Each face shows the target group beside the drawing: a target typed into its field is answered
    // without 计算, and 采用 is pressable once there is an answer.
    void everyFaceAnswersATypedTarget() {
        for (const CalculatorEntry& c : calculators()) {
            const std::unique_ptr<CalculatorWindow> face = shownFace(c.name);
            QVERIFY2(face, c.name.data());
            auto* target = qobject_cast<QLineEdit*>(face->controlWidget("edt_MubiaoRa"));
            QVERIFY2(target && target->isVisible(), c.name.data());
            target->setFocus();
            QTest::keyClicks(target, QStringLiteral("3000"));
            const std::string length =
                face->model().targetAdapter()->targetByBottomLayer() ? "edt_XuyaoLr" : "edt_XuyaoHr";
            auto* answer = qobject_cast<QLineEdit*>(face->controlWidget(length));
            QVERIFY2(answer && !answer->text().isEmpty(), c.name.data());
            QVERIFY(face->controlWidget("cbt_Caiyong")->isEnabled());
            QCOMPARE(face->model().sheet().designCount(), 0);
        }
    }

    void aCalculatorOpensOnceAndAfreshAfterClosing() {
        press("cbt_Gongshi1");
        press("cbt_Gongshi1");
        QCOMPARE(openCalculatorWindows(), 1);
        CalculatorWindow* first = launcher->openWindow("cbt_Gongshi1");
        QVERIFY(first);
        first->binding().act([](CalculatorFrame& m) { m.click("cbt_compute"); });
        QCOMPARE(first->model().sheet().designCount(), 1);

        platform->saveChoice = SaveChoice::Discard;
        first->binding().act([](CalculatorFrame& m) { m.click("cbt_tuichu"); });
        deleteClosedWindows();
        QVERIFY(!launcher->openWindow("cbt_Gongshi1"));
        QCOMPARE(openCalculatorWindows(), 0);

        press("cbt_Gongshi1");
        QCOMPARE(openCalculatorWindows(), 1);
        QCOMPARE(launcher->openWindow("cbt_Gongshi1")->model().sheet().designCount(), 0);
    }

    void aButtonPressedAgainBringsItsCalculatorForward() {
        press("cbt_Gongshi1");
        CalculatorWindow* open = launcher->openWindow("cbt_Gongshi1");
        open->showMinimized();
        QTRY_VERIFY(open->isMinimized());
        press("cbt_Gongshi1");
        QCOMPARE(launcher->openWindow("cbt_Gongshi1"), open);
        QTRY_VERIFY(!open->isMinimized());
        QCOMPARE(openCalculatorWindows(), 1);
    }

    // qianyan FILE: the project opens in the calculator it was saved from; a file that is no project is
    // refused with its reason and opens nothing.
    void aProjectFileOpensInItsCalculator() {
        const CalculatorEntry& entry = calculators()[2];
        const std::unique_ptr<CalculatorWindow> source(makeCalculatorFace(entry.name, *platform));
        source->binding().act([](CalculatorFrame& m) { m.typeText("cbe_dd", "1777"); });
        const std::string path = (platform->folder.path() + QStringLiteral("/桩A.json")).toStdString();
        QVERIFY(saveProject(source->model(), path));

        launcher->openProjectFile(path);
        CalculatorWindow* opened = launcher->openWindow(std::string(entry.button));
        QVERIFY(opened);
        QCOMPARE(opened->model().find("cbe_dd")->text, std::string("1777"));
        QVERIFY(platform->dialogs.empty());

        const std::string damaged = (platform->folder.path() + QStringLiteral("/坏.json")).toStdString();
        std::ofstream(damaged) << "{\"format\": \"something else\"}";
        for (const std::string& refused :
             {damaged, platform->folder.path().toStdString() + "/无此文件.json"}) {
            platform->dialogs.clear();
            launcher->openProjectFile(refused);
            QCOMPARE(platform->dialogs.size(), std::size_t{1});
            QVERIFY2(platform->dialogs[0].starts_with("打开项目失败："), platform->dialogs[0].c_str());
        }
        QCOMPARE(openCalculatorWindows(), 1);
    }

    void exitClosesEveryCalculator() {
        press("cbt_Gongshi1");
        QCOMPARE(openCalculatorWindows(), 1);
        press("cbt_guanbi");
        deleteClosedWindows();
        QVERIFY(!launcher->isVisible());
        QCOMPARE(openCalculatorWindows(), 0);
        QVERIFY(platform->dialogs.empty());
    }

    // However the window is closed, designs no file holds are asked about first: 取消 keeps the window
    // (and the launcher), 不保存 closes it, 保存 writes both sheets and closes it.
    void closingAsksAboutUnsavedSheets_data() {
        QTest::addColumn<int>("way");
        QTest::addColumn<int>("choice");
        const char* ways[] = {"退出", "close button", "launcher 退出"};
        const char* choices[] = {"save", "discard", "cancel"};
        for (int way = 0; way < 3; ++way)
            for (int choice = 0; choice < 3; ++choice)
                QTest::addRow("%s, %s", ways[way], choices[choice]) << way << choice;
    }
    void closingAsksAboutUnsavedSheets() {
        QFETCH(int, way);
        QFETCH(int, choice);
        press("cbt_Gongshi1");
        QPointer<CalculatorWindow> window = launcher->openWindow("cbt_Gongshi1");
        window->binding().act([](CalculatorFrame& m) { m.click("cbt_compute"); });
        platform->saveChoice = static_cast<SaveChoice>(choice);
        if (way == 0)
            QTest::mouseClick(window->controlWidget("cbt_tuichu"), Qt::LeftButton);
        else if (way == 1)
            window->close();
        else
            press("cbt_guanbi");
        deleteClosedWindows();

        QCOMPARE(platform->dialogs,
                 std::vector<std::string>{"“公式一”的计算书有未保存的计算结果，关闭前是否保存?"});
        const bool closes = static_cast<SaveChoice>(choice) != SaveChoice::Cancel;
        QCOMPARE(window.isNull(), closes);
        QCOMPARE(launcher->isVisible(), way != 2 || !closes);
        const QDir documents(QString::fromStdString(platform->documentsFolder()));
        QCOMPARE(documents.entryList(QDir::Files).size(),
                 static_cast<SaveChoice>(choice) == SaveChoice::Save ? 2 : 0);
        if (closes) return;
        // With nothing left unsaved, the window closes at once.
        window->binding().act([](CalculatorFrame& m) { m.click("cbt_View"); });
        window->binding().act([](CalculatorFrame& m) { m.click("cbt_sanchu"); });
        window->close();
        deleteClosedWindows();
        QVERIFY(window.isNull());
        QCOMPARE(platform->dialogs.size(), 1u);
    }

    void aboutWindowIsCreatedOnceAndHiddenOnEscape() {
        press("cbt_Gongshi1");
        CalculatorWindow* calculator = launcher->openWindow("cbt_Gongshi1");
        QVERIFY(!launcher->aboutWindow());
        calculator->binding().act([](CalculatorFrame& m) { m.click("cbt_CopyRight"); });
        TVOR_DAX_FRM_CopyRight* about = launcher->aboutWindow();
        QVERIFY(about && about->isVisible());

        QTest::keyClick(about, Qt::Key_Escape);
        QVERIFY(!about->isVisible());
        calculator->binding().act([](CalculatorFrame& m) { m.click("cbt_CopyRight"); });
        QCOMPARE(launcher->aboutWindow(), about);
        QVERIFY(about->isVisible());

        about->lb_lianxiUrClick();
        QCOMPARE(platform->links, std::vector<std::string>{"mailto:qianyan@example.org"});
    }

    void overwriteQuestionDefaultsToNo() {
        // The real box, answered by the keyboard: Enter takes the default (No), then Yes is clicked.
        QtPlatform real;
        const auto answerWith = [](bool clickYes) {
            QTimer::singleShot(0, [clickYes] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                QCOMPARE(box->text(), QStringLiteral("文件已存在，是否覆盖?"));
                QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
                if (clickYes)
                    box->button(QMessageBox::Yes)->click();
                else
                    QTest::keyClick(box, Qt::Key_Return);
            });
        };
        answerWith(false);
        QVERIFY(!real.askYesNo("文件已存在，是否覆盖?"));
        answerWith(true);
        QVERIFY(real.askYesNo("文件已存在，是否覆盖?"));
    }

    void unsavedQuestionSavesByDefaultAndCancelsOnEscape() {
        QtPlatform real;
        const auto answerWith = [](int key, const QString& click) {
            QTimer::singleShot(0, [key, click] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                QStringList texts;
                for (QAbstractButton* b : box->buttons()) texts << b->text();
                texts.sort();
                QCOMPARE(texts, (QStringList{QStringLiteral("不保存"), QStringLiteral("保存"),
                                             QStringLiteral("取消")}));
                QCOMPARE(box->defaultButton()->text(), QStringLiteral("保存"));
                for (QAbstractButton* b : box->buttons())
                    if (b->text() == click) return b->click();
                QTest::keyClick(box, static_cast<Qt::Key>(key));
            });
        };
        answerWith(Qt::Key_Return, {});
        QCOMPARE(real.askSaveDiscardCancel("?"), SaveChoice::Save);
        answerWith(Qt::Key_Escape, {});
        QCOMPARE(real.askSaveDiscardCancel("?"), SaveChoice::Cancel);
        answerWith(0, QStringLiteral("不保存"));
        QCOMPARE(real.askSaveDiscardCancel("?"), SaveChoice::Discard);
    }

    void aDocumentsFolderThatCannotBeMadeIsReportedInABox() {
        // A home that is a file: the documents folder under it cannot be made, by root either.
        namespace fs = std::filesystem;
        const fs::path scratch =
            fs::temp_directory_path() / ("qianyan-qt-home-" + std::to_string(::getpid()));
        fs::create_directories(scratch);
        std::ofstream(scratch / "home") << "not a folder";
        const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QByteArray::fromStdString((scratch / "home").string()));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((scratch / "config").string()));
        QtPlatform real;
        std::string message = "no failure";
        try {
            real.documentsFolder();
        } catch (const PlatformError& e) {
            message = e.what();
        }
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", config);
        QVERIFY2(message.find("不是文件夹") != std::string::npos, message.c_str());
        QTimer::singleShot(0, [&message] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->text(), QString::fromStdString(message));
            box->button(QMessageBox::Ok)->click();
        });
        real.reportError(message);
        QCOMPARE(std::distance(fs::directory_iterator(scratch), fs::directory_iterator{}), 1);
        fs::remove_all(scratch);
    }
};

QTEST_MAIN(AppTest)
#include "app_test.moc"

// The sheet page of the Formula 1 window writes its exports and saves in a worker thread with the progress
// line and 取消: 取消 leaves no file behind and an earlier file of the name whole, an export that runs to
// its end names its file under the buttons, and the page takes no other input meanwhile.
#include "formula1/qt/formula1_window.h"
#include "framework/calculator_frame.h"
#include "framework/qt/control_binding.h"
#include "framework/qt/sheet_page.h"
#include "support/face_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <string>

using namespace qianyan;

namespace {

// Enough designs that writing them takes many steps, each a point where 取消 is looked at.
constexpr int designs = 300;

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class SheetPageTest : public QObject, public testing::FaceFixture<Formula1Window> {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(start());
        CalculatorFrame& model = window->model();
        for (int i = 0; i < designs; ++i) {
            model.typeText("cbe_dd", i % 2 == 0 ? "1000" : "1200");
            model.click("cbt_compute");
        }
        window->binding().act([](CalculatorFrame& m) { m.click("cbt_View"); });
        QVERIFY(page()->isVisible());
    }
    void cleanup() { finish(); }

    void cancelledExportLeavesNoFile_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("byEsc");
        QTest::newRow("导出PDF") << "export_pdf"
                                 << "sheet.pdf" << false;
        QTest::newRow("导出Excel") << "export_xlsx"
                                   << "sheet.xlsx" << false;
        QTest::newRow("导出PDF, Esc") << "export_pdf"
                                      << "sheet.pdf" << true;
    }

    // 取消 pressed, or Esc with the focus elsewhere on the page, while the file is written: no file, and
    // an earlier one as it was.
    void cancelledExportLeavesNoFile() {
        QFETCH(QString, button);
        QFETCH(QString, file);
        QFETCH(bool, byEsc);
        for (const bool earlier : {false, true}) {
            const QString path = platform->folder.filePath(file);
            QFile::remove(path);
            if (earlier) {
                QFile old(path);
                QVERIFY(old.open(QIODevice::WriteOnly));
                old.write("an earlier export");
            }
            platform->savePath = path.toStdString();
            child<QPushButton>(button)->click();
            QVERIFY(page()->busy());
            QVERIFY(child<QPushButton>("sheet_cancel")->isVisible());
            QVERIFY(!child<QPushButton>(button)->isEnabled()); // the page takes no other input
            if (byEsc) {
                page()->setFocus();
                QTest::keyClick(page(), Qt::Key_Escape);
            } else {
                child<QPushButton>("sheet_cancel")->click();
            }
            QTRY_VERIFY_WITH_TIMEOUT(!page()->busy(), 60000);
            QCOMPARE(QFile::exists(path), earlier);
            if (earlier) QCOMPARE(contents(path), QByteArray("an earlier export"));
            QVERIFY(!child<QPushButton>("sheet_cancel")->isVisible());
            QVERIFY(child<QPushButton>(button)->isEnabled());
            QCOMPARE(label("lb_cunpan"), QString());
            QVERIFY(platform->dialogs.empty());
        }
    }

    // Left to run, the export writes the file and names it; 保存 and 另存为… the same with the shown sheet.
    void finishedWritesAreNamed_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("starts");
        QTest::newRow("导出PDF") << "export_pdf"
                                 << "sheet.pdf" << QByteArray("%PDF");
        QTest::newRow("导出Excel") << "export_xlsx"
                                   << "sheet.xlsx" << QByteArray("PK");
        QTest::newRow("另存为") << "cbt_LingCun"
                                << "sheet.txt" << QByteArray();
    }
    void finishedWritesAreNamed() {
        QFETCH(QString, button);
        QFETCH(QString, file);
        QFETCH(QByteArray, starts);
        const QString path = platform->folder.filePath(file);
        platform->savePath = path.toStdString();
        child<QPushButton>(button)->click();
        QTRY_VERIFY_WITH_TIMEOUT(!page()->busy(), 120000);
        QVERIFY(contents(path).startsWith(starts));
        QVERIFY(QFileInfo(path).size() > designs * 10);
        QCOMPARE(label("lb_cunpan"), QStringLiteral("已保存：") + path);
        QVERIFY(platform->dialogs.empty());
    }

    // 保存 writes the shown sheet into the documents folder, byte for byte the model's own save.
    void saveWritesTheShownSheet() {
        child<QPushButton>("cbt_Save")->click();
        QTRY_VERIFY(!page()->busy());
        const std::string written =
            window->model().find("lb_cunpan")->text.substr(std::string("已保存：").size());
        const QByteArray bytes = contents(QString::fromStdString(written));
        QCOMPARE(bytes.count("\r\n"), static_cast<qsizetype>(window->model().sheet().doc().size()));
        QVERIFY(!child<QPushButton>("cbt_Save")->isEnabled()); // the sheet is marked saved
        QVERIFY(platform->dialogs.empty());
    }

private:
    SheetPage* page() { return window->findChild<SheetPage*>(); }
    template <class W> W* child(const QString& name) {
        W* found = window->findChild<W*>(name);
        if (!found) qFatal("no widget %s", qPrintable(name));
        return found;
    }
    QString label(const char* name) { return qobject_cast<QLabel*>(window->controlWidget(name))->text(); }
};

QTEST_MAIN(SheetPageTest)
#include "sheet_page_test.moc"

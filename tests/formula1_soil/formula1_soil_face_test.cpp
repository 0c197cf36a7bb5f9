// The Formula 1 with soil layers window's face: the check boxes beside their panel buttons, a panel as a
// page of its own with its grid taking typed cells, and the net capacity.
#include "formula1_soil/qt/formula1_soil_window.h"
#include "support/face_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace qianyan;

class Formula1SoilFaceTest : public QObject, public testing::FaceFixture<Formula1SoilWindow> {
    Q_OBJECT

private:
    QString text(const char* control) {
        auto* edit = qobject_cast<QLineEdit*>(window->controlWidget(control));
        return edit ? edit->text() : QStringLiteral("<no widget>");
    }
    void press(const char* control) {
        QTest::mouseClick(qobject_cast<QPushButton*>(window->controlWidget(control)), Qt::LeftButton);
    }

private slots:
    void init() { QVERIFY(start()); }
    void cleanup() { finish(); }

    void panelsArePagesAndTheirGridsTakeTypedCells() {
        QCOMPARE(window->size(), QSize(541, 793));
        auto* downDrag = qobject_cast<QCheckBox*>(window->controlWidget("ckb_fumozhuli"));
        auto* panelButton = qobject_cast<QPushButton*>(window->controlWidget("cbt_fumozhuli"));
        QVERIFY(downDrag);
        QVERIFY(panelButton);
        QVERIFY(!panelButton->isEnabled());
        QTest::mouseClick(downDrag, Qt::LeftButton);
        QVERIFY(panelButton->isEnabled());

        QTest::mouseClick(panelButton, Qt::LeftButton);
        auto* grid = qobject_cast<QTableView*>(window->controlWidget("Grid1_Fumozhulijisuan"));
        QVERIFY(grid);
        QVERIFY(grid->isVisible());
        QVERIFY(!panelButton->isVisible());
        // A person types a new unit weight into layer 1 (column 4) and computes the panel.
        grid->model()->setData(grid->model()->index(0, 4), QStringLiteral("18"));
        QVERIFY(window->model().findGrid("Grid1_Fumozhulijisuan")->rows.cell(0, 4) == "18");
        QVERIFY(!grid->model()->flags(grid->model()->index(0, 8)).testFlag(Qt::ItemIsEditable));
        press("cbt_Fmzlfanhui");
        QVERIFY(panelButton->isVisible());

        press("cbt_compute");
        QVERIFY(!text("edt_Qgn").isEmpty());
        QVERIFY(!text("edt_Rajin").isEmpty());
        QVERIFY(text("edt_RajinPercent").endsWith(QLatin1Char('%')));
    }
};

QTEST_MAIN(Formula1SoilFaceTest)
#include "formula1_soil_face_test.moc"

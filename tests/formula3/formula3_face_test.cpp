// The Formula 3 window's face: the rows relabelled by the section type, the rock-layer table in its
// group, and the results.
#include "formula3/qt/formula3_window.h"
#include "support/face_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace qianyan;

class Formula3FaceTest : public QObject, public testing::FaceFixture<Formula3Window> {
    Q_OBJECT

private:
    QString text(const char* control) {
        if (auto* edit = qobject_cast<QLineEdit*>(window->controlWidget(control))) return edit->text();
        auto* label = qobject_cast<QLabel*>(window->controlWidget(control));
        return label ? label->text() : QStringLiteral("<no widget>");
    }

private slots:
    void init() { QVERIFY(start()); }
    void cleanup() { finish(); }

    void sectionTypeRelabelsItsRowsAndTheLayerTableTakesTypedCells() {
        QCOMPARE(window->size(), QSize(580, 920));
        auto* section = qobject_cast<QComboBox*>(window->controlWidget("cbb_jmlx"));
        QVERIFY(section);
        const QString diameterLabel = text("lb_dd");
        section->setCurrentIndex(2);
        emit section->activated(2); // a person choosing the rectangle
        QVERIFY(text("lb_dd") != diameterLabel);
        QCOMPARE(QString::fromStdString(window->model().find("lb_dd")->text), text("lb_dd"));
        section->setCurrentIndex(0);
        emit section->activated(0);

        auto* layers = qobject_cast<QTableView*>(window->controlWidget("StringGrid_KELD3"));
        QVERIFY(layers);
        QVERIFY(layers->isVisible());
        layers->model()->setData(layers->model()->index(0, 1), QStringLiteral("2.00"));
        QVERIFY(window->model().findGrid("StringGrid_KELD3")->rows.cell(0, 1) == "2.00");

        QTest::mouseClick(qobject_cast<QPushButton*>(window->controlWidget("cbt_compute")), Qt::LeftButton);
        QVERIFY(!text("edt_ra").isEmpty());
        QCOMPARE(text("edt_ddeq"), QStringLiteral("1000"));
    }
};

QTEST_MAIN(Formula3FaceTest)
#include "formula3_face_test.moc"

// The Formula 2 window's face is wired to its own controls: the client area, the method list, the
// relabelled share rows and the check value in blue.
#include "formula2/qt/formula2_window.h"
#include "support/face_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace qianyan;

class Formula2FaceTest : public QObject, public testing::FaceFixture<Formula2Window> {
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

    void showsTheModelsOwnRowsAndLabels() {
        QCOMPARE(window->size(), QSize(541, 761));
        auto* method = qobject_cast<QComboBox*>(window->controlWidget("cbb_chezhuxishu"));
        QVERIFY(method);
        QCOMPARE(method->count(), 2);
        QCOMPARE(method->currentText(), QStringLiteral("综合与端阻系数差换算"));
        QCOMPARE(text("lb_raZW"), QStringLiteral("规范综合系数法承载力(kN)"));

        QTest::mouseClick(qobject_cast<QPushButton*>(window->controlWidget("cbt_compute")), Qt::LeftButton);
        QCOMPARE(text("edt_Qrs"), QStringLiteral("4189"));
        QCOMPARE(text("lb_Qrs"), QStringLiteral("侧阻力Qrs(kN)[25%]"));
        QCOMPARE(text("lb_Qrp"), QStringLiteral("端阻力Qrp(kN)[75%]"));
        const auto* checkValue = window->controlWidget("edt_raZW");
        QCOMPARE(text("edt_raZW"), QStringLiteral("8410"));
        QCOMPARE(checkValue->palette().color(QPalette::Text), QColor(0, 0, 255));

        QTest::keyClick(method, Qt::Key_Down); // a person choosing the second method
        QCOMPARE(window->model().find("cbb_chezhuxishu")->itemIndex, 1);
        QCOMPARE(text("edt_Qrs"), QString());
        QCOMPARE(text("lb_Qrp"), QStringLiteral("端阻力 Qrp(kN)"));
    }
};

QTEST_MAIN(Formula2FaceTest)
#include "formula2_face_test.moc"

// The Formula 2 window's face is wired to its own controls: the client area, the method list, the
// relabelled share rows and the check value in blue.
#include "formula2/qt/formula2_window.h"
#include "support/drawing_face.h"
#include "support/face_fixture.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace qianyan {
namespace {

using Formula2FaceTest = testing::FaceTest<Formula2Window>;

TEST_F(Formula2FaceTest, ShowsTheModelsOwnRowsAndLabels) {
    Formula2Window& window = *this->window;
    EXPECT_EQ(window.size(), QSize(541, 761));

    const auto text = [&](const char* control) {
        if (auto* edit = qobject_cast<QLineEdit*>(window.controlWidget(control))) return edit->text();
        auto* label = qobject_cast<QLabel*>(window.controlWidget(control));
        return label ? label->text() : QStringLiteral("<no widget>");
    };
    auto* method = qobject_cast<QComboBox*>(window.controlWidget("cbb_chezhuxishu"));
    ASSERT_NE(method, nullptr);
    EXPECT_EQ(method->count(), 2);
    EXPECT_EQ(method->currentText(), QStringLiteral("综合与端阻系数差换算"));
    EXPECT_EQ(text("lb_raZW"), QStringLiteral("规范综合系数法承载力(kN)"));

    QTest::mouseClick(qobject_cast<QPushButton*>(window.controlWidget("cbt_compute")), Qt::LeftButton);
    EXPECT_EQ(text("edt_Qrs"), QStringLiteral("4189"));
    EXPECT_EQ(text("lb_Qrs"), QStringLiteral("侧阻力Qrs(kN)[25%]"));
    EXPECT_EQ(text("lb_Qrp"), QStringLiteral("端阻力Qrp(kN)[75%]"));
    const auto* checkValue = window.controlWidget("edt_raZW");
    EXPECT_EQ(text("edt_raZW"), QStringLiteral("8410"));
    EXPECT_EQ(checkValue->palette().color(QPalette::Text), QColor(0, 0, 255));

    QTest::keyClick(method, Qt::Key_Down); // a person choosing the second method
    EXPECT_EQ(window.model().find("cbb_chezhuxishu")->itemIndex, 1);
    EXPECT_EQ(text("edt_Qrs"), QString());
    EXPECT_EQ(text("lb_Qrp"), QStringLiteral("端阻力 Qrp(kN)"));
}

TEST_F(Formula2FaceTest, ThePileDrawingFollowsTheInputs) {
    EXPECT_EQ(testing::pileDrawingFollows(*window, "cbe_dd", "abc"), "");
}

} // namespace
} // namespace qianyan

// The Formula 3 window's face: the rows relabelled by the section type, the rock-layer table in its
// group, and the results.
#include "formula3/qt/formula3_window.h"
#include "support/drawing_face.h"
#include "support/face_fixture.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace qianyan {
namespace {

using Formula3FaceTest = testing::FaceTest<Formula3Window>;

TEST_F(Formula3FaceTest, SectionTypeRelabelsItsRowsAndTheLayerTableTakesTypedCells) {
    Formula3Window& window = *this->window;
    EXPECT_EQ(window.size(), QSize(580, 920));
    const auto text = [&](const char* control) {
        if (auto* edit = qobject_cast<QLineEdit*>(window.controlWidget(control))) return edit->text();
        auto* label = qobject_cast<QLabel*>(window.controlWidget(control));
        return label ? label->text() : QStringLiteral("<no widget>");
    };

    auto* section = qobject_cast<QComboBox*>(window.controlWidget("cbb_jmlx"));
    ASSERT_NE(section, nullptr);
    const QString diameterLabel = text("lb_dd");
    section->setCurrentIndex(2);
    emit section->activated(2); // a person choosing the rectangle
    EXPECT_NE(text("lb_dd"), diameterLabel);
    EXPECT_EQ(QString::fromStdString(window.model().find("lb_dd")->text), text("lb_dd"));
    section->setCurrentIndex(0);
    emit section->activated(0);

    auto* layers = qobject_cast<QTableView*>(window.controlWidget("StringGrid_KELD3"));
    ASSERT_NE(layers, nullptr);
    EXPECT_TRUE(layers->isVisible());
    layers->model()->setData(layers->model()->index(0, 1), QStringLiteral("2.00"));
    EXPECT_EQ(window.model().findGrid("StringGrid_KELD3")->rows.cell(0, 1), "2.00");

    QTest::mouseClick(qobject_cast<QPushButton*>(window.controlWidget("cbt_compute")), Qt::LeftButton);
    EXPECT_FALSE(text("edt_ra").isEmpty());
    EXPECT_EQ(text("edt_ddeq"), QStringLiteral("1000"));
}

TEST_F(Formula3FaceTest, ThePileDrawingFollowsTheInputs) {
    EXPECT_EQ(testing::pileDrawingFollows(*window, "cbe_dd", "abc"), "");
}

} // namespace
} // namespace qianyan

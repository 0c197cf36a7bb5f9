// The Formula 1 with soil layers window's face: the check boxes beside their panel buttons, a panel as a
// page of its own with its grid taking typed cells, and the net capacity.
#include "formula1_soil/qt/formula1_soil_window.h"
#include "support/drawing_face.h"
#include "support/face_fixture.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace qianyan {
namespace {

using Formula1SoilFaceTest = testing::FaceTest<Formula1SoilWindow>;

TEST_F(Formula1SoilFaceTest, PanelsArePagesAndTheirGridsTakeTypedCells) {
    Formula1SoilWindow& window = *this->window;
    EXPECT_EQ(window.size(), QSize(541, 793));
    const auto text = [&](const char* control) {
        auto* edit = qobject_cast<QLineEdit*>(window.controlWidget(control));
        return edit ? edit->text() : QStringLiteral("<no widget>");
    };

    auto* downDrag = qobject_cast<QCheckBox*>(window.controlWidget("ckb_fumozhuli"));
    auto* panelButton = qobject_cast<QPushButton*>(window.controlWidget("cbt_fumozhuli"));
    ASSERT_NE(downDrag, nullptr);
    ASSERT_NE(panelButton, nullptr);
    EXPECT_FALSE(panelButton->isEnabled());
    QTest::mouseClick(downDrag, Qt::LeftButton);
    EXPECT_TRUE(panelButton->isEnabled());

    QTest::mouseClick(panelButton, Qt::LeftButton);
    auto* grid = qobject_cast<QTableView*>(window.controlWidget("Grid1_Fumozhulijisuan"));
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->isVisible());
    EXPECT_FALSE(panelButton->isVisible());
    // A person types a new unit weight into layer 1 (column 4) and computes the panel.
    grid->model()->setData(grid->model()->index(0, 4), QStringLiteral("18"));
    EXPECT_EQ(window.model().findGrid("Grid1_Fumozhulijisuan")->rows.cell(0, 4), "18");
    EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, 8)).testFlag(Qt::ItemIsEditable));
    QTest::mouseClick(qobject_cast<QPushButton*>(window.controlWidget("cbt_Fmzlfanhui")), Qt::LeftButton);
    EXPECT_TRUE(panelButton->isVisible());

    QTest::mouseClick(qobject_cast<QPushButton*>(window.controlWidget("cbt_compute")), Qt::LeftButton);
    EXPECT_FALSE(text("edt_Qgn").isEmpty());
    EXPECT_FALSE(text("edt_Rajin").isEmpty());
    EXPECT_TRUE(text("edt_RajinPercent").endsWith(QLatin1Char('%')));
}

TEST_F(Formula1SoilFaceTest, ThePileDrawingFollowsTheInputs) {
    EXPECT_EQ(testing::pileDrawingFollows(*window, "cbe_dd", "abc"), "");
}

} // namespace
} // namespace qianyan

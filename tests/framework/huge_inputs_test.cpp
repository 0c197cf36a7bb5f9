// Ten megabytes typed into every input and every editable cell a person can reach in each window, the
// workbench's option grid included: a clear message or the window's own behaviour, and nothing but the
// typed text itself ever holds more than a line's worth; afterwards a design still computes and saves.
#include "cli/calculators.h"
#include "formula1_soil/formula1_soil_window.h"
#include "formula3/formula3_window.h"
#include "support/calculator_fixture.h"

#include <gmock/gmock.h>

namespace qianyan {
namespace {

constexpr std::size_t longestShown = 4096;
const std::string hugeText(10u << 20, '9');

class HugeInputsTest : public testing::CalculatorFixture<std::string_view> {
protected:
    HugeInputsTest() : CalculatorFixture("huge", GetParam()) {}

    // Every text the window holds, its sheets and dialogs included, is short; the text at `typed` is left
    // out.
    void expectShort(const char* typed) {
        const auto check = [&](std::string_view text, std::string_view where) {
            if (text.data() == typed) return;
            EXPECT_LE(text.size(), longestShown) << where << ": " << text.substr(0, 80);
        };
        for (const DeclaredControl& c : window->declaration().all()) {
            check(c.control->text, c.name);
            if (const Grid* grid = c.asGrid())
                for (std::size_t r = 0; r < grid->rows.rowCount(); ++r)
                    for (std::size_t col = 0; col < grid->rows.columnCount(); ++col)
                        check(grid->rows.cell(r, col), c.name);
        }
        for (const std::string& line : window->sheet().doc()) check(line, "Doc sheet");
        for (const std::string& line : window->sheet().xls()) check(line, "Xls sheet");
        for (const auto& d : platform.dialogs) check(d.text, "dialog");
    }

    // Types the huge text into each reachable input, presses `compute` and checks; then types back
    // what was there.
    void eachInput(std::string_view compute) {
        for (const DeclaredControl& c : window->declaration().all()) {
            Control& input = *c.control;
            if ((input.kind != ControlKind::Edit && input.kind != ControlKind::EditableCombo) ||
                input.readOnly || !window->reachable(c.name))
                continue;
            SCOPED_TRACE(c.name);
            const std::string before = input.text;
            if (window->typeText(c.name, hugeText) != Outcome::Done) continue;
            window->click(compute);
            expectShort(input.text.data());
            window->typeText(c.name, before);
        }
    }

    // The same for every editable cell of the first row of each reachable grid.
    void eachCell(std::string_view compute) {
        for (const DeclaredControl& c : window->declaration().all()) {
            Grid* grid = c.asGrid();
            if (grid == nullptr || grid->rows.empty() || !window->reachable(c.name)) continue;
            for (std::size_t col = 0; col < grid->rows.columnCount(); ++col) {
                SCOPED_TRACE(std::string(c.name) + " column " + std::to_string(col));
                const std::string before(grid->rows.cell(0, col));
                if (window->editCell(c.name, 0, static_cast<int>(col), hugeText) != Outcome::Done) continue;
                window->click(compute);
                expectShort(grid->rows.cell(0, col).data());
                window->editCell(c.name, 0, static_cast<int>(col), before);
            }
        }
    }
};

TEST_P(HugeInputsTest, TenMegabytesInAFieldOrACellAreRefusedOrKeptAndNothingElseGrows) {
    eachInput("cbt_compute");
    eachCell("cbt_compute");
    ASSERT_EQ(window->click("cbt_YouHua"), Outcome::Done);
    eachCell("cbt_YHcompute");
    ASSERT_EQ(window->click("cbt_YHfanhui"), Outcome::Done);

    // The window is whole afterwards: a design computes, shows and saves.
    platform.dialogs.clear();
    window->typeText("cbe_dd", "1100");
    ASSERT_EQ(window->click("cbt_compute"), Outcome::Done);
    ASSERT_EQ(window->sheet().designCount(), 1);
    ASSERT_EQ(window->click("cbt_View"), Outcome::Done);
    ASSERT_EQ(window->click("cbt_Save"), Outcome::Done);
    EXPECT_THAT(platform.dialogs, ::testing::IsEmpty());
    const auto saved = testing::savedLines(documents / "嵌岩桩计算书(依据JGJ94-2008)_文本.txt");
    EXPECT_EQ(saved, window->sheet().doc());
    expectShort(nullptr);
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, HugeInputsTest, testing::everyCalculator(), testing::ByCalculator());

// Computes, shows and saves both sheets; the saved files hold exactly the shown lines.
void computeAndSave(CalculatorFrame& window, ScriptedPlatform& platform,
                    const std::filesystem::path& documents) {
    ASSERT_EQ(window.click("cbt_compute"), Outcome::Done);
    ASSERT_EQ(window.sheet().designCount(), 1) << window.find("lb_shuoming")->text;
    window.click("cbt_View");
    window.click("cbt_Save");
    window.click("cbt_PageBook");
    window.click("cbt_Save");
    EXPECT_THAT(platform.dialogs, ::testing::IsEmpty());
    EXPECT_EQ(window.sheet().unsavedMarks(), 0);
    EXPECT_EQ(testing::savedLines(documents / "嵌岩桩计算书(依据JGJ94-2008)_文本.txt"), window.sheet().doc());
    EXPECT_EQ(testing::savedLines(documents / "嵌岩桩计算书(依据JGJ94-2008)_表格.txt"), window.sheet().xls());
}

using EveryLayerSoilTest = testing::WindowFixture<TVOR_FRM_KELD1_1>;

TEST_F(EveryLayerSoilTest, TwentySoilAndTwentyDownDragLayersComputeAndSave) {
    const auto done = [](Outcome o) { ASSERT_EQ(o, Outcome::Done); };
    done(window.setChecked("ckb_zhengmozhuli", true));
    done(window.click("cbt_zhengmozhuli"));
    done(window.chooseItem("cbb_ZhengTuchengshu", 19));
    for (int row = 0; row < 20; ++row) {
        done(window.editCell("Grid1_Zhengmozhulijisuan", row, 1, "1.000"));
        done(window.editCell("Grid1_Zhengmozhulijisuan", row, 2, std::to_string(20 + 3 * row) + ".00"));
    }
    done(window.click("cbt_Zmzlfanhui"));
    done(window.setChecked("ckb_fumozhuli", true));
    done(window.click("cbt_fumozhuli"));
    done(window.chooseItem("cbb_Tuchengshu", 19));
    done(window.typeText("cbe_Junbuhezai", "20.00"));
    for (int row = 0; row < 20; ++row)
        for (const auto& [col, text] : {std::pair{2, "-" + std::to_string(row + 1) + ".500"},
                                        {3, std::string("18.50")},
                                        {4, std::string("0.25")},
                                        {5, std::string("45.00")}})
            done(window.editCell("Grid1_Fumozhulijisuan", row, col, text));
    done(window.click("cbt_Fmzlfanhui"));
    ASSERT_EQ(window.Grid1_Zhengmozhulijisuan.rows.rowCount(), 20u);
    ASSERT_EQ(window.Grid1_Fumozhulijisuan.rows.rowCount(), 20u);
    computeAndSave(window, platform, documents);
    for (const Grid* grid : {&window.Grid1_Zhengmozhulijisuan, &window.Grid1_Fumozhulijisuan})
        EXPECT_THAT(grid->rows.row(19), ::testing::Contains(::testing::EndsWith("%")))
            << "the last layer's share";
}

using EveryLayerRockTest = testing::WindowFixture<TVOR_FRM_KELD3>;

TEST_F(EveryLayerRockTest, NineRockLayersComputeAndSave) {
    ASSERT_EQ(window.chooseItem("cbb_yanchengshu", 8), Outcome::Done);
    ASSERT_EQ(window.StringGrid_KELD3.rows.rowCount(), 9u);
    for (int row = 0; row < 9; ++row) {
        ASSERT_EQ(window.editCell("StringGrid_KELD3", row, 1, "1"), Outcome::Done);
        ASSERT_EQ(window.editCell("StringGrid_KELD3", row, 2, std::to_string(10 + 5 * row)), Outcome::Done);
    }
    computeAndSave(window, platform, documents);
    const auto filled = [&](std::size_t row) {
        const auto cells = window.StringGrid_KELD3.rows.row(row);
        return std::count_if(cells.begin(), cells.end(), [](const std::string& c) { return !c.empty(); });
    };
    EXPECT_GE(filled(8), filled(0)) << "the last layer computed like the first";
}

} // namespace
} // namespace qianyan

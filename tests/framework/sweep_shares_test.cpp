// The workbench sweep of every calculator split over several cores against the same sweep on one, row
// for row; sampled rows loaded back and computed alone; and the window's inputs as the person left them
// however the sweep ends.
#include "cli/calculators.h"
#include "framework/window_state.h"
#include "support/calculator_fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

namespace qianyan {
namespace {

struct OptionEdit {
    int row;
    std::string_view minimum, maximum, step;
};
// An output of the main page and the results column that lists it.
struct OutputColumn {
    std::string_view control;
    std::size_t column;
};
// What each calculator is swept with: a range whose many small steps accumulate rounding (so a share
// that starts from a wrong value shows), a range that makes the first candidate fail a check, the
// outputs a row repeats, and inputs a person typed before the sweep.
struct SweepCase {
    std::string_view window;
    OptionEdit fineSteps, failing;
    std::vector<OutputColumn> outputs;
    void (*typeInputs)(CalculatorFrame&);
};

void PrintTo(const SweepCase& c, std::ostream* out) {
    *out << c.window;
}

void typeCircularPile(CalculatorFrame& w) {
    w.typeText("cbe_dd", "1234");
    w.typeText("cbe_hr", "1.7d");
    w.typeText("edt_frk", "33.3");
    w.chooseItem("cbb_czgy", 2);
}

const SweepCase cases[] = {
    {"formula1",
     {2, "30", "32", "0.1"},
     {2, "0", "10", "5"},
     {{"edt_ra", 2}, {"edt_rc", 3}},
     typeCircularPile},
    {"formula1_soil",
     {2, "30", "32", "0.1"},
     {2, "0", "10", "5"},
     {{"edt_ra", 2}, {"edt_rc", 3}, {"edt_Rajin", 12}},
     [](CalculatorFrame& w) {
         typeCircularPile(w);
         w.setChecked("ckb_zhengmozhuli", true);
         w.setChecked("ckb_fumozhuli", true);
     }},
    {"formula2",
     {2, "30", "32", "0.1"},
     {2, "0", "10", "5"},
     {{"edt_ra", 2}, {"edt_rc", 3}},
     typeCircularPile},
    {"formula3",
     {7, "35", "35.3", "0.1"},
     {7, "0", "10", "5"},
     {{"edt_ra", 4}, {"edt_ddeq", 10}, {"edt_Rc", 25}},
     [](CalculatorFrame& w) {
         w.chooseItem("cbb_jmlx", 2);
         w.typeText("cbe_dd", "2100");
         w.typeText("cbe_tyzd", "1300");
         w.chooseItem("cbb_yanchengshu", 3);
         w.editCell("StringGrid_KELD3", 2, 2, "7.7"); // the third layer's frk
     }},
};

class SweepShares : public testing::CalculatorFixture<SweepCase> {
protected:
    SweepShares() : CalculatorFixture("sweep", GetParam().window) {}

    // A window of the calculator on its workbench page.
    std::unique_ptr<CalculatorFrame> workbenchWindow() {
        auto w = newWindow();
        w->click("cbt_YouHua");
        return w;
    }
    static void edit(CalculatorFrame& w, const OptionEdit& e) {
        for (const auto& [column, text] :
             {std::pair{1, e.minimum}, std::pair{2, e.maximum}, std::pair{3, e.step}})
            ASSERT_EQ(w.editCell("Grid1_Youhuaxuanxiang", e.row, column, text), Outcome::Done);
    }
    static std::vector<std::vector<std::string>> rows(CalculatorFrame& w) {
        std::vector<std::vector<std::string>> all;
        const TextTable& t = w.workbench.Grid2_Youhuajieguo.rows;
        for (std::size_t r = 0; r < t.rowCount(); ++r) {
            const auto cells = t.row(r);
            all.emplace_back(cells.begin(), cells.end());
        }
        return all;
    }
    std::vector<std::vector<std::string>> sweptOn(unsigned cores) {
        auto w = workbenchWindow();
        edit(*w, GetParam().fineSteps);
        w->workbench.setSweepCores(cores, 1);
        w->click("cbt_YHcompute");
        return rows(*w);
    }
    // What a person gave the window, its workbench's option grid left out (the sweep writes its bounds).
    static WindowState given(CalculatorFrame& w) {
        WindowState state = captureState(w);
        std::erase_if(state.grids, [](const GridState& g) { return g.name == "Grid1_Youhuaxuanxiang"; });
        return state;
    }
};

TEST_P(SweepShares, SplitOverCoresEqualsOneCoreRowForRow) {
    const auto one = sweptOn(1);
    ASSERT_GT(one.size(), 500u);
    // Counts that do not divide the candidates evenly, so shares start inside loops and, in Formula 3,
    // inside a later section kind.
    for (const unsigned cores : {2u, 3u, 7u}) {
        const auto split = sweptOn(cores);
        ASSERT_EQ(split.size(), one.size()) << cores << " cores";
        for (std::size_t r = 0; r < one.size(); ++r)
            ASSERT_EQ(split[r], one[r]) << "row " << r << " on " << cores << " cores";
    }
}

TEST_P(SweepShares, SampledRowsLoadedBackComputeTheSameAlone) {
    auto w = workbenchWindow();
    edit(*w, GetParam().fineSteps);
    w->workbench.setSweepCores(3, 1);
    w->click("cbt_YHcompute");
    const auto table = rows(*w);
    ASSERT_GT(table.size(), 500u);
    for (const std::size_t r :
         {std::size_t{0}, table.size() / 3 + 1, table.size() / 2 + 7, table.size() - 1}) {
        auto alone = workbenchWindow();
        alone->workbench.Grid2_Youhuajieguo.rows = w->workbench.Grid2_Youhuajieguo.rows;
        ASSERT_EQ(alone->doubleClick("Grid2_Youhuajieguo", static_cast<int>(r)), Outcome::Done);
        alone->click("cbt_compute");
        for (const OutputColumn& o : GetParam().outputs) {
            const Control* output = alone->find(o.control);
            ASSERT_NE(output, nullptr) << o.control;
            EXPECT_EQ(output->text, table[r][o.column]) << table[r][0] << " " << o.control;
        }
    }
}

TEST_P(SweepShares, LeavesTheInputsAsThePersonLeftThem) {
    for (const unsigned cores : {1u, 3u}) {
        const auto sweepWith = [&](const OptionEdit* failing, bool cancelled) {
            auto w = newWindow();
            GetParam().typeInputs(*w);
            w->click("cbt_compute");
            const WindowState before = given(*w);
            const std::string ra = w->find("edt_ra")->text;
            w->click("cbt_YouHua");
            edit(*w, GetParam().fineSteps);
            if (failing) edit(*w, *failing);
            w->workbench.setSweepCores(cores, 1);
            SweepOutcome outcome;
            w->runEvent([&] {
                EXPECT_GT(w->workbench.beginSweep(*w), 0u);
                std::atomic<bool> cancel = false;
                outcome = w->workbench.runSweep(
                    *w, [&](std::uint64_t done, std::uint64_t) { cancel = cancelled && done > 50; }, &cancel);
                w->workbench.finishSweep(*w, outcome);
            });
            const WindowState after = given(*w);
            EXPECT_EQ(after.inputs.size(), before.inputs.size());
            EXPECT_EQ(after.grids.size(), before.grids.size());
            for (std::size_t i = 0; i < std::min(before.inputs.size(), after.inputs.size()); ++i) {
                EXPECT_EQ(after.inputs[i].text, before.inputs[i].text) << before.inputs[i].name;
                EXPECT_EQ(after.inputs[i].item, before.inputs[i].item) << before.inputs[i].name;
                EXPECT_EQ(after.inputs[i].checked, before.inputs[i].checked) << before.inputs[i].name;
            }
            for (std::size_t i = 0; i < std::min(before.grids.size(), after.grids.size()); ++i)
                EXPECT_EQ(after.grids[i].rows, before.grids[i].rows) << before.grids[i].name;
            EXPECT_EQ(w->find("edt_ra")->text, ra);
            return outcome.end;
        };
        EXPECT_EQ(sweepWith(nullptr, false), SweepEnd::Completed) << cores << " cores";
        EXPECT_EQ(sweepWith(nullptr, true), SweepEnd::Cancelled) << cores << " cores";
        EXPECT_EQ(sweepWith(&GetParam().failing, false), SweepEnd::Aborted) << cores << " cores";
    }
}

INSTANTIATE_TEST_SUITE_P(Calculators, SweepShares, ::testing::ValuesIn(cases), testing::ByCalculator());

TEST(SweepShareCases, CoverEveryCalculator) {
    EXPECT_TRUE(testing::coversEveryCalculator(cases));
}

} // namespace
} // namespace qianyan

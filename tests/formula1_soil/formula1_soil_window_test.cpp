#include "formula1_soil/formula1_soil_window.h"
#include "formula1_soil/side_resistance.h"
#include "formula1_soil/soil_window_steps.h"
#include "support/window_fixture.h"
#include "support/window_steps.h"

#include <gmock/gmock.h>

#include <functional>

namespace qianyan {
namespace {

using testing::choosePrecision;

using ::testing::ElementsAre;
using Formula1SoilWindowTest = testing::WindowFixture<TVOR_FRM_KELD1_1>;

std::vector<std::string> outputTexts(const TVOR_FRM_KELD1_1& w) {
    return {w.edt_kesair.text, w.edt_ra.text,           w.edt_Qgn.text,
            w.edt_Rajin.text,  w.edt_RajinPercent.text, w.edt_rc.text};
}

TEST_F(Formula1SoilWindowTest, InitialInputsWithoutSoilTermsAreFormula1) {
    window.click("cbt_compute");
    EXPECT_THAT(outputTexts(window), ElementsAre("0.8567", "8410", "0", "8410", "100%", "7862"));
    EXPECT_EQ(window.lb_shuoming.text, "较软岩");
    EXPECT_EQ(window.sheet().designCount(), 1);
}

TEST_F(Formula1SoilWindowTest, BothTermsWithThePanelsInitialData) {
    tickBoth(window);
    window.click("cbt_compute");
    EXPECT_THAT(outputTexts(window), ElementsAre("0.8567", "9039", "604", "8434", "93%", "7862"));
    EXPECT_EQ(window.lb_Qsk.text, "Qsk=1256.64kN");
    EXPECT_EQ(window.lb_FQgn.text, "Qgn=604.23kN");
    EXPECT_FALSE(window.cbt_ZmzlComputer.enabled);
    EXPECT_FALSE(window.cbt_FmzlComputer.enabled);
    EXPECT_EQ(window.edt_Rajin.color, argb::green);

    choosePrecision(window, PrecisionMode::Tens);
    EXPECT_THAT(outputTexts(window), ElementsAre("0.8567", "9030", "600", "8430", "93%", "7860"))
        << "Ra' is cut from its own value, 8434.40, not from the cut Ra and Qgn";
    choosePrecision(window, PrecisionMode::TwoDecimals);
    EXPECT_EQ(window.edt_Rajin.text, "8434.40");
    EXPECT_EQ(window.edt_RajinPercent.text, "93.32%");
}

TEST_F(Formula1SoilWindowTest, ADownDragAboveRaIsAWarningAndTheDesignIsKept) {
    window.setChecked("ckb_fumozhuli", true);
    onPanel(window, window.Fumozhuli_FormLayer, [&] { window.typeText("cbe_Junbuhezai", "200.00"); });
    for (const auto& [column, text] : {std::pair{2, "-30.000"}, {3, "18"}, {4, "0.35"}, {5, "100"}})
        onPanel(window, window.Fumozhuli_FormLayer,
                [&] { window.editCell("Grid1_Fumozhulijisuan", 0, column, text); });
    window.typeText("cbe_hr", "9.0d"); // clamped as well: the sign of Ra' decides its colour
    window.typeText("edt_frk", "10");
    window.click("cbt_compute");
    EXPECT_EQ(window.lb_FQgn.text, "Qgn=8970.62kN");
    EXPECT_EQ(window.edt_Rajin.text.front(), '-');
    EXPECT_EQ(window.lb_shuoming.text, "下拉荷载太大，引发Ra‘<0异常");
    EXPECT_EQ(window.lb_shuoming.color, argb::magenta);
    EXPECT_EQ(window.edt_Rajin.color, argb::magenta);
    EXPECT_EQ(window.edt_RajinPercent.color, argb::magenta);
    EXPECT_EQ(window.edt_ra.color, argb::magenta);
    EXPECT_EQ(window.sheet().designCount(), 1);

    window.typeText("cbe_hr", "1.0d");
    window.typeText("edt_frk", "25");
    window.click("cbt_compute");
    EXPECT_EQ(window.edt_Rajin.text, "-560");
    EXPECT_EQ(window.edt_ra.color, argb::green);
}

TEST_F(Formula1SoilWindowTest, TheWholeDownDragIsHandedOverWhenTheLastLayerIsAbovePileTop) {
    window.setChecked("ckb_fumozhuli", true);
    onPanel(window, window.Fumozhuli_FormLayer, [&] { window.chooseItem("cbb_Tuchengshu", 1); });
    onPanel(window, window.Fumozhuli_FormLayer,
            [&] { window.editCell("Grid1_Fumozhulijisuan", 1, 2, "-10"); });
    window.click("cbt_compute");
    EXPECT_EQ(window.Grid1_Fumozhulijisuan.rows.cell(1, dragRunningTotal), "0.00");
    EXPECT_EQ(window.edt_Qgn.text, "604");
    EXPECT_EQ(window.edt_Rajin.text, "7806");
}

TEST_F(Formula1SoilWindowTest, NoNumberBeyondRangeReachesAFieldACellOrASheet) {
    const std::function<void(TVOR_FRM_KELD1_1&, const std::string&)> inputs[] = {
        [](auto& w, const auto& t) { w.typeText("cbe_dd", t); },
        [](auto& w, const auto& t) {
            onPanel(w, w.Fumozhuli_FormLayer, [&] { w.typeText("cbe_Junbuhezai", t); });
        },
        [](auto& w, const auto& t) {
            onPanel(w, w.Zhengmozhuli_FormLayer, [&] { w.editCell("Grid1_Zhengmozhulijisuan", 0, 1, t); });
        },
        [](auto& w, const auto& t) {
            onPanel(w, w.Zhengmozhuli_FormLayer, [&] { w.editCell("Grid1_Zhengmozhulijisuan", 0, 2, t); });
        },
        [](auto& w, const auto& t) {
            onPanel(w, w.Fumozhuli_FormLayer, [&] { w.editCell("Grid1_Fumozhulijisuan", 0, 5, t); });
        },
        [](auto& w, const auto& t) {
            onPanel(w, w.Fumozhuli_FormLayer, [&] { w.editCell("Grid1_Fumozhulijisuan", 0, 2, t); });
        },
        [](auto& w, const auto& t) {
            onPanel(w, w.Fumozhuli_FormLayer, [&] { w.editCell("Grid1_Fumozhulijisuan", 0, 3, t); });
        },
    };
    for (const std::string& text :
         {std::string("1e400"), std::string("-1e400"), std::string("nan"), std::string("NaN"),
          std::string("-inf"), std::string("1e300"), std::string("-1e300"), std::string("1e-170"),
          std::string(400, '9'), std::string(10000, 'x')}) {
        for (std::size_t i = 0; i < std::size(inputs); ++i) {
            TVOR_FRM_KELD1_1 w(platform);
            tickBoth(w);
            inputs[i](w, text);
            w.click("cbt_compute");
            onPanel(w, w.Zhengmozhuli_FormLayer, [&] { w.click("cbt_ZmzlComputer"); });
            onPanel(w, w.Fumozhuli_FormLayer, [&] { w.click("cbt_FmzlComputer"); });
            std::vector<std::string> shown = outputTexts(w);
            shown.insert(shown.end(), {w.lb_Qsk.text, w.lb_FQgn.text, w.lb_shuoming.text});
            for (const Grid* g : {&w.Grid1_Zhengmozhulijisuan, &w.Grid1_Fumozhulijisuan})
                for (std::size_t r = 0; r < g->rows.rowCount(); ++r)
                    for (std::size_t c = g == &w.Grid1_Fumozhulijisuan ? std::size_t{dragPerimeter}
                                                                       : std::size_t{sidePerimeter};
                         c < g->columns.size(); ++c)
                        shown.emplace_back(g->rows.cell(r, c));
            shown.insert(shown.end(), w.sheet().xls().begin(), w.sheet().xls().end());
            // The Doc sheet prints the typed layer cells as they stand.
            shown.insert(shown.end(), w.sheet().doc().begin(), w.sheet().doc().end());
            for (const std::string& s : shown)
                for (const char* bad : {"nan", "inf", "NAN", "INF", "NaN"})
                    EXPECT_EQ(s.find(bad), std::string::npos) << i << " " << text.substr(0, 20) << ": " << s;
        }
    }
}

TEST_F(Formula1SoilWindowTest, DataErrorsStopTheDesignWithAMessage) {
    const struct {
        std::function<void(TVOR_FRM_KELD1_1&)> input;
        const char* control;
        const char* message;
    } cases[] = {
        // Ra underflows to 0: Ra'/Ra has no value.
        {[](auto& w) { w.typeText("cbe_dd", "1e-170"); }, "cbe_dd", "单桩竖向承载力Ra过小，无法计算Ra'/Ra"},
        {[](auto& w) {
             w.setChecked("ckb_zhengmozhuli", false);
             w.typeText("edt_frk", "1e-320");
         },
         "edt_frk", "单桩竖向承载力Ra过小，无法计算Ra'/Ra"},
        {[](auto& w) {
             onPanel(w, w.Zhengmozhuli_FormLayer,
                     [&] { w.editCell("Grid1_Zhengmozhulijisuan", 0, 1, "1e300"); });
             onPanel(w, w.Zhengmozhuli_FormLayer,
                     [&] { w.editCell("Grid1_Zhengmozhulijisuan", 0, 2, "1e300"); });
         },
         "ckb_zhengmozhuli", "计算结果超出数值范围，请检查输入数据"},
        {[](auto& w) { onPanel(w, w.Fumozhuli_FormLayer, [&] { w.typeText("cbe_Junbuhezai", "1e308"); }); },
         "ckb_fumozhuli", "计算结果超出数值范围，请检查输入数据"},
        // The sheets print p, Eg and Ep as numbers: a text that is not one is refused before anything runs.
        {[](auto& w) { onPanel(w, w.Fumozhuli_FormLayer, [&] { w.typeText("cbe_Junbuhezai", "abc"); }); },
         "cbe_Junbuhezai", "地面大面积荷载数据有错"},
        {[](auto& w) { onPanel(w, w.Fumozhuli_FormLayer, [&] { w.typeText("cbe_Junbuhezai", ""); }); },
         "cbe_Junbuhezai", "地面大面积荷载数据有错"},
        {[](auto& w) { onPanel(w, w.Fumozhuli_FormLayer, [&] { w.typeText("edt_Dimianbiaogao", "-0,3"); }); },
         "edt_Dimianbiaogao", "地面标高数据有错"},
        {[](auto& w) {
             onPanel(w, w.Fumozhuli_FormLayer, [&] { w.typeText("edt_Zhuangdingbiaogao", "-0.9m"); });
         },
         "edt_Zhuangdingbiaogao", "桩顶标高数据有错"},
    };
    for (const auto& c : cases) {
        TVOR_FRM_KELD1_1 w(platform);
        tickBoth(w);
        c.input(w);
        w.click("cbt_compute");
        EXPECT_EQ(w.lb_shuoming.text, c.message);
        EXPECT_EQ(w.find(c.control)->color, argb::red) << c.message;
        EXPECT_EQ(w.workbench.lb_YHxingxi.text, "运行中止，主界面可查看中止位置、原因");
        EXPECT_EQ(w.sheet().designCount(), 0) << c.message;
        EXPECT_THAT(outputTexts(w), ElementsAre("", "", "", "", "", "")) << c.message;
    }
}

TEST_F(Formula1SoilWindowTest, DownDragTextsAreOnlyCheckedWhenTheDownDragCounts) {
    onPanel(window, window.Fumozhuli_FormLayer, [&] { window.typeText("cbe_Junbuhezai", "abc"); });
    window.click("cbt_compute");
    EXPECT_EQ(window.sheet().designCount(), 1);
    window.setChecked("ckb_fumozhuli", true);
    window.click("cbt_compute");
    EXPECT_EQ(window.lb_FQgn.text, "") << "the panel is not run for a refused design";
    onPanel(window, window.Fumozhuli_FormLayer, [&] { window.typeText("cbe_Junbuhezai", "20"); });
    window.click("cbt_compute");
    EXPECT_EQ(window.cbe_Junbuhezai.color, argb::black);
    EXPECT_EQ(window.sheet().designCount(), 2);
}

TEST_F(Formula1SoilWindowTest, EachChangeClearsItsOutputsAndBringsBackCompute) {
    const std::vector<std::string> all{"0.8567", "9039", "604", "8434", "93%", "7862"};
    const struct {
        const char* what;
        std::function<void(TVOR_FRM_KELD1_1&)> change;
        std::vector<std::string> left; // output texts after the change
        bool computeBack;
    } cases[] = {
        {"d", [](auto& w) { w.typeText("cbe_dd", "1200"); }, {"", "", "", "", "", ""}, true},
        {"hr", [](auto& w) { w.typeText("cbe_hr", "2.0d"); }, {"", "", "604", "", "", "7862"}, true},
        {"frk", [](auto& w) { w.typeText("edt_frk", "30"); }, {"", "", "604", "", "", "7862"}, true},
        {"grade",
         [](auto& w) { w.chooseItem("cbe_hnt", 3); },
         {"0.8567", "9039", "604", "8434", "93%", ""},
         true},
        {"process", [](auto& w) { w.chooseItem("cbb_czgy", 2); }, {"", "", "604", "", "", ""}, true},
        {"down-drag box",
         [](auto& w) { w.setChecked("ckb_fumozhuli", false); },
         {"0.8567", "9039", "", "", "", "7862"},
         true},
        {"side box",
         [](auto& w) { w.setChecked("ckb_zhengmozhuli", false); },
         {"0.8567", "", "604", "", "", "7862"},
         true},
        {"side panel return",
         [](auto& w) { onPanel(w, w.Zhengmozhuli_FormLayer, [&] { w.click("cbt_Zmzlfanhui"); }); },
         {"0.8567", "", "604", "", "", "7862"},
         true},
        {"down-drag panel return",
         [](auto& w) { onPanel(w, w.Fumozhuli_FormLayer, [&] { w.click("cbt_Fmzlfanhui"); }); },
         {"0.8567", "9039", "", "", "", "7862"},
         true},
        // Edits inside a panel leave the main layer alone.
        {"side layer cell",
         [](auto& w) {
             onPanel(w, w.Zhengmozhuli_FormLayer,
                     [&] { w.editCell("Grid1_Zhengmozhulijisuan", 0, 1, "12"); });
         },
         all, false},
        {"down-drag load",
         [](auto& w) { onPanel(w, w.Fumozhuli_FormLayer, [&] { w.typeText("cbe_Junbuhezai", "20"); }); }, all,
         false},
        {"ground",
         [](auto& w) { onPanel(w, w.Fumozhuli_FormLayer, [&] { w.typeText("edt_Dimianbiaogao", "0"); }); },
         all, false},
        {"down-drag layers",
         [](auto& w) { onPanel(w, w.Fumozhuli_FormLayer, [&] { w.chooseItem("cbb_Tuchengshu", 3); }); }, all,
         false},
    };
    for (const auto& c : cases) {
        TVOR_FRM_KELD1_1 w(platform);
        tickBoth(w);
        w.click("cbt_compute");
        c.change(w);
        EXPECT_EQ(outputTexts(w), c.left) << c.what;
        EXPECT_EQ(w.cbt_compute.visible, c.computeBack) << c.what;
        EXPECT_EQ(w.cbt_View.visible, !c.computeBack) << c.what;
    }
}

TEST_F(Formula1SoilWindowTest, CheckBoxesEnableTheirPanelButtons) {
    EXPECT_FALSE(window.cbt_fumozhuli.enabled);
    EXPECT_FALSE(window.cbt_zhengmozhuli.enabled);
    tickBoth(window);
    EXPECT_TRUE(window.cbt_fumozhuli.enabled);
    EXPECT_TRUE(window.cbt_zhengmozhuli.enabled);
    window.click("cbt_fumozhuli");
    EXPECT_FALSE(window.MainFormLayer.visible);
    EXPECT_TRUE(window.Fumozhuli_FormLayer.visible);
    window.click("cbt_Fmzlfanhui");
    EXPECT_TRUE(window.MainFormLayer.visible);
    EXPECT_FALSE(window.Fumozhuli_FormLayer.visible);
    window.setChecked("ckb_zhengmozhuli", false);
    EXPECT_FALSE(window.cbt_zhengmozhuli.enabled);
    EXPECT_EQ(window.click("cbt_zhengmozhuli"), Outcome::Inert);
}

TEST_F(Formula1SoilWindowTest, ADiameterChangeLeavesBothPanelsToBeComputedAgain) {
    tickBoth(window);
    window.click("cbt_compute");
    window.typeText("cbe_dd", "1200");
    EXPECT_EQ(window.lb_Qsk.text, "");
    EXPECT_EQ(window.lb_FQgn.text, "");
    EXPECT_TRUE(window.cbt_ZmzlComputer.enabled);
    EXPECT_TRUE(window.cbt_FmzlComputer.enabled);
    window.click("cbt_compute");
    EXPECT_EQ(window.lb_Qsk.text, "Qsk=1507.96kN");
    EXPECT_EQ(window.Grid1_Fumozhulijisuan.rows.cell(0, dragPerimeter), "3.77");
}

TEST_F(Formula1SoilWindowTest, APanelReadsTheDiameterOnlyAsAWholeNumber) {
    window.typeText("cbe_dd", "1,500");
    onPanel(window, window.Zhengmozhuli_FormLayer, [&] { window.click("cbt_ZmzlComputer"); });
    EXPECT_EQ(window.lb_ZMZxinxi.text, "桩身直径数据有错");
    EXPECT_EQ(window.lb_ZMZxinxi.color, argb::red);
    EXPECT_EQ(window.lb_Qsk.text, "Qsk=0.00kN");
    onPanel(window, window.Fumozhuli_FormLayer, [&] { window.click("cbt_FmzlComputer"); });
    EXPECT_EQ(window.lb_FMZxinxi.text, "桩身直径数据有错");
    EXPECT_EQ(window.Grid1_Fumozhulijisuan.rows.cell(0, dragPerimeter), "0.00");
}

TEST_F(Formula1SoilWindowTest, ANegativeQsikOnThePanelBringsTheStatusLineIntoView) {
    onPanel(window, window.Zhengmozhuli_FormLayer,
            [&] { window.editCell("Grid1_Zhengmozhulijisuan", 0, 2, "-40"); });
    onPanel(window, window.Zhengmozhuli_FormLayer, [&] { window.click("cbt_ZmzlComputer"); });
    EXPECT_EQ(window.lb_ZMZxinxi.text, "第1层土侧阻力错");
    EXPECT_FALSE(window.img_Logo.visible);
    EXPECT_TRUE(window.lb_shuoming.visible);
    EXPECT_EQ(window.lb_shuoming.text, "");
}

TEST_F(Formula1SoilWindowTest, LayerCountsResizeTheGridsAndKeepTheRowsThatStay) {
    onPanel(window, window.Zhengmozhuli_FormLayer,
            [&] { window.editCell("Grid1_Zhengmozhulijisuan", 0, 1, "7.5"); });
    onPanel(window, window.Zhengmozhuli_FormLayer, [&] { window.chooseItem("cbb_ZhengTuchengshu", 19); });
    ASSERT_EQ(window.Grid1_Zhengmozhulijisuan.rows.rowCount(), 20u);
    EXPECT_EQ(window.Grid1_Zhengmozhulijisuan.rows.cell(19, 0), "20");
    EXPECT_THAT(window.Grid1_Zhengmozhulijisuan.rows.row(1), ::testing::Each(::testing::AnyOf("", "2")));
    onPanel(window, window.Zhengmozhuli_FormLayer, [&] { window.chooseItem("cbb_ZhengTuchengshu", 0); });
    ASSERT_EQ(window.Grid1_Zhengmozhulijisuan.rows.rowCount(), 1u);
    EXPECT_EQ(window.Grid1_Zhengmozhulijisuan.rows.cell(0, 1), "7.5");

    onPanel(window, window.Fumozhuli_FormLayer, [&] { window.click("cbt_FmzlComputer"); });
    onPanel(window, window.Fumozhuli_FormLayer, [&] { window.chooseItem("cbb_Tuchengshu", 2); });
    EXPECT_EQ(window.Grid1_Fumozhulijisuan.rows.rowCount(), 3u);
    EXPECT_EQ(window.Grid1_Fumozhulijisuan.rows.cell(0, dragSoilName), "新近填土");
    EXPECT_EQ(window.lb_FQgn.text, "");
    EXPECT_TRUE(window.cbt_FmzlComputer.enabled);
}

TEST_F(Formula1SoilWindowTest, OnlyTheInputColumnsOfAPanelGridTakeEdits) {
    const struct {
        const char* grid;
        int column;
        Outcome outcome;
    } cases[] = {
        {"Grid1_Zhengmozhulijisuan", 0, Outcome::NotApplicable},
        {"Grid1_Zhengmozhulijisuan", 1, Outcome::Done},
        {"Grid1_Zhengmozhulijisuan", 2, Outcome::Done},
        {"Grid1_Zhengmozhulijisuan", 3, Outcome::NotApplicable},
        {"Grid1_Fumozhulijisuan", 1, Outcome::NotApplicable},
        {"Grid1_Fumozhulijisuan", 2, Outcome::Done},
        {"Grid1_Fumozhulijisuan", 5, Outcome::Done},
        {"Grid1_Fumozhulijisuan", 6, Outcome::NotApplicable},
        {"Grid2_Zhengmozhulizhibiao", 0, Outcome::NotApplicable},
        {"cbe_dd", 0, Outcome::NotApplicable},
    };
    // Both panels in view at once, so that only the cells decide.
    window.Zhengmozhuli_FormLayer.visible = window.Fumozhuli_FormLayer.visible = true;
    for (const auto& c : cases)
        EXPECT_EQ(window.editCell(c.grid, 0, c.column, "1"), c.outcome) << c.grid << c.column;
    window.Zhengmozhuli_FormLayer.visible = window.Fumozhuli_FormLayer.visible = false;
    EXPECT_EQ(window.editCell("Grid1_Zhengmozhulijisuan", 1, 1, "1"), Outcome::NotApplicable)
        << "no second row";

    onPanel(window, window.Zhengmozhuli_FormLayer, [&] { window.click("cbt_ZmzlComputer"); });
    window.Grid1_ZhengmozhulijisuanSelectCell(0, 4);
    EXPECT_TRUE(window.Grid1_Zhengmozhulijisuan.readOnly);
    window.Grid1_ZhengmozhulijisuanEditingDone(0, 4);
    EXPECT_FALSE(window.cbt_ZmzlComputer.enabled) << "an edit outside the inputs changes nothing";
    window.Grid1_ZhengmozhulijisuanSelectCell(0, 2);
    EXPECT_FALSE(window.Grid1_Zhengmozhulijisuan.readOnly);
}

TEST_F(Formula1SoilWindowTest, ExpandShowsTheComputedColumnsAndFoldHidesThemAgain) {
    const auto shown = [](const Grid& g) {
        std::string s;
        for (const GridColumn& c : g.columns) s += c.visible ? '1' : '0';
        return s;
    };
    EXPECT_EQ(shown(window.Grid1_Zhengmozhulijisuan), "111000000");
    EXPECT_EQ(shown(window.Grid1_Fumozhulijisuan), "101111" + std::string(24, '0'));
    onPanel(window, window.Zhengmozhuli_FormLayer, [&] { window.click("cbt_ZhengZhankai"); });
    onPanel(window, window.Fumozhuli_FormLayer, [&] { window.click("cbt_fmzlzhankai"); });
    EXPECT_EQ(window.cbt_ZhengZhankai.text, "折叠");
    EXPECT_EQ(shown(window.Grid1_Zhengmozhulijisuan), "111111111");
    EXPECT_EQ(shown(window.Grid1_Fumozhulijisuan), "10" + std::string(28, '1'))
        << "the soil name stays hidden";
    onPanel(window, window.Zhengmozhuli_FormLayer, [&] { window.click("cbt_ZhengZhankai"); });
    EXPECT_EQ(window.cbt_ZhengZhankai.text, "展开");
    EXPECT_EQ(shown(window.Grid1_Zhengmozhulijisuan), "111000000");
}

TEST_F(Formula1SoilWindowTest, ControlCharactersNeverReachAFieldOrACell) {
    window.typeText("cbe_dd", "1200\r\n");
    EXPECT_EQ(window.cbe_dd.text, "1200");
    EXPECT_EQ(window.cbe_dd.color, argb::black);
    onPanel(window, window.Fumozhuli_FormLayer, [&] { window.typeText("edt_Dimianbiaogao", "-0.5\t"); });
    EXPECT_EQ(window.edt_Dimianbiaogao.text, "-0.5");
    onPanel(window, window.Zhengmozhuli_FormLayer,
            [&] { window.editCell("Grid1_Zhengmozhulijisuan", 0, 1, std::string("1\n2\0003\u2028", 9)); });
    EXPECT_EQ(window.Grid1_Zhengmozhulijisuan.rows.cell(0, 1), "1 2 3");
}

TEST_F(Formula1SoilWindowTest, TheModelIsAPlainValue) {
    tickBoth(window);
    TVOR_FRM_KELD1_1 copy = window;
    copy.click("cbt_compute");
    EXPECT_EQ(copy.edt_Rajin.text, "8434");
    EXPECT_EQ(window.lb_Qsk.text, "");
    EXPECT_EQ(copy.find("Grid1_Fumozhulijisuan"), &copy.Grid1_Fumozhulijisuan);
}

} // namespace
} // namespace qianyan

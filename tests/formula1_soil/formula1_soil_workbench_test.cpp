#include "formula1_soil/formula1_soil_window.h"
#include "framework/number_text.h"
#include "support/workbench_fixture.h"

#include <gmock/gmock.h>

#include <functional>

namespace qianyan {
namespace {

using testing::columnOf;
using testing::shownColumns;

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr int downDragSwitchRow = 5, sideResistanceSwitchRow = 6;
constexpr std::size_t qgnColumn = 11, raNetColumn = 12, shareColumn = 13;
constexpr std::size_t downDragColumn = 15, sideResistanceColumn = 16;

class Formula1SoilWorkbenchTest : public testing::WorkbenchFixture<TVOR_FRM_KELD1_1> {
protected:
    Workbench& bench() { return window.workbench; }
    void setCell(int row, int col, std::string_view text) {
        ASSERT_EQ(window.editCell("Grid1_Youhuaxuanxiang", row, col, text), Outcome::Done)
            << row << " " << col;
    }
    void setSwitches(std::string_view downDrag, std::string_view sideResistance) {
        setCell(downDragSwitchRow, 1, downDrag);
        setCell(sideResistanceSwitchRow, 1, sideResistance);
    }
    void setBounds(int row, std::string_view min, std::string_view max) {
        setCell(row, 1, min);
        setCell(row, 2, max);
    }
    // d 1000 and 1500, hr 1.0d and 2.0d, frk 30, C30, processes 1 and 3: eight candidates.
    void narrowOptions() {
        setRow(0, "1000", "1500", "500");
        setRow(1, "1.0d", "2.0d", "1.0d");
        setRow(2, "30", "30", "10");
        setRow(3, "C30", "C30", "5");
        setRow(4, "1", "3", "2");
    }
    // A down-drag above Ra for the small diameter and weak rock (Ra' < 0), and below it elsewhere.
    void heavyDownDrag() {
        onDownDragPanel([&] { window.typeText("cbe_Junbuhezai", "200.00"); });
        for (const auto& [col, text] : {std::pair{2, "-30.000"}, {3, "18"}, {4, "0.35"}, {5, "100"}})
            onDownDragPanel([&] { window.editCell("Grid1_Fumozhulijisuan", 0, col, text); });
    }
    template <class Action> void onDownDragPanel(Action action) {
        const bool mainShown = window.MainFormLayer.visible, benchShown = window.YouHuaFormLayer.visible;
        window.MainFormLayer.visible = window.YouHuaFormLayer.visible = false;
        window.Fumozhuli_FormLayer.visible = true;
        action();
        window.Fumozhuli_FormLayer.visible = false;
        window.MainFormLayer.visible = mainShown;
        window.YouHuaFormLayer.visible = benchShown;
    }
    std::vector<std::string> saved(std::string_view which) {
        return testing::savedLines(documents /
                                   ("嵌岩桩优化计算" + std::string(which) + "结果(依据JGJ94-2008)_表格.txt"));
    }
    void open() { window.click("cbt_YouHua"); }
};

TEST_F(Formula1SoilWorkbenchTest, TheDefaultsSweep162CandidatesWithTheDownDragAndWithoutTheSideResistance) {
    window.setChecked("ckb_zhengmozhuli", true);
    open();
    sweep();
    // The switch rows choose the terms of the candidates; the boxes stay as the person left them.
    EXPECT_FALSE(window.ckb_fumozhuli.checked);
    EXPECT_TRUE(window.ckb_zhengmozhuli.checked);
    EXPECT_FALSE(window.cbt_fumozhuli.enabled);
    EXPECT_TRUE(window.cbt_zhengmozhuli.enabled);
    ASSERT_EQ(results().rowCount(), 162u);
    EXPECT_EQ(bench().lb_YHxingxi.text, "计算完成，桩数：162 根");
    // Ra 11451.11 less Qgn 604.23.
    EXPECT_THAT(results().row(0),
                ElementsAre("ZH-001", "1000", "11451", "8412", "1.0d", "30.00", "C25", "干 作 业", "1.00",
                            "0.9720", "0.90", "604", "10847", "95%", "", "1", "0"));
    EXPECT_EQ(results().cell(161, 0), "ZH-162");
    EXPECT_THAT(column(downDragColumn), Each("1"));
    EXPECT_THAT(column(sideResistanceColumn), Each("0"));
    EXPECT_THAT(distinct(qgnColumn), ElementsAre("604", "906", "1208")) << "μ grows with d";

    // The three filter rows are given the ranges of Ra, Ra' and Rc.
    const auto range = [&](std::size_t c) {
        std::vector<double> v;
        for (const std::string& s : column(c)) v.push_back(readStrict(s));
        return std::vector<std::string>{general(*std::min_element(v.begin(), v.end())),
                                        general(*std::max_element(v.begin(), v.end()))};
    };
    const TextTable& options = bench().Grid1_Youhuaxuanxiang.rows;
    for (const auto& [row, c] : {std::pair{8, std::size_t{2}}, {9, raNetColumn}, {10, std::size_t{3}}})
        EXPECT_EQ(
            (std::vector<std::string>{std::string(options.cell(row, 1)), std::string(options.cell(row, 2))}),
            range(c))
            << row;
}

TEST_F(Formula1SoilWorkbenchTest, TheSwitchRowsChooseTheTermsOfTheWholeSweep) {
    const struct {
        const char *downDrag, *sideResistance;
        bool downDragOn, sideResistanceOn;
    } cases[] = {
        {"0", "2", false, true}, // any value of 1 or more is on
        {"-3", "1", false, true},
        {"1", "1", true, true},
        {"7", "-1", true, false},
    };
    for (const auto& c : cases) {
        TVOR_FRM_KELD1_1 w(platform);
        w.setChecked("ckb_fumozhuli", !c.downDragOn);
        w.click("cbt_YouHua");
        for (const auto& [row, text] : {std::pair{0, "1000"}, {2, "30"}})
            w.editCell("Grid1_Youhuaxuanxiang", row, 2, text);
        w.editCell("Grid1_Youhuaxuanxiang", downDragSwitchRow, 1, c.downDrag);
        w.editCell("Grid1_Youhuaxuanxiang", sideResistanceSwitchRow, 1, c.sideResistance);
        w.click("cbt_YHcompute");
        const Grid& table = w.workbench.Grid2_Youhuajieguo;
        ASSERT_EQ(table.rows.rowCount(), 18u) << c.downDrag << " " << c.sideResistance;
        EXPECT_EQ(w.ckb_fumozhuli.checked, !c.downDragOn) << "the box as the person left it";
        EXPECT_FALSE(w.ckb_zhengmozhuli.checked);
        EXPECT_THAT(columnOf(table.rows, downDragColumn), Each(c.downDragOn ? "1" : "0"));
        EXPECT_THAT(columnOf(table.rows, sideResistanceColumn), Each(c.sideResistanceOn ? "1" : "0"));
        // The side resistance of the panel's layer (1256.64 kN at d 1000) is in Ra; without the
        // down-drag Ra' is Ra.
        EXPECT_EQ(table.rows.cell(0, 2), c.sideResistanceOn ? "12079" : "11451");
        if (!c.downDragOn) {
            EXPECT_THAT(columnOf(table.rows, qgnColumn), Each("0"));
            EXPECT_EQ(columnOf(table.rows, raNetColumn), columnOf(table.rows, 2));
            EXPECT_THAT(columnOf(table.rows, shareColumn), Each("100%"));
        }
    }
}

TEST_F(Formula1SoilWorkbenchTest, NoSweepChangesABox) {
    window.setChecked("ckb_fumozhuli", true);
    open();
    narrowOptions();
    sweep();
    ASSERT_EQ(results().rowCount(), 8u);
    setSwitches("0", "1.5");
    sweep();
    EXPECT_TRUE(results().empty());
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].text, "“1.5”不是有效的数值");
    EXPECT_TRUE(window.ckb_fumozhuli.checked) << "an unreadable switch";
    EXPECT_FALSE(window.ckb_zhengmozhuli.checked);

    setSwitches("0", "1");
    sweep();
    ASSERT_EQ(results().rowCount(), 8u);
    EXPECT_TRUE(window.ckb_fumozhuli.checked) << "a sweep with other switches";
    EXPECT_FALSE(window.ckb_zhengmozhuli.checked);

    // More than a million candidates, declined: everything stays as it was.
    setSwitches("1", "0");
    setRow(0, "1", "1000001", "1");
    setRow(1, "1.0d", "1.0d", "1.0d");
    setRow(4, "1", "1", "1");
    sweep();
    EXPECT_EQ(results().rowCount(), 8u);
    EXPECT_TRUE(window.ckb_fumozhuli.checked) << "a declined sweep";
    EXPECT_FALSE(window.ckb_zhengmozhuli.checked);
}

TEST_F(Formula1SoilWorkbenchTest, ColumnsShownFoldedAndExpanded) {
    const std::vector<bool> resultsFolded{1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0};
    const std::vector<bool> filteredAtStart{1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0};
    const std::vector<bool> expanded{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0};
    const std::vector<bool> filteredFolded{1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(shownColumns(window.workbench.Grid2_Youhuajieguo), resultsFolded);
    EXPECT_EQ(shownColumns(bench().Grid3_Youhuasaixuan), filteredAtStart);
    open();
    window.click("cbt_zhangkai");
    EXPECT_EQ(shownColumns(window.workbench.Grid2_Youhuajieguo), expanded);
    EXPECT_EQ(shownColumns(bench().Grid3_Youhuasaixuan), expanded);
    window.click("cbt_zhangkai");
    EXPECT_EQ(shownColumns(window.workbench.Grid2_Youhuajieguo), resultsFolded);
    EXPECT_EQ(shownColumns(bench().Grid3_Youhuasaixuan), filteredFolded);
    EXPECT_EQ(window.workbench.Grid2_Youhuajieguo.columns[13].header, "  Ra'/Ra");
    EXPECT_EQ(window.workbench.Grid2_Youhuajieguo.columns[16].name, "Grid2_17_Int_YHzhengmozhuli");
}

TEST_F(Formula1SoilWorkbenchTest, SortsByRaNetShareNumericallyAndOnlyByItsFiveColumns) {
    heavyDownDrag();
    open();
    setRow(0, "1000", "2000", "500");
    setRow(2, "10", "100", "30");
    setRow(3, "C30", "C30", "5");
    setRow(4, "1", "1", "1");
    sweep();
    ASSERT_EQ(results().rowCount(), 36u);
    const auto shares = [&] {
        std::vector<double> v;
        for (const std::string& s : column(shareColumn)) v.push_back(readStrict(s.substr(0, s.find('%'))));
        return v;
    };
    std::vector<std::string> texts = column(shareColumn);
    std::sort(texts.begin(), texts.end());

    window.headerClick("Grid2_Youhuajieguo", 13);
    EXPECT_EQ(bench().lb_YHxingxi.text, "Ra'/Ra升序排列完成");
    const std::vector<double> ascending = shares();
    EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end()));
    EXPECT_NE(column(shareColumn), texts) << "numeric, not textual: 6% before 19%";
    EXPECT_EQ(window.workbench.Grid2_Youhuajieguo.columns[13].header, "Ra'/Ra▲");
    window.headerClick("Grid2_Youhuajieguo", 13);
    EXPECT_EQ(bench().lb_YHxingxi.text, "Ra'/Ra降序排列完成");
    EXPECT_THAT(shares(), ElementsAreArray(ascending.rbegin(), ascending.rend()));
    EXPECT_EQ(window.workbench.Grid2_Youhuajieguo.columns[13].header, "Ra'/Ra▼");

    window.headerClick("Grid2_Youhuajieguo", 12);
    EXPECT_EQ(bench().lb_YHxingxi.text, "Ra'升序排列完成");
    EXPECT_EQ(window.workbench.Grid2_Youhuajieguo.columns[12].header, "Ra'(kN)▲");
    EXPECT_EQ(window.workbench.Grid2_Youhuajieguo.columns[13].header, "  Ra'/Ra");
    EXPECT_EQ(bench().sortState(4), 0);
    window.headerClick("Grid2_Youhuajieguo", 11);
    EXPECT_EQ(bench().lb_YHxingxi.text, "仅支持d、Ra、Rc、Ra'、Ra'/Ra排序");
    EXPECT_EQ(bench().sortState(3), 1);
}

TEST_F(Formula1SoilWorkbenchTest, FiltersOnRaNetWithTheOtherTwo) {
    heavyDownDrag();
    open();
    setRow(2, "10", "100", "30");
    setRow(3, "C30", "C30", "5");
    sweep();
    const std::vector<std::string> raNet = column(raNetColumn);
    ASSERT_TRUE(std::any_of(raNet.begin(), raNet.end(), [](const std::string& v) { return v[0] == '-'; }));
    const std::string someRaNet = raNet[20];

    const struct {
        const char *minimum, *maximum;
        std::function<bool(double)> passes;
    } cases[] = {
        {"0", "0", [](double v) { return v >= 0; }}, // never a negative Ra'
        {"-5000", "0", [](double v) { return v >= 0; }},
        {someRaNet.c_str(), "1", [&](double v) { return v == readStrict(someRaNet); }}, // maximum raised
        {"5000", "12000", [](double v) { return v >= 5000 && v <= 12000; }},
    };
    for (const auto& c : cases) {
        for (const int row : {8, 10}) setBounds(row, "0", "0");
        setBounds(9, c.minimum, c.maximum);
        window.click("cbt_YHsaixuan");
        std::vector<std::string> want;
        for (const std::string& v : raNet)
            if (c.passes(readStrict(v))) want.push_back(v);
        EXPECT_EQ(columnOf(bench().Grid3_Youhuasaixuan.rows, raNetColumn), want)
            << c.minimum << " " << c.maximum;
        EXPECT_EQ(bench().lb_YHxingxi.text, "筛选完成，桩数：" + std::to_string(want.size()) + " 根");
    }
    EXPECT_EQ(bench().Grid3_Youhuasaixuan.rows.columnCount(), 17u);
    EXPECT_EQ(bench().Grid3_Youhuasaixuan.rows.cell(0, downDragColumn), "1") << "all cells copied";
}

TEST_F(Formula1SoilWorkbenchTest, LoadingARowSetsTheBoxesFromTheSwitchTexts) {
    open();
    narrowOptions();
    sweep();
    const struct {
        const char *downDrag, *sideResistance;
        bool downDragOn, sideResistanceOn;
    } cases[] = {
        {"1", "0", true, false},
        {"0", "1", false, true},
        {"x", "", false, true}, // other texts leave the boxes
        {"1", "2", true, true},
    };
    TextTable& rows = bench().Grid2_Youhuajieguo.rows;
    for (const auto& c : cases) {
        rows.setCell(3, downDragColumn, c.downDrag);
        rows.setCell(3, sideResistanceColumn, c.sideResistance);
        window.click("cbt_YouHua");
        ASSERT_EQ(window.doubleClick("Grid2_Youhuajieguo", 3), Outcome::Done);
        EXPECT_EQ(window.ckb_fumozhuli.checked, c.downDragOn) << c.downDrag;
        EXPECT_EQ(window.ckb_zhengmozhuli.checked, c.sideResistanceOn) << c.sideResistance;
        EXPECT_TRUE(window.MainFormLayer.visible);
    }
    EXPECT_EQ(window.cbe_dd.text, "1000");
    EXPECT_EQ(window.cbe_hr.text, "2.0d");
    EXPECT_EQ(window.cbb_czgy.text, "泥浆护壁成桩后注浆");
    EXPECT_EQ(window.edt_Rajin.text, "") << "the change handlers cleared the outputs";
    EXPECT_TRUE(window.cbt_compute.visible);
}

TEST_F(Formula1SoilWorkbenchTest, TheAppendixWritesWhatTheSwitchTextsOfTheFirstRowSay) {
    const std::string timeLine = "计算时间：2024/5/6 14:03:27";
    const std::string wideBorder(65, '*'), narrowBorder(50, '*');
    const struct {
        const char *downDrag, *sideResistance;
        std::vector<std::string> tail; // the file's last lines
    } cases[] = {
        {"1", "0", {"*    2、 桩侧土体侧阻力不考虑。                                 *", wideBorder}},
        {"1", "x", {"*        -----------------------------------------------------  *", wideBorder}},
        {"0",
         "0",
         {timeLine, "", narrowBorder, "*  附录：桩侧土体参数                            *",
          "*    1、 桩侧土嵌岩桩不考虑。                  *",
          "*    2、 桩侧土体侧阻力不考虑。                  *", narrowBorder}},
        {"0",
         "",
         {timeLine, "", narrowBorder, "*  附录：桩侧土体参数                            *",
          "*    1、 桩侧土嵌岩桩不考虑。                  *", narrowBorder}},
        {"", "1", {timeLine, ""}},
    };
    open();
    narrowOptions();
    sweep();
    platform.defaultAnswer = true; // overwrite
    // In every row: the sort that brings 存盘 back changes which row is first.
    const auto setSwitchTexts = [&](std::string_view downDrag, std::string_view sideResistance) {
        TextTable& rows = bench().Grid2_Youhuajieguo.rows;
        for (std::size_t r = 0; r < rows.rowCount(); ++r) {
            rows.setCell(r, downDragColumn, downDrag);
            rows.setCell(r, sideResistanceColumn, sideResistance);
        }
    };
    for (const auto& c : cases) {
        setSwitchTexts(c.downDrag, c.sideResistance);
        window.headerClick("Grid2_Youhuajieguo", 1); // 存盘 back
        ASSERT_EQ(window.click("cbt_YHsave"), Outcome::Done);
        const std::vector<std::string> lines = saved("原始");
        ASSERT_GE(lines.size(), c.tail.size());
        EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<long>(c.tail.size()), lines.end()),
                  c.tail)
            << c.downDrag << " " << c.sideResistance;
    }

    // p, Eg and Ep are numbers at the time of saving, or nothing is written.
    setSwitchTexts("1", "1");
    window.Fumozhuli_FormLayer.visible = true;
    window.YouHuaFormLayer.visible = false;
    window.typeText("edt_Dimianbiaogao", "-0.3m");
    window.Fumozhuli_FormLayer.visible = false;
    window.YouHuaFormLayer.visible = true;
    for (const char* kind : {".txt", ".xlsx"})
        std::filesystem::remove(documents /
                                (std::string("嵌岩桩优化计算原始结果(依据JGJ94-2008)_表格") + kind));
    window.headerClick("Grid2_Youhuajieguo", 1);
    window.click("cbt_YHsave");
    EXPECT_EQ(dialogTexts().back(), "“-0.3m”不是有效的数值");
    EXPECT_TRUE(std::filesystem::is_empty(documents));
    EXPECT_TRUE(bench().cbt_YHsave.enabled);
}

} // namespace
} // namespace qianyan

#include "framework/calculator_frame.h"
#include "framework/number_text.h"
#include "support/window_fixture.h"

#include <gmock/gmock.h>

#include <fstream>
#include <thread>

namespace qianyan {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::vector<double> valuesOf(const SweepRange& r) {
    std::vector<double> values{r.first};
    for (std::uint64_t i = 1; i < r.count; ++i) values.push_back(r.valueAfter(values.back()));
    return values;
}

TEST(RangeRule, GivesTheValuesOfARow) {
    const struct {
        double a, b, s;
        std::vector<double> values;
    } cases[] = {
        {1000, 2000, 300, {1000, 1300, 1600, 1900}}, // falls short by less than half a step
        {1000, 2000, 400, {1000, 1400, 1800, 2000}}, // overshoots: limited to the maximum
        {1000, 2000, 500, {1000, 1500, 2000}},
        {1000, 2000, 0, {1000, 2000}},
        {1000, 2000, -5, {1000, 2000}},
        {1000, 2000, 5000, {1000, 2000}},
        {2000, 1000, 100, {2000}},
        {1500, 1500, 100, {1500}},
        {0.1, 0.3, 0.1, {0.1, 0.2, 0.3}}, // 0.2 + 0.1 lies above 0.3 and is limited to it
    };
    for (const auto& c : cases)
        EXPECT_THAT(valuesOf(rangeRule(c.a, c.b, c.s)), ElementsAreArray(c.values))
            << c.a << " " << c.b << " " << c.s;
}

TEST(RangeRule, ACountBeyond64BitsIsZero) {
    EXPECT_EQ(rangeRule(0, 1e300, 1e-300).count, 0u);
    EXPECT_EQ(rangeRule(0, 1e15, 1).count, 1'000'000'000'000'001u);
    EXPECT_EQ(rangeRule(0, 1e20, 1).count, 0u);
}

TEST(RangeRule, WholeNumbersHaveNoHalfStepAllowance) {
    const struct {
        long long first, last, step;
        std::vector<double> values;
    } cases[] = {
        {25, 60, 10, {25, 35, 45, 55}},
        {25, 60, 5, {25, 30, 35, 40, 45, 50, 55, 60}},
        {30, 25, 5, {30}},
        {1, 3, 0, {1, 3}},
        {1, 3, 5, {1, 3}},
        {1, 3, 1, {1, 2, 3}},
        {2, 2, 1, {2}},
    };
    for (const auto& c : cases)
        EXPECT_THAT(valuesOf(integerRangeRule(c.first, c.last, c.step)), ElementsAreArray(c.values))
            << c.first;
}

TEST(CandidateLabel, PadsToTheDigitsOfTheTotal) {
    EXPECT_EQ(candidateLabel(1, 144), "ZH-001");
    EXPECT_EQ(candidateLabel(144, 144), "ZH-144");
    EXPECT_EQ(candidateLabel(8, 8), "ZH-8");
    EXPECT_EQ(candidateLabel(1, 1), "ZH-1");
    EXPECT_EQ(candidateLabel(7, 1'000'000), "ZH-0000007");
}

// A small calculator with a workbench: two swept inputs x and y, Ra = x·y and Rc = x + y; x = 13
// fails the evaluation.
class FixtureWindow : public CalculatorFrame, public WorkbenchCalculator {
public:
    explicit FixtureWindow(Platform& platform) : CalculatorFrame(platform, "FIXTURE", titles) {
        edt_x = Control::make(ControlKind::Edit, "0");
        edt_y = Control::make(ControlKind::Edit, "0");
        workbench.declare(layout());
    }

    Control edt_x, edt_y, edt_ra, edt_rc;
    int changes = 0;

    void cbt_computeClick() override {
        const double x = readLenient(edt_x.text), y = readLenient(edt_y.text);
        if (x == 13) fail(edt_x, "x不能为13");
        edt_ra.text = general(x * y);
        edt_rc.text = general(x + y);
    }

    WorkbenchCalculator* workbenchAdapter() override { return this; }
    std::unique_ptr<CalculatorFrame> clone() const override { return std::make_unique<FixtureWindow>(*this); }
    std::vector<LoopCounts> readOptionRows() override {
        for (std::size_t row = 0; row < 2; ++row) {
            const TextTable& g = workbench.Grid1_Youhuaxuanxiang.rows;
            const double a = readStrict(g.cell(row, 1)), b = readStrict(g.cell(row, 2)),
                         s = readStrict(g.cell(row, 3));
            if (a < 0 || b < 0) workbench.refuse("不能为负值");
            ranges[row] = rangeRule(a, b, s);
        }
        return {{ranges[0].count, ranges[1].count}};
    }
    void writeCandidate(std::size_t, const CandidateStep& step) override {
        for (std::size_t i = step.firstChanged; i < 2; ++i) values[i] = step.value(ranges[i], i, values[i]);
        writeInput(edt_x, general(values[0]));
        writeInput(edt_y, general(values[1]));
    }
    void loadCandidate(const TextTable& table, std::size_t row) override {
        writeInput(edt_x, table.cell(row, 1));
        writeInput(edt_y, table.cell(row, 4));
    }

protected:
    void declare(WindowDeclaration& d) override {
        CalculatorFrame::declare(d);
        d.add(&MainFormLayer,
              {{"edt_x", &edt_x}, {"edt_y", &edt_y}, {"edt_ra", &edt_ra}, {"edt_rc", &edt_rc}});
        const auto counted = [this] { ++changes; };
        declareChanges(d, {{edt_x, {&edt_ra, &edt_rc}, counted}, {edt_y, {&edt_ra, &edt_rc}, counted}});
    }

private:
    static constexpr Titles titles{{1, 2, 3, 4, 5, 6, 7, 8, 9}, "", "", ""};
    static constexpr std::array<OptionRow, 5> grid{{
        {OptionKind::Range, {"x", "1", "3", "1", "x的范围"}},
        {OptionKind::Range, {"y", "10", "20", "10", "y的范围"}},
        {OptionKind::Blank, {"", "", "", "", ""}},
        {OptionKind::Filter, {"筛选 Ra(kN)", "0", "0", "", ""}},
        {OptionKind::Filter, {"筛选 Rc(kN)", "0", "0", "", ""}},
    }};
    static constexpr std::array<FilterRow, 2> filters{{{3, {2, -1}}, {4, {3, -1}}}};
    static constexpr std::array<BoundsWrite, 2> bounds{{{2, 3}, {3, 4}}};
    static const WorkbenchDeclaration& layout();

    std::array<SweepRange, 2> ranges;
    std::array<double, 2> values{};
};

// The table file starts with the label, then x, Ra, Rc and a fixed "圆"; y goes only into the tables,
// the working value "secret" into neither.
const WorkbenchDeclaration& FixtureWindow::layout() {
    using Shown = WorkbenchColumn::Shown;
    static constexpr std::array<WorkbenchColumn, 6> columns{{
        {.name = "label",
         .header = "桩编号",
         .shown = Shown::Always,
         .file =
             TableFileCell{.width = 8, .centred = true, .blanksAfter = 2, .header = {" 表头一", " 表头二"}}},
        {.name = "x",
         .header = "d(mm)",
         .shown = Shown::Always,
         .sort = ColumnSort{"d"},
         .file = TableFileCell{.place = 1, .width = 4, .blanksAfter = 1},
         .source = controlText<&FixtureWindow::edt_x>},
        {.name = "ra",
         .header = "Ra(kN)",
         .shown = Shown::Always,
         .sort = ColumnSort{"Ra"},
         .file = TableFileCell{.place = 2, .width = 6, .blanksAfter = 1},
         .source = controlText<&FixtureWindow::edt_ra>},
        {.name = "rc",
         .header = "Rc(kN)",
         .shown = Shown::Always,
         .sort = ColumnSort{"Rc"},
         .file = TableFileCell{.place = 3, .width = 6},
         .source = controlText<&FixtureWindow::edt_rc>},
        {.name = "y", .header = "y", .source = controlText<&FixtureWindow::edt_y>},
        {.name = "secret",
         .header = "秘密",
         .shown = Shown::Never,
         .source = [](const CalculatorFrame&, std::string&) -> std::string_view { return "secret"; }},
    }};
    static constexpr std::array<TableFileCell, 1> fixedCells{
        {{.place = 4, .width = 4, .centred = true, .text = "圆"}}};
    static constexpr WorkbenchDeclaration declaration{
        .options = grid,
        .columns = columns,
        .filters = filters,
        .bounds = bounds,
        .fileWidth = 33,
        .fileOnlyCells = fixedCells,
    };
    return declaration;
}

std::vector<std::string> column(const Grid& g, std::size_t c) {
    std::vector<std::string> cells;
    for (std::size_t r = 0; r < g.rows.rowCount(); ++r) cells.emplace_back(g.rows.cell(r, c));
    return cells;
}

std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> headers(const Grid& g) {
    std::vector<std::string> texts;
    for (const GridColumn& c : g.columns) texts.push_back(c.header);
    return texts;
}

class WorkbenchTest : public testing::WindowFixture<FixtureWindow> {
protected:
    WorkbenchTest() { window.click("cbt_YouHua"); }
    void sweep() { window.click("cbt_YHcompute"); }
    void setOption(int row, int col, std::string_view text) {
        ASSERT_EQ(window.editCell("Grid1_Youhuaxuanxiang", row, col, text), Outcome::Done);
    }
    std::string filterCell(int row, int col) const {
        return std::string(window.workbench.Grid1_Youhuaxuanxiang.rows.cell(static_cast<std::size_t>(row),
                                                                            static_cast<std::size_t>(col)));
    }
};

TEST_F(WorkbenchTest, OpeningAndReturningSwitchTheLayers) {
    EXPECT_FALSE(window.MainFormLayer.visible);
    EXPECT_TRUE(window.YouHuaFormLayer.visible);
    EXPECT_TRUE(window.workbenchOpen());
    window.click("cbt_YHfanhui");
    EXPECT_TRUE(window.MainFormLayer.visible);
    EXPECT_FALSE(window.YouHuaFormLayer.visible);
    EXPECT_FALSE(window.workbenchOpen());
}

TEST_F(WorkbenchTest, TheSweepListsEveryCombinationTheLastRowFastest) {
    sweep();
    const Grid& results = window.workbench.Grid2_Youhuajieguo;
    EXPECT_THAT(column(results, 0), ElementsAre("ZH-1", "ZH-2", "ZH-3", "ZH-4", "ZH-5", "ZH-6"));
    EXPECT_THAT(column(results, 1), ElementsAre("1", "1", "2", "2", "3", "3"));
    EXPECT_THAT(column(results, 2), ElementsAre("10", "20", "20", "40", "30", "60"));
    EXPECT_THAT(column(results, 4), ElementsAre("10", "20", "10", "20", "10", "20"));
    EXPECT_EQ(window.edt_x.text, "0") << "the inputs as the person left them";
    EXPECT_EQ(window.edt_ra.text, "");
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "计算完成，桩数：6 根");
    EXPECT_EQ(window.workbench.lb_YHxingxi.color, argb::black);
    EXPECT_EQ(filterCell(3, 1), "10");
    EXPECT_EQ(filterCell(3, 2), "60");
    EXPECT_EQ(filterCell(4, 1), "11");
    EXPECT_EQ(filterCell(4, 2), "23");
    EXPECT_FALSE(window.workbench.cbt_YHcompute.enabled);
    EXPECT_TRUE(window.workbench.cbt_YHsaixuan.enabled);
    EXPECT_TRUE(window.workbench.cbt_YHsave.enabled);
    EXPECT_EQ(window.workbench.pb_YH_jingdu.value, 0);
    EXPECT_FALSE(window.img_Logo.visible);
    EXPECT_TRUE(window.lb_shuoming.visible);
    EXPECT_EQ(window.changes, 2 + 5 + 2) << "only inputs whose text changes run their handler";
}

TEST_F(WorkbenchTest, EditingACellEnablesItsButton) {
    sweep();
    setOption(0, 2, "1");
    EXPECT_TRUE(window.workbench.cbt_YHcompute.enabled);
    sweep();
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "计算完成，桩数：2 根");
    window.click("cbt_YHsaixuan");
    EXPECT_FALSE(window.workbench.cbt_YHsaixuan.enabled);
    setOption(4, 2, "0");
    EXPECT_TRUE(window.workbench.cbt_YHsaixuan.enabled);
    EXPECT_FALSE(window.workbench.Grid1_Youhuaxuanxiang.readOnly);
}

TEST_F(WorkbenchTest, OnlyRangeAndFilterCellsCanBeEdited) {
    const struct {
        int row, col;
        Outcome outcome;
    } cases[] = {{0, 1, Outcome::Done},          {1, 3, Outcome::Done},
                 {0, 0, Outcome::NotApplicable}, {0, 4, Outcome::NotApplicable},
                 {2, 1, Outcome::NotApplicable}, {3, 2, Outcome::Done},
                 {3, 3, Outcome::NotApplicable}, {5, 1, Outcome::NotApplicable},
                 {0, 5, Outcome::NotApplicable}, {-1, 1, Outcome::NotApplicable}};
    for (const auto& c : cases)
        EXPECT_EQ(window.editCell("Grid1_Youhuaxuanxiang", c.row, c.col, "5"), c.outcome)
            << c.row << "," << c.col;
    EXPECT_EQ(window.editCell("Grid2_Youhuajieguo", 0, 1, "5"), Outcome::NotApplicable);
    EXPECT_EQ(window.editCell("nothing", 0, 1, "5"), Outcome::UnknownControl);
    window.workbench.Grid1_YouhuaxuanxiangSelectCell(0, 0);
    EXPECT_TRUE(window.workbench.Grid1_Youhuaxuanxiang.readOnly);
    window.workbench.Grid1_YouhuaxuanxiangSelectCell(4, 1);
    EXPECT_FALSE(window.workbench.Grid1_Youhuaxuanxiang.readOnly);
}

TEST_F(WorkbenchTest, EqualLimitsGiveOneCandidate) {
    setOption(0, 2, "1");
    setOption(1, 2, "10");
    sweep();
    EXPECT_THAT(column(window.workbench.Grid2_Youhuajieguo, 0), ElementsAre("ZH-1"));
}

TEST_F(WorkbenchTest, SortingAndReversingFollowTheStates) {
    sweep();
    Grid& results = window.workbench.Grid2_Youhuajieguo;
    window.headerClick("Grid2_Youhuajieguo", 3); // Rc ascending
    EXPECT_THAT(column(results, 3), ElementsAre("11", "12", "13", "21", "22", "23"));
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "Rc升序排列完成");
    EXPECT_THAT(headers(results),
                ElementsAre("  桩编号", "   d(mm)", "  Ra(kN)", "Rc(kN)▲", "       y", "    秘密"));
    const std::vector<std::string> ascending = column(results, 0);

    window.headerClick("Grid2_Youhuajieguo", 3);
    std::vector<std::string> reversed(ascending.rbegin(), ascending.rend());
    EXPECT_EQ(column(results, 0), reversed) << "the second click reverses, it does not sort";
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "Rc降序排列完成");
    EXPECT_EQ(results.columns[3].header, "Rc(kN)▼");
    EXPECT_EQ(window.workbench.sortState(2), 2);

    window.headerClick("Grid2_Youhuajieguo", 3);
    EXPECT_EQ(column(results, 0), ascending);
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "Rc升序排列完成");

    window.headerClick("Grid2_Youhuajieguo", 2); // Ra resets the Rc state
    EXPECT_THAT(column(results, 2), ElementsAre("10", "20", "20", "30", "40", "60"));
    EXPECT_EQ(results.columns[2].header, "Ra(kN)▲");
    EXPECT_EQ(results.columns[3].header, "  Rc(kN)");
    EXPECT_EQ(window.workbench.sortState(2), 0);
    window.headerClick("Grid2_Youhuajieguo", 3);
    EXPECT_THAT(column(results, 3), ElementsAre("11", "12", "13", "21", "22", "23")) << "sorted afresh";
    EXPECT_TRUE(window.workbench.cbt_YHsave.enabled);
}

TEST_F(WorkbenchTest, SortRefusals) {
    sweep();
    window.headerClick("Grid2_Youhuajieguo", 0);
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "仅支持d、Ra、Rc排序");
    EXPECT_EQ(window.headerClick("Grid2_Youhuajieguo", 4), Outcome::Inert) << "hidden until 展开";
    EXPECT_EQ(window.headerClick("Grid2_Youhuajieguo", 6), Outcome::NotApplicable);
    setOption(0, 2, "1");
    setOption(1, 2, "10");
    sweep();
    window.headerClick("Grid2_Youhuajieguo", 2);
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "无需排序");
    EXPECT_EQ(window.workbench.sortState(1), 0);
}

TEST_F(WorkbenchTest, FilterBoundsRule) {
    sweep();
    const struct {
        const char *raMin, *raMax, *rcMin, *rcMax;
        std::vector<std::string> labels;
    } cases[] = {
        {"0", "0", "0", "0", {"ZH-1", "ZH-2", "ZH-3", "ZH-4", "ZH-5", "ZH-6"}},
        {"40", "30", "0", "0", {"ZH-4"}}, // the maximum is raised to the minimum
        {"-5", "20", "12", "-1", {"ZH-2", "ZH-3"}},
        {"20", "40", "0", "21", {"ZH-2", "ZH-3", "ZH-5"}},
    };
    for (const auto& c : cases) {
        setOption(3, 1, c.raMin);
        setOption(3, 2, c.raMax);
        setOption(4, 1, c.rcMin);
        setOption(4, 2, c.rcMax);
        window.click("cbt_YHsaixuan");
        EXPECT_EQ(column(window.workbench.Grid3_Youhuasaixuan, 0), c.labels) << c.raMin << " " << c.raMax;
        EXPECT_EQ(window.workbench.lb_YHxingxi.text,
                  "筛选完成，桩数：" + std::to_string(c.labels.size()) + " 根");
    }
    EXPECT_TRUE(window.workbench.Grid3_Youhuasaixuan.visible);
    EXPECT_FALSE(window.workbench.Grid2_Youhuajieguo.visible);
    EXPECT_TRUE(window.workbench.cbt_YHsave.enabled);
    EXPECT_FALSE(window.workbench.cbt_YHsaixuan.enabled);
}

TEST_F(WorkbenchTest, AFilterWithoutMatchesDisablesFilterAndSave) {
    sweep();
    setOption(3, 1, "1000");
    window.click("cbt_YHsaixuan");
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "无满足条件桩，调整区间再筛选");
    EXPECT_FALSE(window.workbench.cbt_YHsaixuan.enabled);
    EXPECT_FALSE(window.workbench.cbt_YHsave.enabled);
}

TEST_F(WorkbenchTest, ACellThatIsNotANumberEndsTheOperationWithAReport) {
    sweep();
    for (const std::string& text :
         std::vector<std::string>{"abc", "", "-", "1e400", "nan", "inf", std::string(10000, '7') + "x"}) {
        setOption(3, 1, text);
        window.click("cbt_YHsaixuan");
        EXPECT_EQ(window.workbench.Grid2_Youhuajieguo.rows.rowCount(), 6u);
        ASSERT_FALSE(platform.dialogs.empty());
        EXPECT_EQ(platform.dialogs.back().kind, ScriptedPlatform::Dialog::Kind::Error);
        EXPECT_NE(platform.dialogs.back().text.find("不是有效的数值"), std::string::npos);
    }
    setOption(1, 3, "x");
    window.workbench.cbt_YHcompute.enabled = true;
    sweep();
    EXPECT_TRUE(window.workbench.Grid2_Youhuajieguo.rows.empty())
        << "the tables were emptied before the reading failed";
}

TEST_F(WorkbenchTest, ANegativeLimitRefusesTheSweep) {
    setOption(1, 1, "-10");
    sweep();
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "不能为负值");
    EXPECT_EQ(window.workbench.lb_YHxingxi.color, argb::red);
    EXPECT_TRUE(window.workbench.Grid2_Youhuajieguo.rows.empty());
    EXPECT_TRUE(window.workbench.cbt_YHcompute.enabled);
}

TEST_F(WorkbenchTest, AnEvaluationErrorStopsTheSweepKeepingTheRows) {
    setOption(0, 2, "20");
    sweep();
    EXPECT_THAT(column(window.workbench.Grid2_Youhuajieguo, 1), ::testing::Each(::testing::Ne("13")));
    EXPECT_EQ(window.workbench.Grid2_Youhuajieguo.rows.rowCount(), 24u);
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "运行中止，主界面可查看中止位置、原因");
    EXPECT_EQ(window.workbench.lb_YHxingxi.color, argb::red);
    EXPECT_EQ(window.lb_shuoming.text, "x不能为13");
    EXPECT_EQ(window.workbench.pb_YH_jingdu.value, 60) << "24 of 40 done";
    EXPECT_TRUE(window.workbench.cbt_YHcompute.enabled);
    EXPECT_FALSE(window.workbench.cbt_YHsaixuan.enabled);
}

TEST_F(WorkbenchTest, HugeSweepsAreRefusedOrAskedAbout) {
    setOption(0, 3, "1e-300");
    setOption(0, 2, "1e300");
    setOption(1, 3, "1e-300");
    setOption(1, 2, "1e300");
    sweep();
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "优化组合数超出计算范围，请缩小优化范围");

    setOption(0, 2, "1e9");
    setOption(0, 3, "1");
    setOption(1, 2, "1e9");
    setOption(1, 3, "1");
    sweep();
    EXPECT_THAT(window.workbench.lb_YHxingxi.text,
                ::testing::StartsWith("优化组合数 999999991000000000 超出可用内存"));
    EXPECT_EQ(window.workbench.lb_YHxingxi.color, argb::red);

    setOption(0, 2, "1000");
    setOption(1, 2, "2000");
    sweep();
    EXPECT_THAT(dialogTexts(), ElementsAre("优化组合数为 1991000，计算需较长时间并占用较多内存，是否继续?"));
    EXPECT_TRUE(window.workbench.Grid2_Youhuajieguo.rows.empty()) << "declined";
    EXPECT_EQ(window.edt_x.text, "0");
}

TEST_F(WorkbenchTest, DoubleClickLoadsTheRowAndReturns) {
    sweep();
    window.headerClick("Grid2_Youhuajieguo", 2);
    EXPECT_EQ(window.doubleClick("Grid2_Youhuajieguo", 6), Outcome::NotApplicable);
    EXPECT_EQ(window.doubleClick("Grid3_Youhuasaixuan", 0), Outcome::NotApplicable);
    EXPECT_EQ(window.doubleClick("Grid2_Youhuajieguo", 0), Outcome::Done);
    EXPECT_EQ(window.edt_x.text, "1");
    EXPECT_EQ(window.edt_y.text, "10");
    EXPECT_EQ(window.edt_ra.text, "") << "the change handlers ran";
    EXPECT_TRUE(window.MainFormLayer.visible);
    EXPECT_FALSE(window.workbenchOpen());
}

TEST_F(WorkbenchTest, ExpandShowsTheExtraColumnsButNeverTheHiddenOne) {
    const auto shown = [](const Grid& g) {
        std::vector<bool> v;
        for (const GridColumn& c : g.columns) v.push_back(c.visible);
        return v;
    };
    EXPECT_THAT(shown(window.workbench.Grid2_Youhuajieguo),
                ElementsAre(true, true, true, true, false, false));
    EXPECT_TRUE(window.workbench.Grid1_Youhuaxuanxiang.columns[4].visible);
    window.click("cbt_zhangkai");
    EXPECT_EQ(window.workbench.cbt_zhangkai.text, "折叠");
    EXPECT_THAT(shown(window.workbench.Grid3_Youhuasaixuan),
                ElementsAre(true, true, true, true, true, false));
    window.click("cbt_zhangkai");
    EXPECT_EQ(window.workbench.cbt_zhangkai.text, "展开");
    EXPECT_THAT(shown(window.workbench.Grid2_Youhuajieguo),
                ElementsAre(true, true, true, true, false, false));
    EXPECT_FALSE(window.workbench.Grid1_Youhuaxuanxiang.columns[4].visible);
}

// Sorted and filtered, each row keeps the label the grid gives it (and the workbook beside the file).
TEST_F(WorkbenchTest, TheTableFileKeepsTheGridsLabels) {
    sweep();
    setOption(3, 1, "20");
    setOption(3, 2, "40");
    window.click("cbt_YHsaixuan");
    window.headerClick("Grid3_Youhuasaixuan", 2);
    window.headerClick("Grid3_Youhuasaixuan", 2);
    const TextTable& filtered = window.workbench.Grid3_Youhuasaixuan.rows;
    std::vector<std::string> labels;
    for (std::size_t r = 0; r < filtered.rowCount(); ++r) labels.emplace_back(filtered.cell(r, 0));
    EXPECT_THAT(labels, ElementsAre("ZH-4", "ZH-5", "ZH-3", "ZH-2"));
    window.click("cbt_YHsave");
    EXPECT_FALSE(window.workbench.cbt_YHsave.enabled);
    const auto lines = testing::savedLines(documents / "嵌岩桩优化计算筛选结果(依据JGJ94-2008)_表格.txt");
    EXPECT_THAT(lines, ElementsAre("==== 嵌岩桩优化计算筛选结果 ====", std::string(33, '-'), "  表头一",
                                   "  表头二", std::string(33, '-'), "   ZH-4       2     40     22 圆 ",
                                   "   ZH-5       3     30     13 圆 ", "   ZH-3       2     20     12 圆 ",
                                   "   ZH-2       1     20     21 圆 ", std::string(33, '-'),
                                   " 注: 采用《建筑桩基技术规范》(JGJ 94-2008)公式计算", std::string(33, '='),
                                   "计算时间：2024/5/6 14:03:27"));
}

TEST_F(WorkbenchTest, SaveWritesTheShownTableOnly) {
    window.click("cbt_YHsave");
    EXPECT_TRUE(platform.dialogs.empty());
    sweep();
    window.click("cbt_YHsave");
    EXPECT_TRUE(std::filesystem::exists(documents / "嵌岩桩优化计算原始结果(依据JGJ94-2008)_表格.txt"));
    EXPECT_FALSE(window.workbench.cbt_YHsave.enabled);
}

std::vector<std::vector<std::string>> sheetRows(const WorkbookSheet& sheet) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string_view> cells;
    for (std::size_t r = 0; r < sheet.rowCount; ++r) {
        sheet.rowCells(r, cells);
        rows.emplace_back(cells.begin(), cells.end());
    }
    return rows;
}

// Both tables with rows, whichever is shown; plain headers with their units (no sort marks), the folded
// column included, the never-shown one left out.
TEST_F(WorkbenchTest, TheWorkbookHoldsEveryResultTableWithRows) {
    sweep();
    window.workbench.tableHeaderClick(window.workbench.Grid2_Youhuajieguo, 2);
    setOption(3, 1, "20");
    setOption(3, 2, "40");
    setOption(4, 2, "21");
    window.click("cbt_YHsaixuan");
    std::optional<Workbench::TableFile> file;
    window.runEvent([&] { file = window.workbench.beginSave(window); });
    ASSERT_TRUE(file);
    EXPECT_EQ(file->workbookPath, (documents / "嵌岩桩优化计算筛选结果(依据JGJ94-2008)_表格.xlsx").string());
    ASSERT_EQ(file->workbook.size(), 2u);
    const std::vector<std::vector<std::string>> header{{"桩编号", "d(mm)", "Ra(kN)", "Rc(kN)", "y"}};
    const WorkbookSheet &results = file->workbook[0], &filtered = file->workbook[1];
    EXPECT_EQ(results.name, "原始结果");
    EXPECT_EQ(results.header, header);
    // Sorted by Ra, as the table shows it.
    EXPECT_THAT(
        sheetRows(results),
        ElementsAre(ElementsAre("ZH-1", "1", "10", "11", "10"), ElementsAre("ZH-2", "1", "20", "21", "20"),
                    ElementsAre("ZH-3", "2", "20", "12", "10"), ElementsAre("ZH-5", "3", "30", "13", "10"),
                    ElementsAre("ZH-4", "2", "40", "22", "20"), ElementsAre("ZH-6", "3", "60", "23", "20")));
    EXPECT_EQ(filtered.name, "筛选结果");
    EXPECT_EQ(filtered.header, header);
    EXPECT_THAT(sheetRows(filtered), ElementsAre(ElementsAre("ZH-2", "1", "20", "21", "20"),
                                                 ElementsAre("ZH-3", "2", "20", "12", "10"),
                                                 ElementsAre("ZH-5", "3", "30", "13", "10")));
    EXPECT_EQ(file->workbookRows, 9u);
}

// A workbook that may not be replaced is reported like the table file, stays as it was and costs the
// table file nothing; 存盘 stays open to try again.
TEST_F(WorkbenchTest, SaveWritesTheWorkbookBesideTheTableFileOrSaysWhyNot) {
    namespace fs = std::filesystem;
    sweep();
    const fs::path table = documents / "嵌岩桩优化计算原始结果(依据JGJ94-2008)_表格.txt";
    const fs::path book = documents / "嵌岩桩优化计算原始结果(依据JGJ94-2008)_表格.xlsx";
    fs::create_directories(documents);
    std::ofstream(book) << "an earlier book";
    fs::permissions(book, fs::perms::owner_read);
    window.click("cbt_YHsave");
    EXPECT_FALSE(fs::exists(table)) << "a workbook that cannot be replaced is refused before any writing";
    ASSERT_EQ(dialogTexts().size(), 1u);
    EXPECT_THAT(dialogTexts()[0], ::testing::StartsWith("保存失败："));
    EXPECT_THAT(dialogTexts()[0], ::testing::HasSubstr("只读，未覆盖"));
    EXPECT_EQ(readBytes(book), "an earlier book");
    EXPECT_TRUE(window.workbench.cbt_YHsave.enabled);

    fs::permissions(book, fs::perms::owner_read | fs::perms::owner_write);
    platform.answers = {true};
    window.click("cbt_YHsave");
    EXPECT_EQ(readBytes(book).substr(0, 2), "PK");
    EXPECT_FALSE(window.workbench.cbt_YHsave.enabled);
}

// Every control's state, to compare two windows.
std::vector<std::string> snapshot(FixtureWindow& w) {
    std::vector<std::string> states;
    for (const DeclaredControl& c : w.declaration().all()) {
        std::string s = std::string(c.name) + "|" + c.control->text + "|" + std::to_string(c.control->color) +
                        "|" + std::to_string(c.control->enabled) + std::to_string(c.control->visible) + "|" +
                        std::to_string(c.control->value);
        if (const Grid* g = c.asGrid())
            for (std::size_t r = 0; r < g->rows.rowCount(); ++r)
                for (const std::string& cell : g->rows.row(r)) s += "|" + cell;
        states.push_back(std::move(s));
    }
    return states;
}

TEST_F(WorkbenchTest, ASweepOnACopyInAnotherThreadLeavesWhatTheDirectSweepLeaves) {
    for (const char* last : {"3", "20"}) { // completes; stops at x = 13
        setOption(0, 2, last);
        FixtureWindow direct = window;
        direct.click("cbt_YHcompute");

        std::uint64_t total = 0;
        window.runEvent([&] { total = window.workbench.beginSweep(window); });
        ASSERT_GT(total, 0u);
        std::unique_ptr<CalculatorFrame> copy = window.clone();
        std::vector<std::uint64_t> reported;
        SweepOutcome outcome;
        std::thread worker([&] {
            outcome = copy->workbench.runSweep(
                *copy, [&](std::uint64_t done, std::uint64_t) { reported.push_back(done); });
        });
        worker.join();
        window.adoptSweep(*copy);
        window.runEvent([&] { window.workbench.finishSweep(window, outcome); });
        EXPECT_EQ(snapshot(window), snapshot(direct)) << last;
        EXPECT_FALSE(reported.empty());
        window.workbench.cbt_YHcompute.enabled = true;
    }
}

TEST_F(WorkbenchTest, CancellingKeepsTheRowsDoneSoFar) {
    setOption(0, 2, "12");
    std::uint64_t total = 0;
    window.runEvent([&] { total = window.workbench.beginSweep(window); });
    ASSERT_EQ(total, 24u);
    std::atomic<bool> cancel = false;
    const SweepOutcome outcome = window.workbench.runSweep(
        window,
        [&](std::uint64_t done, std::uint64_t) {
            if (done >= 5) cancel = true;
        },
        &cancel);
    window.workbench.finishSweep(window, outcome);
    EXPECT_EQ(outcome.end, SweepEnd::Cancelled);
    EXPECT_EQ(window.workbench.Grid2_Youhuajieguo.rows.rowCount(), 5u);
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "计算已取消，桩数：5 根");
    EXPECT_TRUE(window.workbench.cbt_YHcompute.enabled);
    EXPECT_TRUE(window.workbench.cbt_YHsave.enabled);
    EXPECT_EQ(window.workbench.pb_YH_jingdu.value, 0);
}

} // namespace
} // namespace qianyan

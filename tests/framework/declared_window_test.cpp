// A calculator without a formula that uses everything a calculator can declare: a panel page with an
// editable grid and a bar column, a switch row, two kinds of candidates with their own loops, five
// sortable columns (one keyed by the number before "%"), three filters (one over two columns), a red
// row rule and an appendix after the table file. The workbench must behave as declared, and the driver
// must reach the panel grid as it reaches the workbench tables.
#include "cli/script_driver.h"
#include "framework/calculator_frame.h"
#include "framework/number_text.h"
#include "support/window_fixture.h"

#include <gmock/gmock.h>

#include <sstream>

namespace qianyan {
namespace {

using ::testing::ElementsAre;

// Ra = a · (sum of the panel's thicknesses), Rc = a + 1, Raz = 0.9·Ra, R' = Ra − 10, R'/Ra in percent;
// a candidate of the second kind takes a from option row 1 and is 超规 (drawn red).
class DeclaredWindow : public CalculatorFrame, public WorkbenchCalculator {
public:
    explicit DeclaredWindow(Platform& platform) : CalculatorFrame(platform, "DECLARED", titles) {
        Panel_FormLayer = Control::make(ControlKind::Layer);
        Panel_FormLayer.visible = false;
        edt_a = Control::make(ControlKind::Edit, "1");
        ckb_switch = Control::make(ControlKind::CheckBox);
        cbt_panel = Control::make(ControlKind::Button, "土层");
        cbt_panelBack = Control::make(ControlKind::Button, "返回");
        grd_panel.columns = {
            {"grd_01_Int_Ceng", "层号"}, {"grd_02_Flo_Hou", "厚度"}, {"grd_03_Pic_Bili", "占比"}};
        grd_panel.columns[1].editable = true;
        grd_panel.columns[2].kind = CellKind::Bar;
        grd_panel.rows = TextTable(3, TextTable::Storage::Editable);
        grd_panel.rows.appendRow({"1", "2", ""});
        grd_panel.rows.appendRow({"2", "3", ""});
        workbench.declare(workbenchDeclaration());
    }

    Control Panel_FormLayer, edt_a, ckb_switch, cbt_panel, cbt_panelBack, edt_ra, edt_rc;
    Grid grd_panel;
    int kind = 0;

    void cbt_computeClick() override {
        double a = 0;
        if (!tryReadWhole(edt_a.text, a)) fail(edt_a, "a有错");
        double total = 0;
        for (std::size_t r = 0; r < grd_panel.rows.rowCount(); ++r)
            total += readLenient(grd_panel.rows.cell(r, 1));
        for (std::size_t r = 0; r < grd_panel.rows.rowCount(); ++r)
            grd_panel.rows.setCell(r, 2, general(readLenient(grd_panel.rows.cell(r, 1)) / total * 100));
        edt_ra.text = general(a * total);
        edt_rc.text = general(a + 1);
    }

    WorkbenchCalculator* workbenchAdapter() override { return this; }
    std::unique_ptr<CalculatorFrame> clone() const override {
        return std::make_unique<DeclaredWindow>(*this);
    }
    std::vector<LoopCounts> readOptionRows() override {
        const TextTable& g = workbench.Grid1_Youhuaxuanxiang.rows;
        for (std::size_t row = 0; row < 2; ++row)
            ranges[row] =
                rangeRule(readStrict(g.cell(row, 1)), readStrict(g.cell(row, 2)), readStrict(g.cell(row, 3)));
        setInputChecked(ckb_switch, readInteger(g.cell(2, 1)) >= 1);
        return {{ranges[0].count}, {ranges[1].count}};
    }
    void writeCandidate(std::size_t k, const CandidateStep& step) override {
        kind = static_cast<int>(k);
        writeInput(edt_a, general(ranges[k].valueAt(step.position[0])));
    }
    void loadCandidate(const TextTable& table, std::size_t row) override {
        writeInput(edt_a, table.cell(row, 1));
        setInputChecked(ckb_switch, table.cell(row, 8) == "1");
    }
    void writeTableAppendix(const LineSink& sink, const TextTable& table) override {
        sink("");
        sink("附录 开关 " + std::string(table.cell(0, 8)));
        for (std::size_t r = 0; r < grd_panel.rows.rowCount(); ++r)
            sink("层 " + std::string(grd_panel.rows.cell(r, 1)));
    }

protected:
    void declare(WindowDeclaration& d) override {
        CalculatorFrame::declare(d);
        d.add(nullptr, {{"Panel_FormLayer", &Panel_FormLayer}});
        d.add(&MainFormLayer, {{"edt_a", &edt_a},
                               {"ckb_switch", &ckb_switch},
                               {"cbt_panel", &cbt_panel},
                               {"edt_ra", &edt_ra},
                               {"edt_rc", &edt_rc}});
        d.add(&Panel_FormLayer, {{"grd_panel", &grd_panel}, {"cbt_panelBack", &cbt_panelBack}});
        declareChanges(d, {{edt_a, {&edt_ra, &edt_rc}}, {ckb_switch, {&edt_ra}}});
        d.onClick(cbt_panel, [this] {
            MainFormLayer.visible = false;
            Panel_FormLayer.visible = true;
        });
        d.onClick(cbt_panelBack, [this] {
            MainFormLayer.visible = true;
            Panel_FormLayer.visible = false;
        });
        d.onGrid(grd_panel, {{}, [this](int, int) { edt_ra.text.clear(); }, {}, {}, {}, {}});
    }

private:
    static constexpr Titles titles{{1, 2, 3, 4, 5, 6, 7, 8, 9}, "", "", ""};
    static constexpr std::array<OptionRow, 7> options{{
        {OptionKind::Range, {"a", "1", "3", "1", ""}},
        {OptionKind::Range, {"超规 a", "5", "6", "1", ""}},
        {OptionKind::Switch, {"开关", "1", "", "", "0/1"}},
        {OptionKind::Blank, {"", "", "", "", ""}},
        {OptionKind::Filter, {"筛选 Ra、Raz", "0", "0", "", ""}},
        {OptionKind::Filter, {"筛选 R'", "0", "0", "", ""}},
        {OptionKind::Filter, {"筛选 Rc", "0", "0", "", ""}},
    }};
    static const WorkbenchDeclaration& workbenchDeclaration();

    std::array<SweepRange, 2> ranges;
};

using Shown = WorkbenchColumn::Shown;

const DeclaredWindow& window(const CalculatorFrame& frame) {
    return static_cast<const DeclaredWindow&>(frame);
}
double ra(const CalculatorFrame& frame) {
    return readStrict(window(frame).edt_ra.text);
}
// A cell of the table file ten columns wide after the label.
constexpr TableFileCell fileCell(int place) {
    return {.place = place, .width = 6, .blanksAfter = 1};
}

const WorkbenchDeclaration& DeclaredWindow::workbenchDeclaration() {
    static constexpr std::array<WorkbenchColumn, 9> columns{{
        {.name = "label",
         .header = "桩编号",
         .shown = Shown::Always,
         .file =
             TableFileCell{.width = 8, .centred = true, .blanksAfter = 2, .header = {" 表头一", " 表头二"}}},
        {.name = "a",
         .header = "a",
         .shown = Shown::Always,
         .sort = ColumnSort{"a"},
         .file = fileCell(1),
         .source = controlText<&DeclaredWindow::edt_a>},
        {.name = "ra",
         .header = "Ra(kN)",
         .shown = Shown::Always,
         .sort = ColumnSort{"Ra"},
         .file = fileCell(2),
         .source = controlText<&DeclaredWindow::edt_ra>},
        {.name = "rc",
         .header = "Rc(kN)",
         .shown = Shown::Always,
         .source = controlText<&DeclaredWindow::edt_rc>},
        {.name = "raz",
         .header = "Raz",
         .shown = Shown::Expanded,
         .shownFiltered = Shown::Always,
         .sort = ColumnSort{"Raz"},
         .source = [](const CalculatorFrame& w, std::string& scratch) -> std::string_view {
             return scratch = general(ra(w) * 0.9);
         }},
        {.name = "net",
         .header = "R'",
         .shown = Shown::Always,
         .shownFiltered = Shown::Expanded,
         .sort = ColumnSort{"R'"},
         .source = [](const CalculatorFrame& w, std::string& scratch) -> std::string_view {
             return scratch = general(ra(w) - 10);
         }},
        {.name = "share",
         .header = "R'/Ra",
         .shown = Shown::ExpandedAndAtStart,
         .sort = ColumnSort{"R'/Ra", SortKey::NumberBeforePercent},
         .source = [](const CalculatorFrame& w, std::string& scratch) -> std::string_view {
             return scratch = general((ra(w) - 10) / ra(w) * 100) + "%";
         }},
        {.name = "verdict",
         .header = "判定",
         .file = fileCell(3),
         .source = [](const CalculatorFrame& w, std::string&) -> std::string_view {
             return window(w).kind == 1 ? "超规" : "合规";
         }},
        {.name = "switch",
         .header = "",
         .shown = Shown::Never,
         .source = [](const CalculatorFrame& w, std::string&) -> std::string_view {
             return window(w).ckb_switch.checked ? "1" : "0";
         }},
    }};
    static constexpr std::array<FilterRow, 3> filters{{{4, {2, 4}}, {5, {5, -1}}, {6, {3, -1}}}};
    static constexpr std::array<BoundsWrite, 3> bounds{{{2, 4}, {5, 5}, {3, 6}}};
    static constexpr WorkbenchDeclaration declaration{
        .options = options,
        .columns = columns,
        .filters = filters,
        .bounds = bounds,
        .rowStyle = {.column = 7, .text = "超规", .color = argb::red},
        .fileWidth = 40,
    };
    return declaration;
}

std::vector<std::string> column(const Grid& g, std::size_t c) {
    std::vector<std::string> cells;
    for (std::size_t r = 0; r < g.rows.rowCount(); ++r) cells.emplace_back(g.rows.cell(r, c));
    return cells;
}

std::vector<bool> shown(const Grid& g) {
    std::vector<bool> flags;
    for (const GridColumn& c : g.columns) flags.push_back(c.visible);
    return flags;
}

class DeclaredWindowTest : public testing::WindowFixture<DeclaredWindow> {
protected:
    Workbench& bench() { return window.workbench; }
    void sweep() {
        window.click("cbt_YouHua");
        window.click("cbt_YHcompute");
    }
};

TEST_F(DeclaredWindowTest, SweepsEachKindWithItsOwnLoopsAndSetsTheSwitch) {
    sweep();
    EXPECT_THAT(column(bench().Grid2_Youhuajieguo, 0), ElementsAre("ZH-1", "ZH-2", "ZH-3", "ZH-4", "ZH-5"));
    EXPECT_THAT(column(bench().Grid2_Youhuajieguo, 1), ElementsAre("1", "2", "3", "5", "6"));
    EXPECT_THAT(column(bench().Grid2_Youhuajieguo, 8), ElementsAre("1", "1", "1", "1", "1"));
    EXPECT_TRUE(window.ckb_switch.checked);
    // The bounds of three filter rows, from three columns.
    EXPECT_EQ(bench().Grid1_Youhuaxuanxiang.rows.cell(4, 1), "5");
    EXPECT_EQ(bench().Grid1_Youhuaxuanxiang.rows.cell(4, 2), "30");
    EXPECT_EQ(bench().Grid1_Youhuaxuanxiang.rows.cell(5, 2), "20");
    EXPECT_EQ(bench().Grid1_Youhuaxuanxiang.rows.cell(6, 1), "2");
    // The red rows of the second kind, in both tables.
    EXPECT_EQ(window.rowColor("Grid2_Youhuajieguo", 0), argb::black);
    EXPECT_EQ(window.rowColor("Grid2_Youhuajieguo", 3), argb::red);
}

TEST_F(DeclaredWindowTest, EachTableShowsItsDeclaredColumnsAndExpandToggles) {
    EXPECT_THAT(shown(bench().Grid2_Youhuajieguo), ElementsAre(1, 1, 1, 1, 0, 1, 1, 0, 0));
    EXPECT_THAT(shown(bench().Grid3_Youhuasaixuan), ElementsAre(1, 1, 1, 1, 1, 0, 1, 0, 0));
    window.click("cbt_YouHua");
    window.click("cbt_zhangkai");
    EXPECT_THAT(shown(bench().Grid2_Youhuajieguo), ElementsAre(1, 1, 1, 1, 1, 1, 1, 1, 0));
    window.click("cbt_zhangkai");
    EXPECT_THAT(shown(bench().Grid2_Youhuajieguo), ElementsAre(1, 1, 1, 1, 0, 1, 0, 0, 0));
    EXPECT_THAT(shown(bench().Grid3_Youhuasaixuan), ElementsAre(1, 1, 1, 1, 1, 0, 0, 0, 0));
}

TEST_F(DeclaredWindowTest, SortsByFiveColumnsAndByTheNumberBeforePercent) {
    sweep();
    window.headerClick("Grid2_Youhuajieguo", 6);
    EXPECT_EQ(bench().lb_YHxingxi.text, "R'/Ra升序排列完成");
    // 50% (a = 1) before 80% and 83.3…%: numeric, not textual.
    EXPECT_THAT(column(bench().Grid2_Youhuajieguo, 1), ElementsAre("1", "2", "3", "5", "6"));
    EXPECT_EQ(bench().Grid2_Youhuajieguo.columns[6].header, " R'/Ra▲");
    window.click("cbt_zhangkai"); // Raz is shown after 展开 only
    window.headerClick("Grid2_Youhuajieguo", 4);
    EXPECT_EQ(bench().sortState(4), 0);
    EXPECT_EQ(bench().sortState(2), 1);
    EXPECT_EQ(bench().Grid2_Youhuajieguo.columns[6].header, "   R'/Ra");
    window.headerClick("Grid2_Youhuajieguo", 4);
    EXPECT_THAT(column(bench().Grid2_Youhuajieguo, 1), ElementsAre("6", "5", "3", "2", "1"));
    window.headerClick("Grid2_Youhuajieguo", 3);
    EXPECT_EQ(bench().lb_YHxingxi.text, "仅支持a、Ra、Raz、R'、R'/Ra排序");
}

TEST_F(DeclaredWindowTest, AFilterRowAppliesToEveryColumnItNames) {
    sweep();
    // Ra within 10 … 20 and Raz (0.9·Ra) too: a = 3 has Ra 15 and Raz 13.5; a = 2 has Raz 9.
    window.editCell("Grid1_Youhuaxuanxiang", 4, 1, "10");
    window.editCell("Grid1_Youhuaxuanxiang", 4, 2, "20");
    window.editCell("Grid1_Youhuaxuanxiang", 5, 1, "0");
    window.editCell("Grid1_Youhuaxuanxiang", 6, 2, "0");
    window.click("cbt_YHsaixuan");
    EXPECT_THAT(column(bench().Grid3_Youhuasaixuan, 1), ElementsAre("3"));
    EXPECT_EQ(bench().lb_YHxingxi.text, "筛选完成，桩数：1 根");
}

TEST_F(DeclaredWindowTest, LoadBackRestoresTheSwitchAndTheTableFileHasItsAppendix) {
    sweep();
    window.editCell("Grid1_Youhuaxuanxiang", 2, 1, "0");
    window.click("cbt_YHcompute");
    EXPECT_FALSE(window.ckb_switch.checked);
    window.click("cbt_YHsave");
    const auto lines = testing::savedLines(documents / "嵌岩桩优化计算原始结果(依据JGJ94-2008)_表格.txt");
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[5], "   ZH-1         1      5   合规 ");
    EXPECT_THAT(std::vector<std::string>(lines.end() - 4, lines.end()),
                ElementsAre("", "附录 开关 0", "层 2", "层 3"));
    bench().Grid2_Youhuajieguo.rows.setCell(3, 8, "1");
    window.doubleClick("Grid2_Youhuajieguo", 3);
    EXPECT_TRUE(window.ckb_switch.checked);
    EXPECT_EQ(window.edt_a.text, "5");
    EXPECT_TRUE(window.MainFormLayer.visible);
}

TEST_F(DeclaredWindowTest, TheDriverReachesThePanelGridOnlyWhileItsPageIsShown) {
    std::ostringstream out, err;
    ScriptDriver driver(platform, out, err);
    driver.open("declared", std::make_unique<DeclaredWindow>(platform));
    driver.run("cell grd_panel 0 1 4\nclick cbt_panel\ncell grd_panel 0 1 \"4\r\"\ncell grd_panel 0 0 9\n"
               "click cbt_panelBack\nclick cbt_compute\nprint grd_panel\nprint edt_ra");
    EXPECT_EQ(out.str(),
              "1\t4\t57.1428571428571\n2\t3\t42.8571428571429\nedt_ra\t7\tFF000000\tenabled\tshown\n");
    EXPECT_EQ(err.str(), "note\tgrd_panel 当前不可用，操作无效\nerror\tgrd_panel 不能执行 cell\n");
}

} // namespace
} // namespace qianyan

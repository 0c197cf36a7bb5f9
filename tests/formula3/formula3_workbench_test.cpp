#include "formula3/formula3_window.h"
#include "framework/number_text.h"
#include "support/workbench_fixture.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <numeric>

namespace qianyan {
namespace {

using testing::columnOf;
using testing::distinctOf;

namespace col = layer_column;
using ::testing::ElementsAre;

struct OptionRowCells {
    int row;
    const char *min, *max, *step;
};

class Formula3WorkbenchTest : public testing::WorkbenchFixture<TVOR_FRM_KELD3> {
protected:
    Formula3WorkbenchTest() { window.click("cbt_YouHua"); }

    // The cells of an option row; a filter row has no step.
    static void setOptionRow(TVOR_FRM_KELD3& w, const OptionRowCells& c) {
        for (const auto& [column, text] : {std::pair{1, c.min}, std::pair{2, c.max}, std::pair{3, c.step}}) {
            if (column == 3 && !*text) continue;
            ASSERT_EQ(w.editCell("Grid1_Youhuaxuanxiang", c.row, column, text), Outcome::Done);
        }
    }
    // One value in every row: a circle d = 1000, 2.0d, 35.00, C30, 泥浆护壁, algorithm A, the real section;
    // the rows given then widen it.
    static void narrowSweep(TVOR_FRM_KELD3& w, const std::vector<OptionRowCells>& rows) {
        for (const OptionRowCells& c : {OptionRowCells{0, "1", "1", "1"},
                                        {1, "1000", "1000", "500"},
                                        {2, "500", "500", "500"},
                                        {3, "2000", "2000", "500"},
                                        {4, "1000", "1000", "500"},
                                        {5, "1000", "1000", "500"},
                                        {6, "2.0d", "2.0d", "1.0d"},
                                        {7, "35", "35", "5"},
                                        {8, "C30", "C30", "5"},
                                        {9, "2", "2", "1"},
                                        {10, "1", "1", "1"},
                                        {11, "1", "1", "1"}})
            setOptionRow(w, c);
        for (const OptionRowCells& c : rows) setOptionRow(w, c);
        w.click("cbt_YHcompute");
    }
    void sweep(const std::vector<OptionRowCells>& rows) { narrowSweep(window, rows); }

    std::string layerCell(std::size_t column) const {
        return std::string(window.StringGrid_KELD3.rows.cell(0, column));
    }
};

TEST_F(Formula3WorkbenchTest, TheDefaultSweepListsEveryCandidateOfTheFourSections) {
    window.click("cbt_YHcompute");
    const TextTable& rows = results();
    ASSERT_EQ(rows.rowCount(), 1392u);
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "计算完成，桩数：1392 根");
    EXPECT_THAT(rows.row(0), ElementsAre("ZH-0001", "圆  桩", "1000", "-", "14844", "14844", "2.0d", "35.00",
                                         "干 作 业", "-", "1000", "2.00", "原始截面", "0.0600", "13195",
                                         "44%", "0.6000", "16493", "56%", "29688", "1.0800", "29688", "100%",
                                         "C25", "0.90", "8412", "较硬岩", "合规"));
    EXPECT_EQ(rows.cell(1391, 0), "ZH-1392");

    // 48 circles, 576 obrounds, 576 rectangles, 192 squares, in this order; only circles comply.
    const std::vector<std::string> sections = columnOf(rows, 1);
    const auto count = [&](const char* name) { return std::count(sections.begin(), sections.end(), name); };
    EXPECT_EQ(count("圆  桩"), 48);
    EXPECT_EQ(count("椭圆桩"), 576);
    EXPECT_EQ(count("矩形桩"), 576);
    EXPECT_EQ(count("方  桩"), 192);
    EXPECT_EQ(sections[48], "椭圆桩");
    EXPECT_EQ(sections[624], "矩形桩");
    EXPECT_EQ(sections[1200], "方  桩");
    for (std::size_t r = 0; r < rows.rowCount(); ++r) {
        const bool circle = rows.cell(r, 1) == "圆  桩";
        ASSERT_EQ(rows.cell(r, 27), circle ? "合规" : "超规") << r;
        ASSERT_EQ(window.rowColor("Grid2_Youhuajieguo", r), circle ? argb::black : argb::red) << r;
    }
    EXPECT_THAT(distinctOf(columnOf(rows, 6)), ElementsAre("2.0d", "3.0d", "2.0b", "3.0b"));
    EXPECT_THAT(distinctOf(columnOf(rows, 9)), ElementsAre("-", "面积相等", "周长相等"));
    EXPECT_THAT(distinctOf(columnOf(rows, 12)), ElementsAre("原始截面", "虚拟圆形"));

    const TextTable& options = window.workbench.Grid1_Youhuaxuanxiang.rows;
    const auto bounds = [&](std::size_t c) {
        std::vector<double> values;
        for (const std::string& v : columnOf(rows, c)) values.push_back(readStrict(v));
        return std::pair{general(*std::min_element(values.begin(), values.end())),
                         general(*std::max_element(values.begin(), values.end()))};
    };
    EXPECT_EQ(std::pair(std::string(options.cell(13, 1)), std::string(options.cell(13, 2))), bounds(4));
    EXPECT_EQ(std::pair(std::string(options.cell(14, 1)), std::string(options.cell(14, 2))), bounds(25));
    EXPECT_EQ(window.cbb_yanchengshu.itemIndex, 0);
    EXPECT_EQ(window.cbb_chezhuxishu.itemIndex, 1);
    EXPECT_EQ(window.cbe_dd.text, "1000") << "the inputs as the person left them";
    EXPECT_EQ(layerCell(col::socketLength), "1.00");
}

TEST_F(Formula3WorkbenchTest, ColumnsHeadersAndWhatEachTableShows) {
    const Workbench& wb = window.workbench;
    ASSERT_EQ(wb.Grid2_Youhuajieguo.columns.size(), 28u);
    EXPECT_EQ(wb.Grid2_Youhuajieguo.columns[27].name, "Grid2_28_Str_YHhgpd");
    std::vector<std::string> headers;
    for (const GridColumn& c : wb.Grid3_Youhuasaixuan.columns) headers.push_back(c.header);
    EXPECT_THAT(std::vector(headers.begin(), headers.begin() + 6),
                ElementsAre("  桩编号", "截面类型", " d|a(mm)", " c|b(mm)", "  Ra(kN)", " Raz(kN)"));
    EXPECT_EQ(headers[22], "  Ra/Raz");
    EXPECT_EQ(headers[27], "合规判定");

    const auto shown = [](const Grid& g) {
        std::vector<int> columns;
        for (std::size_t c = 0; c < g.columns.size(); ++c)
            if (g.columns[c].visible) columns.push_back(static_cast<int>(c));
        return columns;
    };
    const std::vector<int> folded{0, 1, 2, 3, 4, 5, 22, 25};
    std::vector<int> all(28);
    std::iota(all.begin(), all.end(), 0);
    for (const auto& want : {folded, all, folded}) {
        EXPECT_EQ(shown(wb.Grid2_Youhuajieguo), want);
        EXPECT_EQ(shown(wb.Grid3_Youhuasaixuan), want);
        window.click("cbt_zhangkai");
    }
}

TEST_F(Formula3WorkbenchTest, ARectangleEnteredShortSideFirstTakesItsShorterSideForTheDepth) {
    sweep({{0, "3", "3", "1"}, {3, "800", "800", "500"}, {4, "1200", "1200", "500"}});
    ASSERT_EQ(results().rowCount(), 1u);
    const std::vector<std::string> row = results().row(0);
    EXPECT_THAT(std::vector(row.begin(), row.begin() + 7),
                ElementsAre("ZH-1", "矩形桩", "1200", "800", "15036", "14284", "2.0b"));
    window.doubleClick("Grid2_Youhuajieguo", 0);
    EXPECT_EQ(layerCell(col::socketLength), "1.60");
    window.click("cbt_compute");
    EXPECT_EQ(window.edt_ra.text, "15036");
    window.click("cbt_YouHua");
    // Sides that were exchanged are written anew with every new short side.
    narrowSweep(window, {{0, "3", "3", "1"}, {3, "800", "800", "500"}, {4, "1200", "1500", "300"}});
    EXPECT_THAT(columnOf(results(), 2), ElementsAre("1200", "1500"));
    EXPECT_THAT(columnOf(results(), 3), ElementsAre("800", "800"));
}

TEST_F(Formula3WorkbenchTest, DepthsInMillimetresGiveTheSameLengthForEverySection) {
    // Algorithm F makes deq the short side, 1000 for every section here.
    sweep({{0, "1", "4", "1"}, {6, "2000", "3000", "1000"}, {10, "6", "6", "1"}});
    ASSERT_EQ(results().rowCount(), 8u);
    EXPECT_THAT(columnOf(results(), 6),
                ElementsAre("2000", "3000", "2000", "3000", "2000", "3000", "2000", "3000"));
    EXPECT_THAT(columnOf(results(), 11),
                ElementsAre("2.00", "3.00", "2.00", "3.00", "2.00", "3.00", "2.00", "3.00"));
    EXPECT_THAT(distinctOf(columnOf(results(), 10)), ElementsAre("1000"));
    ASSERT_EQ(window.doubleClick("Grid2_Youhuajieguo", 7), Outcome::Done);
    EXPECT_EQ(layerCell(col::socketLength), "3.00");
}

TEST_F(Formula3WorkbenchTest, OptionRowRules) {
    const struct {
        std::vector<OptionRowCells> rows;
        std::size_t column;
        std::vector<std::string> values;
    } cases[] = {
        {{{0, "0", "9", "1"}}, 1, {"圆  桩", "椭圆桩", "矩形桩", "方  桩"}},
        {{{0, "1", "4", "2"}}, 1, {"圆  桩", "矩形桩"}},
        {{{0, "4", "1", "1"}}, 1, {"方  桩"}},
        {{{1, "1000", "2000", "0"}}, 2, {"1000", "2000"}},
        {{{7, "35", "45", "4"}}, 7, {"35.00", "39.00", "43.00", "45.00"}},
        {{{7, "25.5", "25.5", "0"}}, 26, {"较软岩"}},
        {{{6, "1.25d", "1.25d", "0d"}}, 6, {"1.3d"}},
        {{{8, "C27", "C58", "3"}}, 23, {"C25", "C30", "C35", "C40", "C45", "C50", "C55"}},
        {{{8, "C65", "C70", "5"}}, 23, {"C60"}},
        {{{8, "C20", "C70", "20"}}, 23, {"C25", "C45"}},
        {{{9, "0", "3", "1"}}, 8, {"干 作 业", "泥浆护壁", "后 注 浆"}},
        {{{9, "1", "9", "0"}}, 24, {"0.90", "0.80"}},
        {{{0, "2", "2", "1"}, {10, "0", "99", "7"}}, 9, {"面积相等", "最小包络"}},
        {{{0, "2", "2", "1"}, {11, "1", "2", "1"}}, 12, {"原始截面", "虚拟圆形"}},
        // A circle takes the first area mode and shows its real section whatever that mode is.
        {{{11, "2", "2", "1"}}, 12, {"原始截面"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.values));
        TVOR_FRM_KELD3 w(platform);
        w.click("cbt_YouHua");
        narrowSweep(w, c.rows);
        EXPECT_EQ(distinctOf(columnOf(w.workbench.Grid2_Youhuajieguo.rows, c.column)), c.values);
    }
}

TEST_F(Formula3WorkbenchTest, ANegativeLimitRefusesItsRowBeforeTheLaterRowsAreRead) {
    const struct {
        int row;
        const char* message;
    } cases[] = {{1, "桩径不能为负值"},     {2, "椭圆直段不能为负值"}, {3, "矩形长边不能为负值"},
                 {4, "矩形短边不能为负值"}, {5, "方形边长不能为负值"}, {7, "岩石单轴抗压强度不能为负值"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        TVOR_FRM_KELD3 w(platform);
        w.click("cbt_YouHua");
        setOptionRow(w, {c.row, "1", "-1", "1"});
        setOptionRow(w, {8, "Cx", "C30", "5"}); // never read
        w.click("cbt_YHcompute");
        EXPECT_EQ(w.workbench.lb_YHxingxi.text, c.message);
        EXPECT_EQ(w.workbench.lb_YHxingxi.color, argb::red);
        EXPECT_TRUE(w.workbench.Grid2_Youhuajieguo.rows.empty());
    }
    EXPECT_TRUE(platform.dialogs.empty());

    // A negative depth is not refused: its first candidate stops the sweep with the layer's message, which
    // leaves the workbench line alone.
    sweep({{6, "-2.0d", "2.0d", "1.0d"}});
    EXPECT_TRUE(results().empty());
    EXPECT_EQ(window.lb_shuoming.text, "第1层岩石嵌岩深度<0");
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "");
    EXPECT_TRUE(window.workbench.cbt_YHcompute.enabled);
}

TEST_F(Formula3WorkbenchTest, NotationsThatAreMixedOrNotNumbersAreConversionFailures) {
    for (const OptionRowCells& c : std::initializer_list<OptionRowCells>{{6, "2.0d", "3000", "1.0d"},
                                                                         {0, "1.5", "4", "1"},
                                                                         {1, "1e400", "2000", "500"},
                                                                         {7, "nan", "40", "5"}}) {
        TVOR_FRM_KELD3 w(platform);
        w.click("cbt_YouHua");
        setOptionRow(w, c);
        w.click("cbt_YHcompute");
        EXPECT_TRUE(w.workbench.Grid2_Youhuajieguo.rows.empty()) << c.min;
        EXPECT_EQ(w.cbe_dd.text, "1000") << "nothing was written";
    }
    EXPECT_EQ(dialogTexts().size(), 4u);
    EXPECT_EQ(dialogTexts()[0], "“3000”不是有效的数值");
}

TEST_F(Formula3WorkbenchTest, ASweepStoppedByACandidateKeepsItsRowsAndTheirLabels) {
    // Three circles, then obrounds with c = 0, which the compute refuses.
    sweep({{0, "1", "2", "1"}, {1, "1000", "2000", "500"}, {2, "0", "0", "0"}});
    EXPECT_THAT(columnOf(results(), 0), ElementsAre("ZH-1", "ZH-2", "ZH-3"));
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "运行中止，主界面可查看中止位置、原因");
    EXPECT_EQ(window.lb_shuoming.text, "椭圆直段长度数据有错");
    EXPECT_TRUE(window.workbench.cbt_YHcompute.enabled);
    EXPECT_FALSE(window.workbench.cbt_YHsaixuan.enabled);
    EXPECT_EQ(window.workbench.Grid1_Youhuaxuanxiang.rows.cell(13, 1), "12000") << "no bounds written";
}

TEST_F(Formula3WorkbenchTest, TheVerdictIsTheEvaluationsAndTheRatioSortsAsANumber) {
    // Soft rock past the bound at 9.0d with the beyond-code length and the end reduced by half: 超规 even
    // for a circle, and Ra below Raz.
    window.click("cbt_YHfanhui");
    window.setChecked("ckb_chaoguifan", true);
    window.setChecked("ckb_duanzhuzhejian", true);
    window.typeText("cbe_duanzhuzhejian", "0.50");
    window.click("cbt_YouHua");
    sweep({{1, "1000", "2000", "1000"}, {6, "8.0d", "9.0d", "1.0d"}, {7, "10", "10", "0"}});
    const TextTable& rows = results();
    ASSERT_EQ(rows.rowCount(), 4u);
    EXPECT_THAT(columnOf(rows, 6), ElementsAre("8.0d", "9.0d", "8.0d", "9.0d"));
    EXPECT_THAT(columnOf(rows, 27), ElementsAre("合规", "超规", "合规", "超规"));
    EXPECT_THAT(columnOf(rows, 22), ElementsAre("100%", "97%", "100%", "97%"));
    EXPECT_EQ(window.rowColor("Grid2_Youhuajieguo", 1), argb::red);
    EXPECT_EQ(window.rowColor("Grid2_Youhuajieguo", 2), argb::black);

    window.headerClick("Grid2_Youhuajieguo", 22);
    EXPECT_THAT(columnOf(rows, 22), ElementsAre("97%", "97%", "100%", "100%"));
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "Ra/Raz升序排列完成");
    EXPECT_EQ(window.workbench.Grid2_Youhuajieguo.columns[22].header, "Ra/Raz▲");
    window.headerClick("Grid2_Youhuajieguo", 22);
    EXPECT_THAT(columnOf(rows, 22), ElementsAre("100%", "100%", "97%", "97%"));
    window.headerClick("Grid2_Youhuajieguo", 5);
    EXPECT_EQ(window.workbench.Grid2_Youhuajieguo.columns[5].header, "Raz(kN)▲");
    EXPECT_EQ(window.workbench.Grid2_Youhuajieguo.columns[22].header, "  Ra/Raz");
    window.headerClick("Grid2_Youhuajieguo", 1);
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "仅支持d、Ra、Raz、Ra/Raz、Rc排序");
}

TEST_F(Formula3WorkbenchTest, NoResistanceLeavesTheSharesWithoutValue) {
    // A pile so thin that its area is 0: Qrk, Raz and with them every share are nothing.
    sweep({{1, "1E-200", "1E-200", "0"}});
    ASSERT_EQ(results().rowCount(), 1u);
    const std::vector<std::string> row = results().row(0);
    EXPECT_EQ(row[19], "0");
    EXPECT_EQ(row[5], "0");
    EXPECT_EQ(row[15], "-");
    EXPECT_EQ(row[18], "-");
    EXPECT_EQ(row[22], "-");
}

TEST_F(Formula3WorkbenchTest, TheFilterTestsRaAndRazTogetherAndRcOnItsOwn) {
    window.click("cbt_YHcompute");
    const auto filter = [&](const char* raMin, const char* raMax, const char* rcMin, const char* rcMax) {
        setOptionRow(window, {13, raMin, raMax, ""});
        setOptionRow(window, {14, rcMin, rcMax, ""});
        window.click("cbt_YHsaixuan");
        return columnOf(window.workbench.Grid3_Youhuasaixuan.rows, 0);
    };
    EXPECT_EQ(filter("0", "0", "0", "0"), columnOf(results(), 0)) << "bounds of 0 pass every row";

    std::vector<std::string> want;
    std::size_t raAlone = 0;
    for (std::size_t r = 0; r < results().rowCount(); ++r) {
        const double ra = readStrict(results().cell(r, 4)), raz = readStrict(results().cell(r, 5)),
                     rc = readStrict(results().cell(r, 25));
        const bool raIn = ra >= 30000 && ra <= 40000, razIn = raz >= 30000 && raz <= 40000;
        if (raIn && !razIn) ++raAlone;
        if (raIn && razIn && rc >= 10000) want.emplace_back(results().cell(r, 0));
    }
    ASSERT_GT(raAlone, 0u) << "some rows pass on Ra alone";
    EXPECT_EQ(filter("30000", "40000", "10000", "0"), want);
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "筛选完成，桩数：" + std::to_string(want.size()) + " 根");
    EXPECT_TRUE(window.workbench.Grid3_Youhuasaixuan.visible);
    EXPECT_FALSE(window.workbench.Grid2_Youhuajieguo.visible);
}

TEST_F(Formula3WorkbenchTest, ALoadedRowComputesToItsOwnResults) {
    window.click("cbt_YHcompute");
    window.click("cbt_YHfanhui");
    window.chooseItem("cbb_yanchengshu", 2);
    window.chooseItem("cbb_chezhuxishu", 0);
    window.click("cbt_YouHua");
    // A circle, an obround on the virtual circle, a rectangle, a square.
    for (const int row : {46, 49, 1100, 1391}) {
        SCOPED_TRACE(row);
        const std::vector<std::string> cells = results().row(static_cast<std::size_t>(row));
        window.click("cbt_YouHua");
        ASSERT_EQ(window.doubleClick("Grid2_Youhuajieguo", row), Outcome::Done);
        EXPECT_TRUE(window.MainFormLayer.visible);
        EXPECT_EQ(window.edt_ra.text, "");
        EXPECT_EQ(window.edt_ddeq.text, "");
        EXPECT_TRUE(window.cbt_compute.visible);
        EXPECT_FALSE(window.cbt_View.visible);
        EXPECT_EQ(window.StringGrid_KELD3.rows.rowCount(), 1u);
        EXPECT_EQ(window.cbb_chezhuxishu.itemIndex, 1);
        EXPECT_EQ(layerCell(col::rockStrength), cells[7]);
        EXPECT_EQ(window.cbb_hnt.text, cells[23]);
        ASSERT_EQ(window.click("cbt_compute"), Outcome::Done);
        EXPECT_EQ(window.cbe_dd.text, cells[2]);
        EXPECT_EQ(window.edt_ra.text, cells[4]);
        EXPECT_EQ(window.edt_ddeq.text, cells[10]);
        EXPECT_EQ(window.edt_Rc.text, cells[25]);
        EXPECT_EQ(window.edt_kersair.text, cells[20]);
    }
    EXPECT_EQ(window.cbb_jmlx.itemIndex, 2);
    EXPECT_EQ(window.cbb_JmApU.itemIndex, 1);
    EXPECT_EQ(window.cbb_deqcheck.itemIndex, 1);
    EXPECT_EQ(layerCell(col::socketLength), "6.00");

    // The short side of a rectangle is the measure of its "b" depths.
    window.click("cbt_YouHua");
    narrowSweep(window, {{0, "3", "3", "1"}, {3, "800", "800", "500"}, {4, "1200", "1200", "500"}});
    window.click("cbt_YHfanhui");
    window.chooseItem("cbb_jmlx", 0);
    window.click("cbt_YouHua");
    window.doubleClick("Grid2_Youhuajieguo", 0);
    EXPECT_EQ(window.cbe_dd.text, "1200");
    EXPECT_EQ(window.cbe_tyzd.text, "800");
    EXPECT_EQ(layerCell(col::socketLength), "1.60");
}

} // namespace
} // namespace qianyan

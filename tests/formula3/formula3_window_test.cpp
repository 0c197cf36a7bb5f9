#include "formula3/formula3_window.h"
#include "framework/number_text.h"
#include "support/window_fixture.h"
#include "support/window_steps.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <functional>

namespace qianyan {
namespace {

using testing::choosePrecision;
using testing::expectShown;

namespace col = layer_column;
using ::testing::ElementsAre;
using Formula3WindowTest = testing::WindowFixture<TVOR_FRM_KELD3>;

std::vector<int> shownColumns(const TVOR_FRM_KELD3& w) {
    std::vector<int> shown;
    for (std::size_t c = 0; c < w.StringGrid_KELD3.columns.size(); ++c)
        if (w.StringGrid_KELD3.columns[c].visible) shown.push_back(static_cast<int>(c));
    return shown;
}

std::string layerCell(const TVOR_FRM_KELD3& w, std::size_t row, std::size_t column) {
    return std::string(w.StringGrid_KELD3.rows.cell(row, column));
}

// Typed layers: lr and frk of each, from the top.
void setLayers(TVOR_FRM_KELD3& w, std::initializer_list<std::pair<const char*, const char*>> layers) {
    w.chooseItem("cbb_yanchengshu", static_cast<int>(layers.size()) - 1);
    int row = 0;
    for (const auto& [lr, frk] : layers) {
        w.editCell("StringGrid_KELD3", row, static_cast<int>(col::socketLength), lr);
        w.editCell("StringGrid_KELD3", row++, static_cast<int>(col::rockStrength), frk);
    }
}

TEST_F(Formula3WindowTest, StartsWithTheGivenControls) {
    EXPECT_EQ(window.windowName(), "TVOR_FRM_KELD3");
    EXPECT_EQ(window.lb_cxm.text, "嵌岩桩承载力计算");
    EXPECT_EQ(window.workbench.lb_youhuabiaoti.text, "嵌岩桩优化设计");
    EXPECT_EQ(window.lb_jisuanjieguo.text, "计算结果");
    EXPECT_EQ(window.tcb_meoFontSize.value, 14);
    EXPECT_NE(window.workbenchAdapter(), nullptr);
    expectShown(window, {{"cbb_jmlx", "圆桩", argb::black},
                         {"cbe_dd", "1000", argb::black},
                         {"cbe_tyzd", "0", argb::black},
                         {"cbb_deqcheck", "A-面积相等折算", argb::black},
                         {"cbb_JmApU", "按基桩原始截面尺寸计算", argb::black},
                         {"cbb_hnt", "C30", argb::black},
                         {"cbb_czgy", "泥浆护壁成桩", argb::black},
                         {"cbb_yanchengshu", "1", argb::black},
                         {"cbb_chezhuxishu", "程序自动插值", argb::black},
                         {"cbb_qiangduzhi", "最下层(桩端)岩石强度", argb::black},
                         {"cbb_qiangduquzhi_daxjs", "各层岩石自身强度", argb::black},
                         {"cbb_qianyanshengdu", "各岩层嵌岩长度总和", argb::black},
                         {"cbb_qianyanshengdu_daxjs", "最下层(桩端)岩石", argb::black},
                         {"ckb_chaoguifan", "侧阻力计算采用的嵌岩深度突破规范限值", argb::red},
                         {"cbe_duanzhuzhejian", "0.00", argb::red},
                         {"cbt_kuozhanbiaoge", "展开", argb::black},
                         {"edt_ddeq", "", argb::red},
                         {"edt_RaZW", "", argb::blue},
                         {"edt_Rc", "", argb::green},
                         {"lb_RaZW1", "规范综合系数法确定的承载力(kN)", argb::blue},
                         {"lb_guifan1", "《建筑桩基技术规范》(JGJ94-2008)", argb::black}});
    for (const char* name :
         {"cbe_tyzd", "lb_tyzd", "cbb_deqcheck", "cbb_JmApU", "cbb_qiangduzhi", "cbb_qiangduquzhi_daxjs",
          "cbb_qianyanshengdu", "cbb_qianyanshengdu_daxjs", "ckb_duanzhuzhejian", "cbe_duanzhuzhejian"})
        EXPECT_FALSE(window.find(name)->enabled) << name;
    EXPECT_FALSE(window.edt_Quk.visible);
    EXPECT_FALSE(window.edt_kersair.visible);
    EXPECT_THAT(window.cbe_duanzhuzhejian.items.back(), "1.00");
    EXPECT_THAT(window.StringGrid_KELD3.rows.row(0),
                ElementsAre("1", "1.00", "25.00", "0.0100", "0.5000", "", "", "", "", "", "", "", "", "", "",
                            "", "", "", "", "", ""));
    EXPECT_THAT(shownColumns(window), ElementsAre(0, 1, 2));
}

TEST_F(Formula3WindowTest, TheInitialDesign) {
    window.click("cbt_compute");
    expectShown(window, {{"edt_ddeq", "1000", argb::green},
                         {"edt_Quk", "16821", argb::green},
                         {"edt_ra", "8410", argb::green},
                         {"edt_percent", "75%", argb::green},
                         {"edt_RaZW", "8410", argb::blue},
                         {"edt_Rc", "7862", argb::green},
                         {"edt_kersair", "0.8567", argb::red},
                         {"lb_shuoming", "", argb::red}});
    EXPECT_EQ(layerCell(window, 0, col::shareText), "24.90%");
    EXPECT_EQ(window.sheet().designCount(), 1);
    EXPECT_TRUE(window.cbt_View.visible);
    EXPECT_FALSE(window.cbt_compute.visible);
    EXPECT_TRUE(window.cbt_Save.enabled);
}

struct DesignCase {
    const char* what;
    std::function<void(TVOR_FRM_KELD3&)> set;
    const char *qrk, *ra, *percent, *raZW;
    std::uint32_t color;
};

TEST_F(Formula3WindowTest, DesignsInTwoDecimals) {
    const auto soft9 = [](TVOR_FRM_KELD3& w) { setLayers(w, {{"9", "10"}}); };
    const auto beyond = [soft9](TVOR_FRM_KELD3& w, const char* eta) {
        soft9(w);
        w.setChecked("ckb_chaoguifan", true);
        w.setChecked("ckb_duanzhuzhejian", true);
        w.typeText("cbe_duanzhuzhejian", eta);
    };
    const DesignCase cases[] = {
        {"initial", [](TVOR_FRM_KELD3&) {}, "16820.61", "8410.31", "75.10%", "8410.31", argb::green},
        {"9 m of soft rock limited to 8 m", soft9, "13351.77", "6675.88", "24.71%", "6675.88", argb::green},
        {"the full 9 m beyond the code, ζp halved", [beyond](TVOR_FRM_KELD3& w) { beyond(w, "0.50"); },
         "12959.07", "6479.53", "12.73%", "6675.88", argb::red},
        {"beyond the code without the end", [beyond](TVOR_FRM_KELD3& w) { beyond(w, "0.00"); }, "11309.73",
         "5654.87", "0.00%", "6675.88", argb::red},
        {"three equal layers of 3 m",
         [](TVOR_FRM_KELD3& w) {
             setLayers(w, {{"3", "10"}, {"3", "10"}, {"3", "10"}});
         },
         "13351.77", "6675.88", "24.71%", "6675.88", argb::green},
    };
    for (const DesignCase& c : cases) {
        SCOPED_TRACE(c.what);
        TVOR_FRM_KELD3 w(platform);
        w.popbox_jingdu.itemIndex = static_cast<int>(PrecisionMode::TwoDecimals);
        c.set(w);
        w.click("cbt_compute");
        expectShown(w, {{"edt_Quk", c.qrk, c.color},
                        {"edt_ra", c.ra, c.color},
                        {"edt_percent", c.percent, c.color},
                        {"edt_RaZW", c.raZW, argb::blue}});
        EXPECT_EQ(w.sheet().designCount(), 1);
    }
}

TEST_F(Formula3WindowTest, ThreeLayersShareTheLimitedLengthFromEitherEnd) {
    const struct {
        int start;
        std::vector<std::string> lengths, resistances;
    } cases[] = {
        {0, {"2", "3", "3"}, {"2513.27", "3769.91", "3769.91"}},
        {1, {"3", "3", "2"}, {"3769.91", "3769.91", "2513.27"}},
    };
    for (const auto& c : cases) {
        TVOR_FRM_KELD3 w(platform);
        setLayers(w, {{"3", "10"}, {"3", "10"}, {"3", "10"}});
        w.chooseItem("cbb_qianyanshengdu_daxjs", c.start);
        w.click("cbt_compute");
        for (std::size_t row = 0; row < 3; ++row) {
            EXPECT_EQ(layerCell(w, row, col::sideLength), c.lengths[row]);
            EXPECT_EQ(fixed(cellNumber(w.StringGrid_KELD3.rows, row, col::sideResistance), 9, 2),
                      c.resistances[row]);
        }
        EXPECT_EQ(layerCell(w, 0, col::totalResistance), "");
        EXPECT_EQ(fixed(cellNumber(w.StringGrid_KELD3.rows, 2, col::totalResistance), 9, 2), "13351.77");
        EXPECT_EQ(w.edt_ra.text, "6676");
        EXPECT_EQ(w.edt_ra.color, argb::green);
    }
}

TEST_F(Formula3WindowTest, SideResistancesUseTheLengthsTheLaterLayersLimited) {
    setLayers(window, {{"5", "10"}, {"5", "40"}});
    window.chooseItem("cbb_qianyanshengdu", 1);
    window.chooseItem("cbb_qiangduzhi", 2);
    window.click("cbt_compute");
    EXPECT_EQ(layerCell(window, 0, col::sideLength), "0");
    EXPECT_EQ(layerCell(window, 0, col::sideResistance), "0");
    EXPECT_EQ(layerCell(window, 1, col::sideLength), "4");
}

TEST_F(Formula3WindowTest, TheVerdictAndItsColours) {
    const struct {
        const char* what;
        std::function<void(TVOR_FRM_KELD3&)> set;
        std::uint32_t color;
        const char* verdictLine;
    } cases[] = {
        {"equal layers, total length",
         [](TVOR_FRM_KELD3& w) {
             setLayers(w, {{"1", "25"}, {"1", "25"}});
         },
         argb::green, "合规"},
        {"equal layers, own length",
         [](TVOR_FRM_KELD3& w) {
             setLayers(w, {{"1", "25"}, {"1", "25"}});
             w.chooseItem("cbb_qianyanshengdu", 1);
         },
         argb::red, "超规"},
        {"the larger, none typed taken", [](TVOR_FRM_KELD3& w) { w.chooseItem("cbb_chezhuxishu", 2); },
         argb::green, "合规"},
        {"the larger, a typed one taken",
         [](TVOR_FRM_KELD3& w) {
             w.chooseItem("cbb_chezhuxishu", 2);
             w.editCell("StringGrid_KELD3", 0, static_cast<int>(col::typedEnd), "0.9");
         },
         argb::magenta, "超规"},
        {"typed coefficients", [](TVOR_FRM_KELD3& w) { w.chooseItem("cbb_chezhuxishu", 0); }, argb::magenta,
         "超规"},
        {"an obround", [](TVOR_FRM_KELD3& w) { w.chooseItem("cbb_jmlx", 1); }, argb::red, "超规"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TVOR_FRM_KELD3 w(platform);
        c.set(w);
        w.click("cbt_compute");
        for (const char* name : {"edt_Quk", "edt_ra", "edt_percent"})
            EXPECT_EQ(w.find(name)->color, c.color) << name;
        EXPECT_THAT(
            w.sheet().doc(),
            ::testing::Contains(std::string("      竖向承载力特征值计算结果判定:      ") + c.verdictLine));
    }
}

TEST_F(Formula3WindowTest, ANonCircularSectionIsDrawnRed) {
    window.chooseItem("cbb_jmlx", 2);
    window.typeText("cbe_dd", "800");
    window.typeText("cbe_tyzd", "1200");
    window.click("cbt_compute");
    // Entered short side first: written back ordered.
    EXPECT_EQ(window.cbe_dd.text, "1200");
    EXPECT_EQ(window.cbe_tyzd.text, "800");
    expectShown(window,
                {{"edt_ddeq", "1106", argb::red}, {"edt_RaZW", window.edt_RaZW.text.c_str(), argb::red}});
    for (const char* name : {"edt_Quk", "edt_ra", "edt_percent"})
        EXPECT_EQ(window.find(name)->color, argb::red);
    EXPECT_EQ(window.edt_Rc.color, argb::green);
}

TEST_F(Formula3WindowTest, TheShareFieldIsCutInTheCoarseModes) {
    // Pp = 75.10 %, Ra = 8410.31.
    const struct {
        PrecisionMode mode;
        const char *percent, *ra;
    } cases[] = {{PrecisionMode::OneDecimal, "75.1%", "8410.3"},
                 {PrecisionMode::Units, "75%", "8410"},
                 {PrecisionMode::Tens, "75%", "8410"},
                 {PrecisionMode::Hundreds, "75%", "8400"}};
    for (const auto& c : cases) {
        choosePrecision(window, c.mode);
        EXPECT_EQ(window.edt_percent.text, c.percent);
        EXPECT_EQ(window.edt_ra.text, c.ra);
    }
    setLayers(window, {{"1", "10"}}); // Pp 76.84 %
    window.click("cbt_compute");
    EXPECT_EQ(window.edt_percent.text, "76%");
}

TEST_F(Formula3WindowTest, NoResistanceAtAllLeavesTheSharesWithoutValue) {
    window.chooseItem("cbb_chezhuxishu", 0);
    window.editCell("StringGrid_KELD3", 0, static_cast<int>(col::typedSide), "0");
    window.editCell("StringGrid_KELD3", 0, static_cast<int>(col::typedEnd), "0");
    window.click("cbt_compute");
    EXPECT_EQ(window.edt_ra.text, "0");
    EXPECT_EQ(window.edt_percent.text, "-");
    EXPECT_EQ(layerCell(window, 0, col::shareText), "-");
    EXPECT_EQ(layerCell(window, 0, col::shareBar), "");
    EXPECT_THAT(window.sheet().doc(), ::testing::Contains("      嵌岩段总极限端阻力占百分比:          -"));
}

TEST_F(Formula3WindowTest, TheEndReductionMustLieBetweenZeroAndOne) {
    window.setChecked("ckb_chaoguifan", true);
    window.setChecked("ckb_duanzhuzhejian", true);
    const struct {
        const char *text, *message;
    } cases[] = {{"3", "端阻折减系数有错"},
                 {"-0.1", "端阻折减系数有错"},
                 {"abc", "端阻折减系数有错"},
                 {"", "端阻折减系数有错"},
                 {"1", "超规选项，谨慎抉择，结果仅供研究"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        window.typeText("cbe_duanzhuzhejian", c.text);
        EXPECT_EQ(window.lb_shuoming.text, c.message);
        EXPECT_EQ(window.cbe_duanzhuzhejian.color, argb::red);
        window.click("cbt_compute");
        EXPECT_EQ(window.lb_shuoming.text, c.message == std::string("端阻折减系数有错") ? c.message : "");
    }
    EXPECT_EQ(window.sheet().designCount(), 1);
    EXPECT_TRUE(platform.dialogs.empty());
}

TEST_F(Formula3WindowTest, AFailedLayerCheckStopsWithoutMarkingAnInput) {
    window.chooseItem("cbb_yanchengshu", 1);
    window.click("cbt_compute");
    EXPECT_EQ(window.lb_shuoming.text, "第2层岩石单轴抗压强度值错");
    EXPECT_EQ(window.lb_shuoming.color, argb::red);
    EXPECT_TRUE(window.lb_shuoming.visible);
    EXPECT_FALSE(window.img_Logo.visible);
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "");
    EXPECT_EQ(layerCell(window, 1, col::socketLength), "0.00");
    EXPECT_EQ(window.sheet().designCount(), 0);
    EXPECT_EQ(window.edt_ra.text, "");
}

TEST_F(Formula3WindowTest, AFailedSectionCheckFollowsTheErrorConvention) {
    const struct {
        int type;
        const char *input, *text, *message;
    } cases[] = {{0, "cbe_dd", "1,500", "桩身直径数据有错"},
                 {1, "cbe_tyzd", "0", "椭圆直段长度数据有错"},
                 {2, "cbe_dd", "abc", "矩形长边尺寸数据有错"},
                 {2, "cbe_tyzd", "-5", "矩形短边尺寸数据有错"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.input) + " " + c.text);
        TVOR_FRM_KELD3 w(platform);
        w.chooseItem("cbb_jmlx", c.type);
        w.typeText(c.input, c.text);
        w.click("cbt_compute");
        EXPECT_EQ(w.lb_shuoming.text, c.message);
        EXPECT_EQ(w.find(c.input)->color, argb::red);
        EXPECT_EQ(w.workbench.lb_YHxingxi.text, "运行中止，主界面可查看中止位置、原因");
        EXPECT_EQ(w.sheet().designCount(), 0);
    }
    window.typeText("cbe_dd", "1200  "); // trailing blanks are no fault
    window.click("cbt_compute");
    EXPECT_EQ(window.edt_ddeq.text, "1200");
}

TEST_F(Formula3WindowTest, EachChangeEmptiesItsOutputsAndBringsBackCompute) {
    const std::vector<std::string> all{"edt_ddeq", "edt_Quk", "edt_ra", "edt_Rc", "edt_percent", "edt_RaZW"};
    const std::vector<std::string> capacity{"edt_Quk", "edt_ra", "edt_percent", "edt_RaZW"};
    const std::vector<std::string> section{"edt_ddeq", "edt_Quk", "edt_ra", "edt_percent", "edt_RaZW"};
    const struct {
        const char* what;
        std::function<void(TVOR_FRM_KELD3&)> change;
        std::vector<std::string> emptied;
    } cases[] = {
        {"cbb_jmlx", [](TVOR_FRM_KELD3& w) { w.chooseItem("cbb_jmlx", 1); }, all},
        {"cbe_dd", [](TVOR_FRM_KELD3& w) { w.typeText("cbe_dd", "1100"); }, all},
        {"cbb_hnt", [](TVOR_FRM_KELD3& w) { w.chooseItem("cbb_hnt", 3); }, {"edt_Rc"}},
        {"cbb_czgy",
         [](TVOR_FRM_KELD3& w) { w.chooseItem("cbb_czgy", 2); },
         {"edt_Quk", "edt_ra", "edt_Rc", "edt_percent", "edt_RaZW"}},
        {"cbb_yanchengshu", [](TVOR_FRM_KELD3& w) { w.chooseItem("cbb_yanchengshu", 2); }, capacity},
        {"cbb_chezhuxishu", [](TVOR_FRM_KELD3& w) { w.chooseItem("cbb_chezhuxishu", 3); }, capacity},
        {"ckb_chaoguifan", [](TVOR_FRM_KELD3& w) { w.setChecked("ckb_chaoguifan", true); }, capacity},
        {"layer cell", [](TVOR_FRM_KELD3& w) { w.editCell("StringGrid_KELD3", 0, 1, "2"); }, capacity},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TVOR_FRM_KELD3 w(platform);
        w.click("cbt_compute");
        c.change(w);
        for (const std::string& name : all) {
            const bool emptied = std::find(c.emptied.begin(), c.emptied.end(), name) != c.emptied.end();
            EXPECT_EQ(w.find(name)->text.empty(), emptied) << name;
        }
        EXPECT_TRUE(w.cbt_compute.visible);
        EXPECT_TRUE(w.cbt_compute.enabled);
        EXPECT_FALSE(w.cbt_View.visible);
    }
    // The section's own lists keep Rc.
    TVOR_FRM_KELD3 w(platform);
    w.chooseItem("cbb_jmlx", 1);
    w.click("cbt_compute");
    w.chooseItem("cbb_deqcheck", 3);
    for (const std::string& name : all)
        EXPECT_EQ(w.find(name)->text.empty(),
                  std::find(section.begin(), section.end(), name) != section.end())
            << name;
}

TEST_F(Formula3WindowTest, TheSectionTypeSetsLabelsItemsAndWarnings) {
    const struct {
        int type;
        const char *first, *second, *secondText, *status;
        std::uint32_t statusColor;
        bool enabled;
        const char *firstItem, *lastItem;
    } cases[] = {
        {1, "桩  身   直   径    d (mm)", "椭圆直段长度    c (mm)", "500", "规范不支持椭圆桩，结果仅供研究",
         argb::red, true, "100", "1200"},
        {2, "矩形长边尺寸    a (mm)", "矩形短边尺寸    b (mm)", "1000", "规范不支持矩形桩，结果仅供研究",
         argb::red, true, "1000", "2000"},
        {0, "桩  身   直   径    d (mm)", "椭圆直段长度    c (mm)", "0", "", argb::black, false, "100",
         "1200"},
    };
    window.typeText("cbe_dd", "1500");
    window.chooseItem("cbb_deqcheck", 0); // still disabled for the circle
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        if (c.type == 0) {
            window.chooseItem("cbb_JmApU", 1);
            window.chooseItem("cbb_deqcheck", 5);
        }
        window.chooseItem("cbb_jmlx", c.type);
        EXPECT_EQ(window.lb_dd.text, c.first);
        EXPECT_EQ(window.lb_tyzd.text, c.second);
        EXPECT_EQ(window.cbe_tyzd.text, c.secondText);
        EXPECT_EQ(window.cbe_tyzd.items.front(), c.firstItem);
        EXPECT_EQ(window.cbe_tyzd.items.back(), c.lastItem);
        EXPECT_EQ(window.cbe_dd.text, "1500");
        EXPECT_EQ(window.lb_shuoming.text, c.status);
        EXPECT_EQ(window.lb_shuoming.color, c.statusColor);
        EXPECT_FALSE(window.img_Logo.visible);
        for (const char* name : {"cbe_tyzd", "lb_tyzd", "cbb_deqcheck", "cbb_JmApU"})
            EXPECT_EQ(window.find(name)->enabled, c.enabled) << name;
        for (const char* name : {"lb_jmlx", "lb_deqcheck", "lb_jmApU"})
            EXPECT_EQ(window.find(name)->color, c.enabled ? argb::red : argb::black) << name;
    }
    // Back at the circle the area mode is reset, the algorithm kept.
    EXPECT_EQ(window.cbb_JmApU.itemIndex, 0);
    EXPECT_EQ(window.cbb_deqcheck.itemIndex, 5);
}

TEST_F(Formula3WindowTest, DimensionChangesMarkButStopNothing) {
    window.typeText("cbe_dd", "12x");
    expectShown(window, {{"cbe_dd", "12x", argb::red}, {"lb_shuoming", "桩身直径数据有错", argb::red}});
    window.typeText("cbe_dd", "1000");
    expectShown(window, {{"cbe_dd", "1000", argb::black}, {"lb_shuoming", "", argb::red}});
    window.chooseItem("cbb_jmlx", 1);
    window.typeText("cbe_tyzd", "0"); // accepted here, refused by the compute
    EXPECT_EQ(window.cbe_tyzd.color, argb::black);
    window.typeText("cbe_tyzd", "-1");
    expectShown(window, {{"cbe_tyzd", "-1", argb::red}, {"lb_shuoming", "椭圆直段长度数据有错", argb::red}});
    window.chooseItem("cbb_deqcheck", 2);
    expectShown(window, {{"lb_deqcheck", "等效直径算法", argb::red},
                         {"lb_shuoming", "超规选项，谨慎抉择，结果仅供研究", argb::red}});
    window.chooseItem("cbb_JmApU", 1);
    EXPECT_EQ(window.lb_jmApU.color, argb::red);
    window.chooseItem("cbb_JmApU", 0);
    expectShown(window, {{"lb_jmApU", "截面面积周长", argb::black}, {"lb_shuoming", "", argb::black}});
}

TEST_F(Formula3WindowTest, TheLayerCountSizesTheTableAndTheRuleLists) {
    window.editCell("StringGrid_KELD3", 0, 1, "2.50");
    window.chooseItem("cbb_yanchengshu", 2);
    ASSERT_EQ(window.StringGrid_KELD3.rows.rowCount(), 3u);
    EXPECT_THAT(window.StringGrid_KELD3.rows.row(2), ::testing::Each(::testing::AnyOf("", "3")));
    EXPECT_EQ(layerCell(window, 0, col::socketLength), "2.50");
    expectShown(window,
                {{"lb_yanchengshu", "基桩嵌岩段岩层数", argb::red},
                 {"lb_shuoming", "提示：规范不支持多层基岩嵌岩桩计算，计算结果仅供研究", argb::magenta}});
    for (const char* name :
         {"cbb_qiangduzhi", "cbb_qiangduquzhi_daxjs", "cbb_qianyanshengdu", "cbb_qianyanshengdu_daxjs"})
        EXPECT_TRUE(window.find(name)->enabled) << name;
    window.chooseItem("cbb_qiangduzhi", 4);
    EXPECT_EQ(window.lb_shuoming.text,
              "提示：规范未明确支持多层不同强度基岩嵌岩桩深径比计算，计算结果仅供研究");
    window.chooseItem("cbb_qiangduquzhi_daxjs", 4);
    EXPECT_EQ(window.lb_shuoming.text,
              "提示：规范未明确支持多层不同强度基岩嵌岩桩阻力计算，计算结果仅供研究");

    // Rows removed lose their texts; added back they start empty.
    window.editCell("StringGrid_KELD3", 2, 2, "40");
    window.chooseItem("cbb_yanchengshu", 0);
    window.chooseItem("cbb_yanchengshu", 2);
    EXPECT_EQ(layerCell(window, 2, col::rockStrength), "");
    window.chooseItem("cbb_yanchengshu", 0);
    expectShown(window,
                {{"lb_yanchengshu", "基桩嵌岩段岩层数", argb::black}, {"lb_shuoming", "", argb::black}});
    EXPECT_FALSE(window.cbb_qiangduzhi.enabled);
}

TEST_F(Formula3WindowTest, TheCoefficientSourceShowsColumnsAndEnablesTheRules) {
    const struct {
        int item;
        std::vector<int> collapsed, expanded;
        bool rulesEnabled;
        std::uint32_t labelColor;
        const char* status;
    } cases[] = {
        {0,
         {0, 1, 2, 3, 4},
         {0, 1, 2, 3, 4, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20},
         false,
         argb::magenta,
         "提示：指定的系数需自行确定其合理性"},
        {1,
         {0, 1, 2},
         {0, 1, 2, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20},
         true,
         argb::black,
         ""},
        {3,
         {0, 1, 2, 3, 4},
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20},
         true,
         argb::magenta,
         "提示：指定的系数需自行确定其合理性"},
    };
    window.setChecked("ckb_chaoguifan", true);
    window.setChecked("ckb_duanzhuzhejian", true);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        TVOR_FRM_KELD3 w(platform);
        w.chooseItem("cbb_chezhuxishu", 2);
        w.chooseItem("cbb_chezhuxishu", c.item);
        EXPECT_EQ(shownColumns(w), c.collapsed);
        w.click("cbt_kuozhanbiaoge");
        EXPECT_EQ(w.cbt_kuozhanbiaoge.text, "折叠");
        EXPECT_EQ(shownColumns(w), c.expanded);
        w.click("cbt_kuozhanbiaoge");
        EXPECT_EQ(w.cbt_kuozhanbiaoge.text, "展开");
        EXPECT_EQ(shownColumns(w), c.collapsed);
        for (const char* name :
             {"cbb_qiangduzhi", "cbb_qianyanshengdu", "cbb_qianyanshengdu_daxjs", "ckb_chaoguifan"})
            EXPECT_EQ(w.find(name)->enabled, c.rulesEnabled) << name;
        EXPECT_EQ(w.lb_chezhuxishu.color, c.labelColor);
        EXPECT_EQ(w.lb_shuoming.text, c.status);
    }
    // Typed coefficients take back the beyond-code option with its reduction.
    window.chooseItem("cbb_chezhuxishu", 0);
    EXPECT_FALSE(window.ckb_chaoguifan.checked);
    EXPECT_FALSE(window.ckb_duanzhuzhejian.checked);
    EXPECT_FALSE(window.ckb_duanzhuzhejian.enabled);
    EXPECT_FALSE(window.cbe_duanzhuzhejian.enabled);
}

TEST_F(Formula3WindowTest, TheBeyondCodeBoxesEnableTheReduction) {
    window.setChecked("ckb_chaoguifan", true);
    EXPECT_EQ(window.lb_shuoming.text, "超规选项，谨慎抉择，结果仅供研究");
    EXPECT_TRUE(window.ckb_duanzhuzhejian.enabled);
    EXPECT_FALSE(window.cbe_duanzhuzhejian.enabled);
    window.setChecked("ckb_duanzhuzhejian", true);
    EXPECT_TRUE(window.cbe_duanzhuzhejian.enabled);
    window.setChecked("ckb_chaoguifan", false);
    expectShown(window, {{"lb_shuoming", "", argb::black}});
    EXPECT_FALSE(window.ckb_duanzhuzhejian.checked);
    EXPECT_FALSE(window.ckb_duanzhuzhejian.enabled);
    EXPECT_FALSE(window.cbe_duanzhuzhejian.enabled);
}

TEST_F(Formula3WindowTest, OnlyTheShownTypedColumnsCanBeEdited) {
    EXPECT_EQ(window.editCell("StringGrid_KELD3", 0, 0, "7"), Outcome::NotApplicable);
    EXPECT_EQ(window.editCell("StringGrid_KELD3", 0, 5, "7"), Outcome::NotApplicable);
    EXPECT_EQ(window.editCell("StringGrid_KELD3", 1, 1, "7"), Outcome::NotApplicable);
    EXPECT_EQ(window.editCell("StringGrid_KELD3", 0, 3, "7"),
              Outcome::NotApplicable); // hidden while interpolated
    EXPECT_EQ(window.editCell("edt_ra", 0, 1, "7"), Outcome::NotApplicable);
    EXPECT_EQ(window.editCell("StringGrid_KELD3", 0, 2, "30"), Outcome::Done);
    EXPECT_EQ(layerCell(window, 0, col::rockStrength), "30");
    EXPECT_FALSE(window.StringGrid_KELD3.readOnly);
    window.StringGrid_KELD3SelectCell(0, 7);
    EXPECT_TRUE(window.StringGrid_KELD3.readOnly);
}

TEST_F(Formula3WindowTest, LineBreaksAndControlCharactersNeverReachAFieldOrTheSheets) {
    window.typeText("cbe_dd", "12\n00\t");
    EXPECT_EQ(window.cbe_dd.text, "12 00")
        << "a line break inside is a blank, never a silently joined number";
    window.typeText("cbe_dd", "1200\r\n");
    EXPECT_EQ(window.cbe_dd.text, "1200");
    window.editCell("StringGrid_KELD3", 0, 1, "1.5\r\n");
    EXPECT_EQ(layerCell(window, 0, col::socketLength), "1.5");
    window.click("cbt_compute");
    for (const auto* lines : {&window.sheet().doc(), &window.sheet().xls()})
        for (const std::string& line : *lines)
            EXPECT_TRUE(std::none_of(line.begin(), line.end(), [](char ch) { return ch >= 0 && ch < 0x20; }))
                << line;
}

TEST_F(Formula3WindowTest, HugeAndNonNumericTextsNeverReachAFieldOrSheet) {
    const std::vector<std::string> texts{
        "1e400",  "nan",      "inf",  std::string(1000, '9'), std::string(10000, 'x'), "1e200", "-",
        "1e-300", "4.9e-324", "1e308"};
    const std::vector<std::function<void(TVOR_FRM_KELD3&, const std::string&)>> inputs{
        [](TVOR_FRM_KELD3& w, const std::string& t) { w.typeText("cbe_dd", t); },
        [](TVOR_FRM_KELD3& w, const std::string& t) {
            w.chooseItem("cbb_jmlx", 1);
            w.typeText("cbe_tyzd", t);
        },
        [](TVOR_FRM_KELD3& w, const std::string& t) { w.editCell("StringGrid_KELD3", 0, 1, t); },
        [](TVOR_FRM_KELD3& w, const std::string& t) { w.editCell("StringGrid_KELD3", 0, 2, t); },
    };
    for (const std::string& text : texts) {
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            SCOPED_TRACE(std::to_string(i) + " " + text.substr(0, 20));
            TVOR_FRM_KELD3 w(platform);
            inputs[i](w, text);
            w.click("cbt_compute");
            std::vector<std::string> shown;
            for (const DeclaredControl& c : w.declaration().all()) shown.push_back(c.control->text);
            for (std::size_t row = 0; row < w.StringGrid_KELD3.rows.rowCount(); ++row) {
                const std::vector<std::string> cells = w.StringGrid_KELD3.rows.row(row);
                shown.insert(shown.end(), cells.begin(), cells.end());
            }
            shown.insert(shown.end(), w.sheet().doc().begin(), w.sheet().doc().end());
            shown.insert(shown.end(), w.sheet().xls().begin(), w.sheet().xls().end());
            for (std::string line : shown) {
                std::transform(line.begin(), line.end(), line.begin(), ::tolower);
                if (line == text) continue; // the input itself
                EXPECT_EQ(line.find("nan"), std::string::npos) << line.substr(0, 60);
                EXPECT_EQ(line.find("inf"), std::string::npos) << line.substr(0, 60);
            }
        }
    }
}

} // namespace
} // namespace qianyan

#include "formula2/formula2_window.h"
#include "support/window_fixture.h"
#include "support/window_steps.h"

#include <gmock/gmock.h>

namespace qianyan {
namespace {

using testing::choosePrecision;
using testing::expectShown;

using Formula2WindowTest = testing::WindowFixture<TVOR_FRM_KELD2>;

TEST_F(Formula2WindowTest, StartsWithTheGivenInputsAndEmptyOutputs) {
    EXPECT_EQ(window.windowName(), "TVOR_FRM_KELD2");
    EXPECT_EQ(window.lb_cxm.text, "嵌岩桩承载力计算");
    EXPECT_EQ(window.workbench.lb_youhuabiaoti.text, "嵌岩桩优化设计");
    EXPECT_EQ(window.lb_jisuanjieguo.text, "计算结果");
    EXPECT_THAT(window.cbb_chezhuxishu.items,
                ::testing::ElementsAre("综合与端阻系数差换算", "规范附录表格侧阻系数"));
    expectShown(window, {{"cbe_dd", "1000", argb::black},
                         {"cbe_hr", "1.0d", argb::black},
                         {"edt_frk", "25", argb::black},
                         {"cbe_hnt", "C30", argb::black},
                         {"cbb_czgy", "泥浆护壁成桩", argb::black},
                         {"cbb_chezhuxishu", "综合与端阻系数差换算", argb::black},
                         {"edt_ra", "", argb::green},
                         {"edt_raZW", "", argb::blue},
                         {"lb_Qrs", "侧阻力Qrs(kN)", argb::black},
                         {"lb_Qrp", "端阻力Qrp(kN)", argb::black},
                         {"lb_raZW", "规范综合系数法承载力(kN)", argb::black},
                         {"popbox_jingdu", "个位取整", argb::black}});
    EXPECT_TRUE(window.img_Logo.visible);
    EXPECT_FALSE(window.lb_shuoming.visible);
}

TEST_F(Formula2WindowTest, TheInitialDesign) {
    window.click("cbt_compute");
    expectShown(window, {{"edt_kesais", "0.0533", argb::green},
                         {"edt_kesaip", "0.6433", argb::green},
                         {"edt_Qrs", "4189", argb::green},
                         {"edt_Qrp", "12632", argb::green},
                         {"edt_Qrk", "16821", argb::green},
                         {"edt_ra", "8410", argb::green},
                         {"edt_raZW", "8410", argb::blue},
                         {"edt_rc", "7862", argb::green},
                         {"lb_Qrs", "侧阻力Qrs(kN)[25%]", argb::black},
                         {"lb_Qrp", "端阻力Qrp(kN)[75%]", argb::black},
                         {"lb_shuoming", "较软岩", argb::black}});
    EXPECT_EQ(window.sheet().designCount(), 1);
    EXPECT_TRUE(window.cbt_View.visible);
    EXPECT_FALSE(window.cbt_compute.visible);
    EXPECT_TRUE(window.cbt_Save.enabled);
    EXPECT_TRUE(window.cbt_sanchu.enabled);
}

struct ModeCase {
    PrecisionMode mode;
    const char *qrs, *ra, *raZW, *rc, *sideLabel, *endLabel;
};

TEST_F(Formula2WindowTest, AmountsAndSharesFollowThePrecisionMode) {
    // d 1000, hr 1000, frk 10, table side coefficient: Ra 3746.35, Ra by ζr 3730.64, shares 23.48 / 76.52.
    window.typeText("cbe_hr", "1000");
    window.typeText("edt_frk", "10");
    window.chooseItem("cbb_chezhuxishu", 1);
    const ModeCase cases[] = {
        {PrecisionMode::TwoDecimals, "1759.29", "3746.35", "3730.64", "7861.84", "侧阻力Qrs(kN)[23.48%]",
         "端阻力Qrp(kN)[76.52%]"},
        {PrecisionMode::OneDecimal, "1759.3", "3746.3", "3730.6", "7861.8", "侧阻力Qrs(kN)[23.5%]",
         "端阻力Qrp(kN)[76.5%]"},
        {PrecisionMode::Units, "1759", "3746", "3731", "7862", "侧阻力Qrs(kN)[23%]", "端阻力Qrp(kN)[77%]"},
        {PrecisionMode::Tens, "1750", "3740", "3730", "7860", "侧阻力Qrs(kN)[23%]", "端阻力Qrp(kN)[77%]"},
        {PrecisionMode::Hundreds, "1700", "3700", "3700", "7800", "侧阻力Qrs(kN)[23%]", "端阻力Qrp(kN)[77%]"},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        choosePrecision(window, c.mode);
        expectShown(window, {{"edt_kesais", "0.0560", argb::green},
                             {"edt_kesaip", "0.7300", argb::green},
                             {"edt_Qrs", c.qrs, argb::green},
                             {"edt_ra", c.ra, argb::green},
                             {"edt_raZW", c.raZW, argb::blue},
                             {"edt_rc", c.rc, argb::green},
                             {"lb_Qrs", c.sideLabel, argb::black},
                             {"lb_Qrp", c.endLabel, argb::black},
                             {"lb_shuoming", "软岩", argb::black}});
        EXPECT_FALSE(window.popbox_jingdu.visible);
    }
    EXPECT_EQ(window.sheet().designCount(), 5);
}

TEST_F(Formula2WindowTest, ADepthRatioPastTheBoundIsComputedAtTheBoundInMagenta) {
    const struct { const char *hr, *frk, *qrs; } cases[] = {{"9d", "10", "10053"}, {"5d", "40", "20106"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hr);
        window.typeText("cbe_hr", c.hr);
        window.typeText("edt_frk", c.frk);
        window.click("cbt_compute");
        EXPECT_EQ(window.edt_Qrs.text, c.qrs);
        for (const char* name :
             {"edt_kesais", "edt_kesaip", "edt_Qrs", "edt_Qrp", "edt_Qrk", "edt_ra", "edt_raZW"})
            EXPECT_EQ(window.find(name)->color, argb::magenta) << name;
        EXPECT_EQ(window.edt_rc.color, argb::green);
        EXPECT_EQ(window.lb_shuoming.text, "深径比超界，结果取边界值");
        EXPECT_EQ(window.lb_shuoming.color, argb::magenta);
    }
    window.typeText("cbe_hr", "2d");
    window.click("cbt_compute");
    EXPECT_EQ(window.edt_ra.color, argb::green);
    EXPECT_EQ(window.edt_raZW.color, argb::blue);
}

TEST_F(Formula2WindowTest, NoSocketLeavesAllTheResistanceToTheEnd) {
    window.typeText("cbe_hr", "0");
    window.click("cbt_compute");
    EXPECT_EQ(window.edt_kesais.text, "0.0000");
    EXPECT_EQ(window.edt_Qrs.text, "0");
    EXPECT_EQ(window.lb_Qrs.text, "侧阻力Qrs(kN)[0%]");
    EXPECT_EQ(window.lb_Qrp.text, "端阻力Qrp(kN)[100%]");
}

TEST_F(Formula2WindowTest, TheMethodChangesTheSideCoefficientOnly) {
    const struct {
        int method;
        const char *zetaS, *ra;
    } cases[] = {{0, "0.0550", "3731"}, {1, "0.0560", "3746"}};
    window.typeText("edt_frk", "10");
    for (const auto& c : cases) {
        window.chooseItem("cbb_chezhuxishu", c.method);
        window.click("cbt_compute");
        EXPECT_EQ(window.edt_kesais.text, c.zetaS);
        EXPECT_EQ(window.edt_kesaip.text, "0.7300");
        EXPECT_EQ(window.edt_ra.text, c.ra);
        EXPECT_EQ(window.edt_raZW.text, "3731");
    }
}

struct HandlerCase {
    const char* what;
    std::function<void(TVOR_FRM_KELD2&)> change;
    std::vector<std::string> emptied;
    const char *sideLabel, *endLabel;
};

TEST_F(Formula2WindowTest, EachInputChangeClearsItsOutputsAndLabels) {
    const std::vector<std::string> all{"edt_kesais", "edt_kesaip", "edt_Qrs",  "edt_Qrp",
                                       "edt_Qrk",    "edt_ra",     "edt_raZW", "edt_rc"};
    const std::vector<std::string> resistances{"edt_kesais", "edt_kesaip", "edt_Qrs", "edt_Qrp",
                                               "edt_Qrk",    "edt_ra",     "edt_raZW"};
    const char* computedSide = "侧阻力Qrs(kN)[25%]";
    const char* computedEnd = "端阻力Qrp(kN)[75%]";
    const HandlerCase cases[] = {
        {"cbe_ddChange", [](TVOR_FRM_KELD2& w) { w.typeText("cbe_dd", "1100"); }, all, "侧阻力Qrs(kN)",
         "端阻力Qrp(kN)"},
        {"cbe_hrChange", [](TVOR_FRM_KELD2& w) { w.typeText("cbe_hr", "1.5d"); }, resistances,
         "侧阻力Qrs(kN)", "端阻力Qrp(kN)"},
        {"edt_frkChange", [](TVOR_FRM_KELD2& w) { w.typeText("edt_frk", "26"); }, resistances,
         "侧阻力Qrs(kN)", "端阻力Qrp(kN)"},
        {"cbe_hntChange",
         [](TVOR_FRM_KELD2& w) { w.chooseItem("cbe_hnt", 3); },
         {"edt_rc"},
         computedSide,
         computedEnd},
        {"cbb_czgyChange", [](TVOR_FRM_KELD2& w) { w.chooseItem("cbb_czgy", 2); }, all, "侧阻力Qrs(kN)",
         "端阻力 Qrp(kN)"},
        {"cbb_chezhuxishuChange",
         [](TVOR_FRM_KELD2& w) { w.chooseItem("cbb_chezhuxishu", 1); },
         {"edt_kesais", "edt_Qrs", "edt_Qrk", "edt_ra"},
         "侧阻力Qrs(kN)",
         "端阻力 Qrp(kN)"},
    };
    for (const HandlerCase& c : cases) {
        SCOPED_TRACE(c.what);
        TVOR_FRM_KELD2 w(platform);
        w.click("cbt_compute");
        c.change(w);
        for (const std::string& name : all) {
            const bool emptied = std::find(c.emptied.begin(), c.emptied.end(), name) != c.emptied.end();
            EXPECT_EQ(w.find(name)->text.empty(), emptied) << name;
        }
        EXPECT_EQ(w.lb_Qrs.text, c.sideLabel);
        EXPECT_EQ(w.lb_Qrp.text, c.endLabel);
        EXPECT_TRUE(w.cbt_compute.visible);
        EXPECT_TRUE(w.cbt_compute.enabled);
        EXPECT_FALSE(w.cbt_View.visible);
    }
}

TEST_F(Formula2WindowTest, ChangeChecksMarkButStopNothing) {
    window.typeText("cbe_dd", "12x");
    EXPECT_EQ(window.lb_shuoming.text, "桩身直径数据有错");
    EXPECT_EQ(window.cbe_dd.color, argb::red);
    window.typeText("cbe_dd", "1000");
    EXPECT_EQ(window.lb_shuoming.text, "");
    EXPECT_EQ(window.cbe_dd.color, argb::black);
    window.typeText("edt_frk", "-1");
    EXPECT_EQ(window.lb_shuoming.text, "岩石单轴抗压强度值有错");
    EXPECT_EQ(window.edt_frk.color, argb::red);
    window.typeText("edt_frk", "0"); // accepted here, rejected by the compute
    EXPECT_EQ(window.edt_frk.color, argb::black);
    window.click("cbt_compute");
    EXPECT_EQ(window.lb_shuoming.text, "岩石单轴抗压强度值有错");
    EXPECT_EQ(window.sheet().designCount(), 0);
}

TEST_F(Formula2WindowTest, AFailedCheckStopsUnderTheErrorConvention) {
    const struct {
        const char *input, *text, *message;
    } cases[] = {
        {"cbe_dd", "", "桩身直径数据有错"},           {"cbe_dd", "0", "桩身直径数据有错"},
        {"cbe_hr", "abc", "嵌岩深度数据有错"},        {"cbe_hr", "-1d", "嵌岩深度数据有错"},
        {"cbe_hr", "1.5D", "嵌岩深度数据有错"},       {"edt_frk", "0", "岩石单轴抗压强度值有错"},
        {"edt_frk", "abc", "岩石单轴抗压强度值有错"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.input) + " " + c.text);
        TVOR_FRM_KELD2 w(platform);
        w.click("cbt_compute");
        w.typeText(c.input, c.text);
        w.click("cbt_compute");
        EXPECT_EQ(w.lb_shuoming.text, c.message);
        EXPECT_EQ(w.lb_shuoming.color, argb::red);
        EXPECT_EQ(w.find(c.input)->color, argb::red);
        EXPECT_EQ(w.workbench.lb_YHxingxi.text, "运行中止，主界面可查看中止位置、原因");
        EXPECT_EQ(w.sheet().designCount(), 1);
        EXPECT_EQ(w.edt_rc.text, c.input == std::string("cbe_dd") ? "" : "7862")
            << "outputs keep their texts";
    }
}

TEST_F(Formula2WindowTest, APrecisionChoiceThatFailsLeavesTheListShown) {
    window.typeText("edt_frk", "0");
    choosePrecision(window, PrecisionMode::TwoDecimals);
    EXPECT_TRUE(window.popbox_jingdu.visible);
    EXPECT_EQ(window.sheet().designCount(), 0);
    window.typeText("edt_frk", "25");
    window.chooseItem("popbox_jingdu", static_cast<int>(PrecisionMode::Tens));
    EXPECT_FALSE(window.popbox_jingdu.visible);
    EXPECT_EQ(window.edt_ra.text, "8410");
    EXPECT_EQ(window.sheet().designCount(), 1);
}

TEST_F(Formula2WindowTest, HugeAndNonNumericTextsNeverReachAFieldOrSheet) {
    const std::vector<std::string> texts{
        "1e400",  "nan",      "inf",   std::string(1000, '9'), std::string(10000, 'x'), "1e200", "-", "d",
        "1e-300", "4.9e-324", "1e300d"};
    for (const std::string& text : texts) {
        for (const char* input : {"cbe_dd", "cbe_hr", "edt_frk"}) {
            SCOPED_TRACE(std::string(input) + " " + text.substr(0, 20));
            TVOR_FRM_KELD2 w(platform);
            w.typeText(input, text);
            w.click("cbt_compute");
            std::vector<std::string> shown;
            for (const DeclaredControl& c : w.declaration().all()) shown.push_back(c.control->text);
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

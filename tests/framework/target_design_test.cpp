// The target design in every calculator: the depth (or bottom-layer length) it answers is checked by the
// window's own computation at the answer and one millimetre below, and no shorter length reaches the
// target; unreachable targets and bad target texts say so; the answer follows a layer edit; 采用 and 计算
// record the design with the target's lines.
#include "cli/calculators.h"
#include "cli/script_driver.h"
#include "framework/number_text.h"
#include "framework/target_search.h"
#include "support/calculator_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace qianyan::testing {
namespace {

struct TargetCase {
    std::string_view window;
    std::string name;
    std::string script; // driver commands that set the inputs
};

std::vector<TargetCase> circularCases() {
    std::vector<TargetCase> cases;
    for (const auto& [rock, frk] : {std::pair{"soft", "10"}, {"transition", "22"}, {"hard", "40"}}) {
        const std::string rockInputs = "set cbe_dd 1200; set cbe_hr 1.0d; set edt_frk " + std::string(frk);
        cases.push_back({"formula1", std::string(rock), rockInputs});
        cases.push_back({"formula1", std::string(rock) + "_dry", rockInputs + "; choose cbb_czgy 0"});
        cases.push_back({"formula2", std::string(rock) + "_converted", rockInputs});
        cases.push_back(
            {"formula2", std::string(rock) + "_table", rockInputs + "; choose cbb_chezhuxishu 1"});
        cases.push_back(
            {"formula1_soil", std::string(rock) + "_side", rockInputs + "; tick ckb_zhengmozhuli 1"});
        cases.push_back({"formula1_soil", std::string(rock) + "_side_downdrag",
                         rockInputs + "; tick ckb_zhengmozhuli 1; tick ckb_fumozhuli 1"});
    }
    cases.push_back(
        {"formula1_soil", "downdrag_only", "set cbe_dd 1000; set edt_frk 18; tick ckb_fumozhuli 1"});
    return cases;
}

std::string layerScript(const std::vector<std::pair<std::string, std::string>>& layers) {
    std::string script = "choose cbb_yanchengshu " + std::to_string(layers.size() - 1);
    for (std::size_t row = 0; row < layers.size(); ++row)
        script += "; cell StringGrid_KELD3 " + std::to_string(row) + " 1 " + layers[row].first +
                  "; cell StringGrid_KELD3 " + std::to_string(row) + " 2 " + layers[row].second;
    return script;
}

std::vector<TargetCase> formula3Cases() {
    const std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> grounds{
        {"two", {{"1.00", "12"}, {"0.50", "30"}}},
        {"five", {{"0.50", "8"}, {"0.80", "12"}, {"0.60", "20"}, {"0.40", "35"}, {"0.50", "35"}}},
    };
    std::vector<TargetCase> cases;
    for (const auto& [ground, layers] : grounds)
        for (int depth = 0; depth < 3; ++depth)
            for (int strength = 0; strength < 7; ++strength)
                cases.push_back(
                    {"formula3",
                     ground + "_depth" + std::to_string(depth) + "_strength" + std::to_string(strength),
                     "set cbe_dd 1200; " + layerScript(layers) + "; choose cbb_qianyanshengdu " +
                         std::to_string(depth) + "; choose cbb_qiangduzhi " + std::to_string(strength) +
                         "; choose cbb_qiangduquzhi_daxjs " + std::to_string(strength)});
    cases.push_back({"formula3", "one_layer", "set cbe_dd 1000"});
    cases.push_back({"formula3", "beyond_code",
                     "set cbe_dd 1000; " + layerScript(grounds[0].second) + "; tick ckb_chaoguifan 1"});
    cases.push_back({"formula3", "typed_coefficients",
                     "set cbe_dd 1000; " + layerScript(grounds[0].second) + "; choose cbb_chezhuxishu 0"});
    cases.push_back(
        {"formula3", "obround",
         "choose cbb_jmlx 1; set cbe_dd 1000; set cbe_tyzd 400; " + layerScript(grounds[1].second)});
    return cases;
}

std::vector<TargetCase> allCases() {
    std::vector<TargetCase> cases = circularCases();
    for (TargetCase& c : formula3Cases()) cases.push_back(std::move(c));
    return cases;
}

// A window set up by a script of driver commands.
class TargetFixture : public CalculatorFixture<TargetCase> {
protected:
    TargetFixture() : CalculatorFixture("target", GetParam().window) {}

    void SetUp() override { run(GetParam().script); }

    void run(const std::string& script) {
        std::ostringstream out, err;
        ScriptDriver driver(platform, out, err);
        driver.open("window", std::unique_ptr<CalculatorFrame>(window->workbenchAdapter()->clone()));
        ASSERT_TRUE(driver.run(script)) << err.str();
        // The driver's copy, with the script's inputs, becomes the window under test.
        window = driver.current()->workbenchAdapter()->clone();
    }

    TargetCalculator& calculator(CalculatorFrame& w) { return *w.targetAdapter(); }
    std::string lengthField() {
        return calculator(*window).targetByBottomLayer() ? "edt_XuyaoLr" : "edt_XuyaoHr";
    }
    std::string text(std::string_view control) { return window->find(control)->text; }

    // The capacity with the length typed into its input as 采用 types it, on a copy of the window.
    double capacityAt(long long length) {
        const auto copy = window->workbenchAdapter()->clone();
        calculator(*copy).adoptTargetLength(length);
        return calculator(*copy).targetCapacity().ra;
    }
    long long tableBound() {
        const auto axis = calculator(*window).targetAxis();
        EXPECT_TRUE(axis);
        return depthRatioBreakpoints(axis->diameter, axis->offset, 0.5, 8.0).back();
    }
    // The target typed as a text (rounded down to hundredths, so that a share of 1 stays reachable) and read
    // back, so that the comparison is with what the window reads.
    double typeTarget(double target) {
        const std::string typed = fixed(std::floor(target * 100) / 100, 15, 2);
        window->typeText("edt_MubiaoRa", typed);
        return readStrict(typed);
    }
};

TEST_P(TargetFixture, TheAnswerReachesTheTargetAndOneMillimetreLessDoesNot) {
    const double most = capacityAt(tableBound());
    for (const double share : {0.3, 0.7, 0.95, 1.0}) {
        SCOPED_TRACE(share);
        const double target = typeTarget(most * share);
        std::string answer = text(lengthField());
        ASSERT_NE(answer, "达不到") << text("lb_shuoming");
        double shown = 0;
        ASSERT_TRUE(tryReadStrict(answer, shown)) << answer;
        const auto length = static_cast<long long>(
            std::llround(calculator(*window).targetByBottomLayer() ? shown * 1000 : shown));
        EXPECT_GE(capacityAt(length), target);
        if (length > 0) {
            EXPECT_LT(capacityAt(length - 1), target);
            // No shorter length reaches it either (sampled).
            for (long long shorter = 0; shorter < length; shorter += std::max<long long>(1, length / 150))
                ASSERT_LT(capacityAt(shorter), target) << shorter << " of " << length;
        }
        EXPECT_TRUE(window->find("cbt_Caiyong")->enabled);
    }
}

TEST_P(TargetFixture, ATargetBeyondTheBoundSaysSoWithTheMostAndADiameter) {
    const auto axis = calculator(*window).targetAxis();
    ASSERT_TRUE(axis);
    if (axis->growsBeyond) GTEST_SKIP() << "the capacity grows with the length past the bound";
    // The capacity may fall before the bound (the bound limits the layers above): the most, sampled.
    double most = 0;
    const long long bound = tableBound();
    for (long long length = 0; length <= bound; length += std::max<long long>(1, bound / 300))
        most = std::max(most, capacityAt(length));
    typeTarget(most * 1.05 + 1);
    EXPECT_EQ(text(lengthField()), "达不到");
    EXPECT_NE(text("lb_shuoming").find("最多 "), std::string::npos) << text("lb_shuoming");
    EXPECT_FALSE(window->find("cbt_Caiyong")->enabled);
    typeTarget(1e12);
    EXPECT_EQ(text(lengthField()), "达不到");
    EXPECT_NE(text("lb_shuoming").find("桩径列表中没有能达到的桩径"), std::string::npos);
    EXPECT_TRUE(text("edt_XuyaoD") == "无" || text("edt_XuyaoD") == "-") << text("edt_XuyaoD");
}

TEST_P(TargetFixture, TheDiameterIsTheSmallestOfTheListThatReachesTheTarget) {
    std::string whyNone;
    const std::vector<std::string> diameters = calculator(*window).targetDiameters(whyNone);
    const double target = typeTarget(capacityAt(tableBound()) * 0.9);
    if (diameters.empty()) {
        EXPECT_EQ(text("edt_XuyaoD"), "-");
        EXPECT_FALSE(window->find("edt_XuyaoD")->hint.empty());
        return;
    }
    const std::string answer = text("edt_XuyaoD");
    for (const std::string& d : diameters) {
        const auto copy = window->workbenchAdapter()->clone();
        calculator(*copy).putTargetDiameter(d);
        const bool reaches = calculator(*copy).targetCapacity().ra >= target;
        if (d == answer) {
            EXPECT_TRUE(reaches) << d;
            break;
        }
        EXPECT_FALSE(reaches) << d << " reaches the target before " << answer;
    }
}

INSTANTIATE_TEST_SUITE_P(Calculators, TargetFixture, ::testing::ValuesIn(allCases()),
                         [](const ::testing::TestParamInfo<TargetCase>& info) {
                             return std::string(info.param.window) + "_" + info.param.name;
                         });

// Per calculator: the defaults with a layer or panel edit that changes the answer.
struct EditCase {
    std::string_view window;
    std::string setup, edit;
};

const EditCase editCases[] = {
    {"formula1", "", "set edt_frk 40"},
    {"formula1_soil", "tick ckb_zhengmozhuli 1; set cbe_hr 1.0d",
     "click cbt_zhengmozhuli; cell Grid1_Zhengmozhulijisuan 0 2 80; click cbt_Zmzlfanhui"},
    {"formula2", "choose cbb_chezhuxishu 1", "choose cbb_czgy 2"},
    {"formula3", layerScript({{"1.00", "12"}, {"0.50", "30"}}), "cell StringGrid_KELD3 0 1 0.2"},
};

class TargetPerCalculator : public CalculatorFixture<EditCase> {
protected:
    TargetPerCalculator() : CalculatorFixture("target", GetParam().window) {}
    void run(const std::string& script) {
        std::ostringstream out, err;
        ScriptDriver driver(platform, out, err);
        driver.open("window", std::move(window));
        ASSERT_TRUE(driver.run(script)) << err.str();
        window = driver.current()->workbenchAdapter()->clone();
    }
    std::string text(std::string_view control) { return window->find(control)->text; }
    std::string lengthField() {
        return window->targetAdapter()->targetByBottomLayer() ? "edt_XuyaoLr" : "edt_XuyaoHr";
    }
};

TEST(TargetCases, CoverEveryCalculator) {
    EXPECT_TRUE(coversEveryCalculator(editCases));
}

TEST_P(TargetPerCalculator, TheAnswerFollowsAnEditWithoutCompute) {
    run(GetParam().setup);
    const double before = window->targetAdapter()->targetCapacity().ra;
    run("set edt_MubiaoRa " + fixed(before * 1.1, 15, 0));
    const std::string answer = text(lengthField());
    ASSERT_FALSE(answer.empty());
    const int designs = window->sheet().designCount();
    run(GetParam().edit);
    EXPECT_NE(text(lengthField()), answer);
    EXPECT_FALSE(text(lengthField()).empty());
    EXPECT_EQ(window->sheet().designCount(), designs);
}

TEST_P(TargetPerCalculator, BadTargetsSayWhatIsWrongAndNeverHang) {
    run(GetParam().setup);
    const std::string longText(10000, '9');
    for (const std::string& bad :
         {std::string("0"), std::string("-5"), std::string("abc"), std::string("1e400"), std::string("nan"),
          std::string("inf"), longText, std::string("12 34")}) {
        SCOPED_TRACE(bad.substr(0, 20));
        window->typeText("edt_MubiaoRa", bad);
        EXPECT_EQ(text(lengthField()), "目标有错");
        EXPECT_EQ(text("edt_XuyaoD"), "目标有错");
        EXPECT_EQ(window->find("edt_MubiaoRa")->color, argb::red);
        EXPECT_FALSE(window->find("cbt_Caiyong")->enabled);
    }
    // 计算 shows the design but records none while a target is bad.
    window->click("cbt_compute");
    EXPECT_EQ(window->sheet().designCount(), 0);
    EXPECT_EQ(text("lb_shuoming"), "目标承载力特征值有错：应为大于0的数值，或空着");
    window->typeText("edt_MubiaoRa", "5000");
    window->typeText("edt_MubiaoN", "nan");
    EXPECT_EQ(text("edt_XuyaoD"), "目标有错");
    EXPECT_EQ(window->find("edt_MubiaoN")->color, argb::red);
    window->typeText("edt_MubiaoN", "");
    EXPECT_NE(text(lengthField()), "目标有错");
    EXPECT_EQ(window->find("edt_MubiaoRa")->color, argb::black);
    // Emptied, the target leaves nothing behind: no answer, no message of its own.
    window->typeText("edt_MubiaoRa", "1e400");
    window->typeText("edt_MubiaoRa", "");
    for (const std::string_view field : {lengthField(), std::string("edt_XuyaoD")})
        EXPECT_EQ(text(field), "");
    EXPECT_EQ(text("lb_shuoming").find("目标"), std::string::npos);
}

TEST_P(TargetPerCalculator, AdoptingTheAnswerRecordsADesignThatMeetsTheTarget) {
    run(GetParam().setup);
    window->click("cbt_compute");
    const std::vector<std::string> plain = window->sheet().doc();
    EXPECT_EQ(std::ranges::count(plain, std::string("  目标设计:")), 0);

    const double target = window->targetAdapter()->targetCapacity().ra * 1.05;
    run("set edt_MubiaoRa " + fixed(target, 15, 0) +
        "; set edt_MubiaoN 1; click cbt_Caiyong; click cbt_compute");
    ASSERT_EQ(window->sheet().designCount(), 2);
    const std::vector<std::string>& doc = window->sheet().doc();
    const auto heading = std::ranges::find(doc, std::string("  目标设计:"));
    ASSERT_NE(heading, doc.end());
    EXPECT_TRUE(std::next(heading)->ends_with("满足") && !std::next(heading)->ends_with("不满足"))
        << *std::next(heading);
    EXPECT_TRUE(std::next(heading, 2)->ends_with("  满足")) << *std::next(heading, 2);

    run("set edt_MubiaoN 1e9; click cbt_compute");
    const auto& after = window->sheet().doc();
    const auto load = std::find_if(after.rbegin(), after.rend(), [](const std::string& line) {
        return line.starts_with("      桩顶轴力设计值N:");
    });
    ASSERT_NE(load, after.rend());
    EXPECT_TRUE(load->ends_with("不满足")) << *load;
}

INSTANTIATE_TEST_SUITE_P(Calculators, TargetPerCalculator, ::testing::ValuesIn(editCases), ByCalculator{});

} // namespace
} // namespace qianyan::testing

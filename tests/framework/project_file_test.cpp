// Project files: every calculator reopens a saved state that computes the same sheets; a file that is
// damaged, of a later version or of another window, or does not fit, is refused with the window unchanged.
#include "cli/calculators.h"
#include "cli/script_driver.h"
#include "framework/calculator_registry.h"
#include "framework/project_file.h"
#include "support/calculator_fixture.h"
#include "support/window_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

namespace qianyan {
namespace {

// A state unlike a fresh window's for each calculator: main inputs, panels or layers, and options.
struct Session {
    std::string_view window, script;
};
const Session sessions[] = {
    {"formula1", "set cbe_dd 1350; set cbe_hr 2.5d; set edt_frk 31.5; choose cbe_hnt 3; choose cbb_czgy 0;"
                 "click cbt_JingDu; choose popbox_jingdu 1; click cbt_JingDu; click cbt_YouHua;"
                 "cell Grid1_Youhuaxuanxiang 0 2 1800; click cbt_YHfanhui"},
    {"formula1_soil", "set cbe_dd 1200; set edt_frk 18; tick ckb_zhengmozhuli 1; click cbt_zhengmozhuli;"
                      "choose cbb_ZhengTuchengshu 1; cell Grid1_Zhengmozhulijisuan 1 1 5;"
                      "cell Grid1_Zhengmozhulijisuan 1 2 60; click cbt_ZmzlComputer; click cbt_Zmzlfanhui;"
                      "tick ckb_fumozhuli 1; click cbt_fumozhuli; choose cbb_Tuchengshu 1;"
                      "set cbe_Junbuhezai 30; cell Grid1_Fumozhulijisuan 1 2 -14.5;"
                      "cell Grid1_Fumozhulijisuan 1 3 18.5; click cbt_FmzlComputer; click cbt_Fmzlfanhui"},
    {"formula2",
     "set cbe_dd 1600; set cbe_hr 3000; set edt_frk 12; choose cbb_czgy 0; choose cbb_chezhuxishu 1"},
    {"formula3", "choose cbb_jmlx 2; set cbe_dd 2400; choose cbe_tyzd 3; choose cbb_deqcheck 4;"
                 "choose cbb_yanchengshu 2; cell StringGrid_KELD3 0 1 3; cell StringGrid_KELD3 0 2 10;"
                 "cell StringGrid_KELD3 1 1 2; cell StringGrid_KELD3 1 2 30; cell StringGrid_KELD3 2 1 1.5;"
                 "cell StringGrid_KELD3 2 2 45; choose cbb_chezhuxishu 2; tick ckb_chaoguifan 0"},
};

class ProjectFile : public ::testing::TestWithParam<Session> {
protected:
    ProjectFile()
        : folder(testing::freshFolder("project")), platform(folder.string(), {2024, 5, 6, 14, 3, 27}) {
        std::filesystem::create_directories(folder);
    }
    ~ProjectFile() override { std::filesystem::remove_all(folder); }

    // A window given the session's state by a person's commands.
    CalculatorFrame& worked() {
        auto window = makeCalculator(GetParam().window, platform);
        CalculatorFrame& w = *window;
        driver.open("w", std::move(window));
        EXPECT_TRUE(driver.run(GetParam().script)) << err.str();
        return w;
    }
    std::string path(std::string_view name) const { return (folder / name).string(); }
    std::string read(std::string_view name) const {
        std::ifstream in(folder / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string errors() const {
        std::string all;
        for (const auto& d : platform.dialogs)
            if (d.kind == ScriptedPlatform::Dialog::Kind::Error) all += d.text + "\n";
        return all;
    }

    std::filesystem::path folder;
    ScriptedPlatform platform;
    std::ostringstream out, err;
    ScriptDriver driver{platform, out, err};
};

std::string sheets(const CalculatorFrame& w) {
    std::string all;
    for (const auto* lines : {&w.sheet().doc(), &w.sheet().xls()})
        for (const std::string& line : *lines) all += line + "\n";
    return all;
}

TEST_P(ProjectFile, ReopensTheStateAndComputesTheSameSheets) {
    CalculatorFrame& original = worked();
    ASSERT_TRUE(saveProject(original, path("p.json"))) << errors();

    const auto reopened = makeCalculator(GetParam().window, platform);
    ASSERT_TRUE(openProject(*reopened, path("p.json"))) << errors();
    EXPECT_EQ(projectText(*reopened), read("p.json"));

    original.click("cbt_compute");
    reopened->click("cbt_compute");
    EXPECT_EQ(reopened->sheet().designCount(), 1);
    EXPECT_EQ(sheets(*reopened), sheets(original));
    EXPECT_EQ(errors(), "");
}

TEST_P(ProjectFile, RefusesWhatDoesNotFitAndChangesNothing) {
    CalculatorFrame& window = worked();
    const std::string valid = projectText(window);
    const std::string version = "\"version\": 1,";
    const std::string owner = "\"window\": \"" + std::string(window.windowName()) + "\"";
    const std::string other = window.windowName() == "TVOR_FRM_KELD2" ? "TVOR_FRM_KELD1" : "TVOR_FRM_KELD2";
    const auto replaced = [&](const std::string& what, const std::string& by) {
        std::string text = valid;
        return text.replace(text.find(what), what.size(), by);
    };
    const struct {
        std::string text, reason;
    } bad[] = {
        {"", "文件已损坏"},
        {valid.substr(0, valid.size() / 2), "文件已损坏"},
        {"[1, 2]", "文件已损坏"},
        {"{\"format\": \"something else\", \"version\": 1}", "不是嵌岩项目文件"},
        {replaced(version, "\"version\": 2,"), "文件来自更新的版本（格式 2）"},
        {replaced(version, "\"version\": 1e400,"), "文件已损坏"},
        {replaced(version, "\"version\": 99999999999,"), "文件已损坏"},
        // Another calculator by the name its launcher button shows; a window that is none by no name.
        {replaced(owner, "\"window\": \"" + other + "\""), "这是“" + calculatorName(other) + "”的项目"},
        {replaced(owner, "\"window\": \"TVOR_FRM_KELD9\""), "这不是本程序计算器的项目"},
        {replaced("\"name\": \"", "\"name\": \"x"), "含有本计算器没有的输入项"},
        {replaced("\"text\": \"", "\"text\": 5, \"was\": \""), "文件已损坏"},
        {std::regex_replace(valid, std::regex("\"item\": \\d+"), "\"item\": 99",
                            std::regex_constants::format_first_only),
         "没有第 99 项"},
        {replaced("\"rows\": [\n    [\n", "\"rows\": [\n    [\n     \"extra\",\n"), "列数与窗口不符"},
    };
    for (const auto& [text, reason] : bad) {
        std::ofstream(folder / "bad.json", std::ios::binary) << text;
        platform.dialogs.clear();
        EXPECT_FALSE(openProject(window, path("bad.json"))) << text;
        const std::string reported = errors();
        EXPECT_EQ(reported.rfind("打开项目失败：", 0), 0u) << reported;
        EXPECT_NE(reported.find(reason), std::string::npos) << reported;
        EXPECT_EQ(reported.find("TVOR_"), std::string::npos) << reported; // no internal name
        EXPECT_EQ(projectText(window), valid) << text;
    }
}

TEST_P(ProjectFile, AFailedSaveSaysSoAndKeepsTheFileThere) {
    CalculatorFrame& window = worked();
    std::ofstream(folder / "kept.json") << "kept";
    std::filesystem::permissions(folder / "kept.json", std::filesystem::perms::owner_read);
    EXPECT_FALSE(saveProject(window, path("kept.json")));
    EXPECT_FALSE(saveProject(window, folder.string()));
    EXPECT_FALSE(saveProject(window, path("missing/p.json")));
    EXPECT_EQ(read("kept.json"), "kept");
    const std::string reported = errors();
    EXPECT_EQ(std::count(reported.begin(), reported.end(), '\n'), 3) << reported;
    EXPECT_EQ(reported.rfind("保存项目失败：", 0), 0u) << reported;
}

// 保存项目 with a name typed without an extension saves the file 打开项目 lists (its filter is *.json);
// a name with an extension stays as typed; a file the added extension names is replaced only on Yes.
TEST(ProjectFileName, ANameWithoutExtensionGetsTheOneOpenFiltersOn) {
    const struct {
        const char* asked;
        const char* saved;
    } names[] = {{"pile_a", "pile_a.json"}, {"pile_a.json", "pile_a.json"}, {"pile.v2", "pile.v2"},
                 {"pile.", "pile.json"},    {".hidden", ".hidden.json"},    {"v1.0/pile", "v1.0/pile.json"}};
    for (const auto& n : names) EXPECT_EQ(withProjectExtension(n.asked), n.saved) << n.asked;

    const std::filesystem::path folder = testing::freshFolder("project_name");
    std::filesystem::create_directories(folder);
    ScriptedPlatform platform(folder.string(), {2024, 5, 6, 14, 3, 27});
    const auto window = makeCalculator("formula1", platform);
    platform.projectPaths = {(folder / "pile_a").string()};
    saveProjectAsked(*window);
    EXPECT_FALSE(std::filesystem::exists(folder / "pile_a"));
    ASSERT_TRUE(std::filesystem::exists(folder / "pile_a.json"));
    EXPECT_TRUE(platform.dialogs.empty()) << "a new file needs no question";

    std::ofstream(folder / "pile_a.json", std::ios::binary) << "kept";
    for (const bool yes : {false, true}) {
        platform.projectPaths = {(folder / "pile_a").string()};
        platform.answers = {yes};
        platform.dialogs.clear();
        saveProjectAsked(*window);
        ASSERT_EQ(platform.dialogs.size(), 1u);
        EXPECT_EQ(platform.dialogs[0].text, "文件已存在，是否覆盖?");
        std::ifstream in(folder / "pile_a.json", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}) == "kept", !yes);
    }
    platform.projectPaths = {(folder / "pile_a.json").string()};
    openProjectAsked(*window);
    EXPECT_EQ(platform.dialogs.size(), 1u) << "the saved project opens";
    std::filesystem::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(EveryCalculator, ProjectFile, ::testing::ValuesIn(sessions),
                         testing::ByCalculator());

// A calculator without a session here has no project-file round trip.
TEST(ProjectFileSessions, CoverEveryCalculator) {
    EXPECT_TRUE(testing::coversEveryCalculator(sessions));
}

} // namespace
} // namespace qianyan

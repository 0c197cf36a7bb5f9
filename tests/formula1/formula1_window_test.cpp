#include "formula1/formula1_window.h"
#include "support/window_fixture.h"

#include <gmock/gmock.h>

namespace qianyan {
namespace {

using ::testing::ElementsAre;
using Formula1WindowTest = testing::WindowFixture<TVOR_FRM_KELD1>;
namespace fs = std::filesystem;

const std::string docFile = "嵌岩桩计算书(依据JGJ94-2008)_文本.txt";
const std::string xlsFile = "嵌岩桩计算书(依据JGJ94-2008)_表格.txt";

TEST(ModeAmount, CutsTensAndHundredsAndRoundsTheRest) {
    const struct {
        PrecisionMode mode;
        const char* text;
    } cases[] = {{PrecisionMode::TwoDecimals, "8419.90"},
                 {PrecisionMode::OneDecimal, "8419.9"},
                 {PrecisionMode::Units, "8420"},
                 {PrecisionMode::Tens, "8410"},
                 {PrecisionMode::Hundreds, "8400"}};
    for (const auto& c : cases) EXPECT_EQ(modeAmount(8419.9, c.mode, 7), c.text);
    EXPECT_EQ(modeAmount(-8419.9, PrecisionMode::Tens, 7), "-8410")
        << "the integer part truncates toward zero";
}

TEST_F(Formula1WindowTest, TheFirstMessageHidesTheLogoForGood) {
    EXPECT_TRUE(window.img_Logo.visible);
    EXPECT_FALSE(window.lb_shuoming.visible);
    window.typeText("cbe_dd", "0");
    window.click("cbt_compute");
    EXPECT_FALSE(window.img_Logo.visible);
    EXPECT_EQ(window.lb_shuoming.text, "桩身直径数据有错");
    window.typeText("cbe_dd", "1000");
    window.click("cbt_compute");
    EXPECT_FALSE(window.img_Logo.visible);
    EXPECT_EQ(window.lb_shuoming.text, "较软岩");
    EXPECT_EQ(window.lb_shuoming.color, argb::black);
}

TEST_F(Formula1WindowTest, AnErrorLeavesOutputsSheetsAndCounterAlone) {
    window.click("cbt_compute");
    window.chooseItem("cbe_hnt", 0); // clears Rc only
    window.typeText("edt_frk", "-3");
    window.click("cbt_compute");
    EXPECT_EQ(window.edt_rc.text, "");
    EXPECT_EQ(window.sheet().designCount(), 1);
    EXPECT_EQ(window.edt_frk.color, argb::red);
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "运行中止，主界面可查看中止位置、原因");
    EXPECT_TRUE(window.cbt_compute.visible);
}

TEST_F(Formula1WindowTest, HugeAndNonNumericTextsNeverReachAFieldOrSheet) {
    for (const std::string& text :
         {std::string("1e400"), std::string("nan"), std::string("inf"), std::string(1000, '9'),
          std::string(10000, 'x'), std::string("1e200"), std::string("-")}) {
        for (const char* input : {"cbe_dd", "cbe_hr", "edt_frk"}) {
            TVOR_FRM_KELD1 w(platform);
            w.typeText(input, text);
            w.click("cbt_compute");
            for (const Control* out : {&w.edt_kesair, &w.edt_ra, &w.edt_rc}) {
                EXPECT_EQ(out->text.find("nan"), std::string::npos) << input << " " << text.substr(0, 20);
                EXPECT_EQ(out->text.find("inf"), std::string::npos) << input << " " << text.substr(0, 20);
            }
            for (const std::string& line : w.sheet().doc()) EXPECT_EQ(line.find("INF"), std::string::npos);
        }
    }
}

TEST_F(Formula1WindowTest, TheModelIsAPlainValue) {
    TVOR_FRM_KELD1 copy = window;
    copy.typeText("cbe_dd", "1500");
    copy.click("cbt_compute");
    EXPECT_EQ(copy.edt_ra.text, "18923");
    EXPECT_EQ(window.cbe_dd.text, "1000");
    EXPECT_EQ(window.edt_ra.text, "");
    EXPECT_EQ(window.sheet().designCount(), 0);
    EXPECT_EQ(window.find("cbe_dd"), &window.cbe_dd) << "lookups find the copy's own fields";
}

TEST_F(Formula1WindowTest, SavedSheetsMatchTheShownLinesAndTrackTheUnsavedMarks) {
    window.click("cbt_compute");
    window.click("cbt_View");
    window.click("cbt_Save");
    EXPECT_EQ(testing::savedLines(documents / docFile), window.sheet().doc());
    EXPECT_FALSE(window.cbt_Save.enabled);
    window.click("cbt_PageBook");
    EXPECT_TRUE(window.cbt_Save.enabled);
    window.click("cbt_Save");
    EXPECT_EQ(testing::savedLines(documents / xlsFile), window.sheet().xls());
    EXPECT_EQ(window.sheet().unsavedMarks(), 0);

    // Overwrite: Yes writes over the file, No keeps it and saves under a time-stamped name.
    window.click("cbt_Exit");
    window.typeText("cbe_dd", "1200");
    window.click("cbt_compute");
    window.click("cbt_View");
    platform.answers = {true};
    window.click("cbt_Save");
    EXPECT_EQ(testing::savedLines(documents / xlsFile), window.sheet().xls());
    window.click("cbt_PageBook");
    const auto docBefore = testing::savedLines(documents / docFile);
    platform.answers = {false};
    window.click("cbt_Save");
    EXPECT_EQ(testing::savedLines(documents / docFile), docBefore);
    EXPECT_EQ(testing::savedLines(documents / "嵌岩桩计算书(依据JGJ94-2008)_文本_20240506140327.txt"),
              window.sheet().doc());
    EXPECT_THAT(dialogTexts(),
                ElementsAre("文件已存在，是否覆盖?", "文件已存在，是否覆盖?", "结果已附加时间改名另存。"));

    // A second declined save in the same second must not write over the first time-stamped file.
    window.click("cbt_Exit");
    window.typeText("cbe_dd", "1300");
    window.click("cbt_compute");
    window.click("cbt_View");
    platform.answers = {false};
    window.click("cbt_Save");
    EXPECT_TRUE(fs::exists(documents / "嵌岩桩计算书(依据JGJ94-2008)_文本_20240506140327_2.txt"));
}

TEST_F(Formula1WindowTest, ARefusedOrFailedSaveKeepsTheMarksAndWritesNothing) {
    window.click("cbt_compute");
    window.click("cbt_View");
    platform.permissionGranted = false;
    window.click("cbt_Save");
    EXPECT_THAT(dialogTexts(), ElementsAre("无权存盘"));
    EXPECT_TRUE(window.cbt_Save.enabled);
    EXPECT_FALSE(fs::exists(documents));

    platform.permissionGranted = true;
    fs::create_directories(documents.parent_path());
    { std::ofstream blocker(documents); } // the documents "folder" is a file: it cannot be created
    window.click("cbt_Save");
    ASSERT_EQ(platform.dialogs.size(), 2u);
    EXPECT_EQ(platform.dialogs[1].kind, ScriptedPlatform::Dialog::Kind::Error);
    EXPECT_NE(platform.dialogs[1].text.find("保存失败"), std::string::npos);
    EXPECT_EQ(window.sheet().unsavedMarks(), 3);
    EXPECT_TRUE(window.cbt_Save.enabled);
    fs::remove(documents);
}

// A pile name GBK cannot hold is named before any question and nothing is saved: a "?" in its place
// could make two names one.
TEST_F(Formula1WindowTest, ASheetHoldingATextGbkCannotKeepIsNotSaved) {
    fs::create_directories(documents);
    std::ofstream(documents / docFile) << "kept";
    std::ofstream(documents / xlsFile) << "kept";
    window.nameNextPile("ZH-😀");
    window.click("cbt_compute");
    window.click("cbt_View");
    for (const bool doc : {true, false}) {
        SCOPED_TRACE(doc ? "Doc" : "Xls");
        platform.dialogs.clear();
        window.click("cbt_Save");
        ASSERT_EQ(platform.dialogs.size(), 1u) << "no overwrite question";
        EXPECT_EQ(platform.dialogs[0].kind, ScriptedPlatform::Dialog::Kind::Error);
        EXPECT_EQ(platform.dialogs[0].text.rfind("保存失败：“ZH-😀”中的字符“😀”", 0), 0u)
            << platform.dialogs[0].text;
        std::ifstream in(documents / (doc ? docFile : xlsFile));
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "kept");
        EXPECT_EQ(window.sheet().unsavedMarks(), 3);
        window.click("cbt_PageBook");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(documents), fs::directory_iterator{}), 2);
}

// Closing a window whose sheets hold designs no file holds asks first; the window closes only when the
// person discards them or they are saved.
TEST_F(Formula1WindowTest, ClosingAsksAboutDesignsNoFileHolds) {
    const std::string question = "“公式一”的计算书有未保存的计算结果，关闭前是否保存?";
    enum Before { Nothing, Computed, DocSaved, BothSaved, SavedThenTrimmed, TrimmedToEmpty };
    const struct {
        const char* what;
        Before before;
        SaveChoice choice;
        bool permission;
        bool asked, closes, docWritten, xlsWritten;
    } cases[] = {
        {"nothing computed", Nothing, SaveChoice::Cancel, true, false, true, false, false},
        {"cancelled", Computed, SaveChoice::Cancel, true, true, false, false, false},
        {"discarded", Computed, SaveChoice::Discard, true, true, true, false, false},
        {"saved", Computed, SaveChoice::Save, true, true, true, true, true},
        {"save refused", Computed, SaveChoice::Save, false, true, false, false, false},
        {"the Xls sheet still unsaved", DocSaved, SaveChoice::Save, true, true, true, true, true},
        {"both saved", BothSaved, SaveChoice::Cancel, true, false, true, true, true},
        {"a saved sheet trimmed", SavedThenTrimmed, SaveChoice::Cancel, true, true, false, true, true},
        {"trimmed to nothing", TrimmedToEmpty, SaveChoice::Cancel, true, false, true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(documents);
        TVOR_FRM_KELD1 w(platform);
        if (c.before != Nothing) w.click("cbt_compute");
        w.click("cbt_View");
        if (c.before == SavedThenTrimmed) {
            w.click("cbt_Exit");
            w.typeText("cbe_dd", "1200");
            w.click("cbt_compute");
            w.click("cbt_View");
        }
        if (c.before == DocSaved || c.before == BothSaved || c.before == SavedThenTrimmed)
            w.click("cbt_Save");
        if (c.before == BothSaved || c.before == SavedThenTrimmed) {
            w.click("cbt_PageBook");
            w.click("cbt_Save");
        }
        if (c.before == SavedThenTrimmed || c.before == TrimmedToEmpty) {
            w.click("cbt_sanchu");
            EXPECT_EQ(w.cbt_Save.enabled, c.before == SavedThenTrimmed) << "a trimmed sheet can be saved";
        }
        w.click("cbt_Exit");
        platform.dialogs.clear();
        platform.saveChoices = {c.choice};
        platform.permissionGranted = c.permission;
        w.click("cbt_tuichu");
        EXPECT_EQ(!platform.dialogs.empty() && platform.dialogs[0].text == question, c.asked);
        EXPECT_EQ(w.closeRequested(), c.closes);
        EXPECT_EQ(fs::exists(documents / docFile), c.docWritten);
        EXPECT_EQ(fs::exists(documents / xlsFile), c.xlsWritten);
        if (c.closes && c.choice == SaveChoice::Save) {
            EXPECT_EQ(w.sheet().unsavedMarks(), 0);
        }
        platform.permissionGranted = true;
    }
}

TEST_F(Formula1WindowTest, AFolderOrAReadOnlyFileOfTheSheetsNameIsRefusedBeforeTheQuestion) {
    const fs::path target = documents / docFile;
    const struct {
        const char* what;
        void (*make)(const fs::path&);
        const char* reason;
    } cases[] = {
        {"folder", [](const fs::path& p) { fs::create_directories(p); }, "是文件夹，不能保存为文件"},
        {"read-only file",
         [](const fs::path& p) {
             std::ofstream(p, std::ios::binary) << "kept\r\n";
             fs::permissions(p, fs::perms::owner_read);
         },
         "只读，未覆盖"},
    };
    window.click("cbt_compute");
    window.click("cbt_View");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(documents);
        fs::create_directories(documents);
        c.make(target);
        platform.dialogs.clear();
        platform.answers = {true};
        window.click("cbt_Save");
        ASSERT_EQ(platform.dialogs.size(), 1u) << "no overwrite question";
        EXPECT_EQ(platform.dialogs[0].kind, ScriptedPlatform::Dialog::Kind::Error);
        EXPECT_EQ(platform.dialogs[0].text.rfind("保存失败：", 0), 0u) << platform.dialogs[0].text;
        EXPECT_NE(platform.dialogs[0].text.find(c.reason), std::string::npos) << platform.dialogs[0].text;
        EXPECT_EQ(window.sheet().unsavedMarks(), 3);
        EXPECT_TRUE(window.cbt_Save.enabled);
        if (fs::is_regular_file(target)) {
            EXPECT_THAT(testing::savedLines(target), ElementsAre("kept"));
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(documents), fs::directory_iterator{}), 1)
            << "nothing else written, no temporary file left";
    }
}

TEST_F(Formula1WindowTest, WheelAndGestureMoveTheFontSliderWithinItsRange) {
    auto& slider = window.tcb_meoFontSize;
    window.meo_jisuanjieguo_DocMouseWheel(120, false);
    EXPECT_EQ(slider.value, 12) << "a wheel without Ctrl alone is not a zoom";
    for (int i = 0; i < 20; ++i) window.meo_jisuanjieguo_XlsMouseWheel(120, true);
    EXPECT_EQ(slider.value, 24);
    window.meo_jisuanjieguo_DocMouseWheel(-120, true);
    EXPECT_EQ(slider.value, 23);
    EXPECT_EQ(window.meo_jisuanjieguo_Xls.value, 23);

    EXPECT_FALSE(window.meo_jisuanjieguo_DocGesture(300, true))
        << "the first event only records its distance";
    EXPECT_EQ(slider.value, 23);
    EXPECT_TRUE(window.meo_jisuanjieguo_XlsGesture(260, false));
    EXPECT_EQ(slider.value, 21);
    EXPECT_TRUE(window.meo_jisuanjieguo_DocGesture(0, false));
    EXPECT_EQ(slider.value, 8);
    EXPECT_TRUE(window.meo_jisuanjieguo_DocGesture(-200, false));
    EXPECT_EQ(slider.value, 4);
    EXPECT_EQ(window.meo_jisuanjieguo_Doc.value, 4);
}

// 另存为… writes the shown sheet where the person says, through the same safe writer; declining writes
// nothing; every save of the page names the file it wrote under the buttons.
TEST_F(Formula1WindowTest, SaveAsWritesTheShownSheetWhereThePersonSaysAndNamesIt) {
    EXPECT_FALSE(window.cbt_LingCun.enabled) << "nothing to save yet";
    window.click("cbt_compute");
    window.click("cbt_View");
    const fs::path elsewhere = documents / "项目" / "桩A.txt";
    fs::create_directories(elsewhere.parent_path());
    std::ofstream(elsewhere) << "an older sheet";

    platform.savePaths = {""};
    window.click("cbt_LingCun");
    EXPECT_EQ(window.lb_cunpan.text, "");
    EXPECT_EQ(window.sheet().unsavedMarks(), 3);

    platform.savePaths = {elsewhere.string()};
    window.click("cbt_PageBook");
    window.click("cbt_LingCun");
    EXPECT_EQ(testing::savedLines(elsewhere), window.sheet().xls());
    EXPECT_EQ(window.lb_cunpan.text, "已保存：" + elsewhere.string());
    EXPECT_FALSE(window.cbt_Save.enabled) << "the Xls sheet is held by a file now";
    EXPECT_TRUE(window.cbt_LingCun.enabled) << "and may be saved elsewhere again";
    EXPECT_EQ(window.sheet().unsavedMarks(), CalculationSheet::docUnsaved);

    window.click("cbt_PageBook");
    window.click("cbt_Save");
    EXPECT_EQ(window.lb_cunpan.text, "已保存：" + (documents / docFile).string());
    EXPECT_TRUE(platform.dialogs.empty());
}

} // namespace
} // namespace qianyan

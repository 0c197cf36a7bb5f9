#include "platform/legacy_text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace qianyan {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

LineSource lines(std::vector<std::string> texts) {
    return [texts = std::move(texts)](const LineSink& sink) {
        for (const auto& t : texts) sink(t);
    };
}

class LegacyTextFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder =
            fs::temp_directory_path() / ("qianyan-file-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        ::chmod(folder.c_str(), 0755);
        fs::remove_all(folder);
    }
    fs::path folder;
};

TEST_F(LegacyTextFileTest, WritesGbkWithCrLfAfterEveryLineAndNoByteOrderMark) {
    const fs::path file = folder / "嵌岩桩计算书(依据JGJ94-2008)_文本.txt";
    writeLegacyTextFile(file.string(), lines({"计算时间：2024/5/6 14:03:27", "ζr ψc μ∑ ≤ ▲▼", ""}));
    const std::string bytes = readBytes(file);
    EXPECT_EQ(bytes.substr(0, 4), "\xBC\xC6\xCB\xE3"); // 计算 in GBK
    EXPECT_EQ(fromGbk(bytes), "计算时间：2024/5/6 14:03:27\r\nζr ψc μ∑ ≤ ▲▼\r\n\r\n");
    EXPECT_EQ(fs::directory_iterator(folder)->path(), file) << "no temporary file is left behind";
}

TEST_F(LegacyTextFileTest, ACharacterGbkCannotHoldBecomesAQuestionMark) {
    EXPECT_EQ(toGbk("1000😀d"), "1000?d");
    EXPECT_EQ(toGbk("a\xFF"
                    "b"),
              "a?b");
}

// A "?" in place of a character could make two pile names one (한국-1 and 日本-1 both ??-1): the writer
// refuses the whole file instead, naming the word and the character, and leaves the old file.
TEST_F(LegacyTextFileTest, ACharacterGbkCannotHoldFailsTheWriteAndNamesIt) {
    const fs::path file = folder / "sheet.txt";
    writeLegacyTextFile(file.string(), lines({"kept"}));
    const struct {
        const char* line;
        const char* word;
        const char* character;
    } cases[] = {
        {"   ZH-😀  1000", "ZH-😀", "😀"},
        {"桩号 한국-1|2.0d", "한국-1", "한"},
        {"ok a\xFF end", "a\xFF", "\xFF"},
        // Two bytes of a letter GBK has not; sequences that are no character (overlong, a surrogate, cut
        // short at the line's end), which a quick look must leave to the converter.
        {"桩 ƀ-1 x", "ƀ-1", "ƀ"},
        {"ok \xC0\xAF end", "\xC0\xAF", "\xC0\xAF"},
        {"ok \xED\xA0\x80 end", "\xED\xA0\x80", "\xED\xA0\x80"},
        {"ok 计\xE8\xAE", "计\xE8\xAE", "\xE8\xAE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::vector<std::string> texts = {"计算书 ζr €１", c.line};
        std::string why = whyNotGbk(lines(texts));
        EXPECT_NE(why.find(std::string("“") + c.word + "”"), std::string::npos) << why;
        EXPECT_NE(why.find(std::string("“") + c.character + "”"), std::string::npos) << why;
        try {
            writeLegacyTextFile(file.string(), lines(texts));
            ADD_FAILURE() << "written";
        } catch (const PlatformError& e) {
            EXPECT_EQ(e.what(), why);
        }
        EXPECT_EQ(readBytes(file), "kept\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1);
    }
    EXPECT_EQ(whyNotGbk(lines({"计算书 ζr €１ ∑≤▲▼"})), "");
}

TEST(GbkLength, IsTheBytesGbkKeepsACharacterIn) {
    const std::pair<char32_t, int> cases[] = {{U'A', 1},  {U'€', 1},  {U'１', 2}, {U'ζ', 2},  {U'计', 2},
                                              {U'：', 2}, {U'한', 0}, {U'😀', 0},  {0xFFFD, 0}};
    for (const auto& [c, bytes] : cases) EXPECT_EQ(gbkLength(c), bytes) << static_cast<unsigned>(c);
}

TEST_F(LegacyTextFileTest, ReplacesAnExistingFileWhole) {
    const fs::path file = folder / "sheet.txt";
    writeLegacyTextFile(file.string(), lines({"a long first version", "with two lines"}));
    writeLegacyTextFile(file.string(), lines({"short"}));
    EXPECT_EQ(readBytes(file), "short\r\n");
}

TEST_F(LegacyTextFileTest, AFailedWriteReportsWhyAndLeavesTheExistingFileAsItWas) {
    const fs::path file = folder / "sheet.txt";
    writeLegacyTextFile(file.string(), lines({"kept"}));
    if (::geteuid() != 0) {
        ::chmod(folder.c_str(), 0555);
        EXPECT_THROW(writeLegacyTextFile(file.string(), lines({"lost"})), PlatformError);
        ::chmod(folder.c_str(), 0755);
    }
    // A producer that fails half-way must not leave a half-written file either.
    EXPECT_THROW(writeLegacyTextFile(file.string(),
                                     [](const LineSink& sink) {
                                         sink("half");
                                         throw PlatformError("磁盘空间不足");
                                     }),
                 PlatformError);
    EXPECT_EQ(readBytes(file), "kept\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1);
}

TEST_F(LegacyTextFileTest, AMissingFolderIsReportedAndCanBeCreated) {
    const fs::path missing = folder / "a" / "b";
    try {
        writeLegacyTextFile((missing / "x.txt").string(), lines({"x"}));
        FAIL() << "writing into a missing folder must fail";
    } catch (const PlatformError& e) {
        EXPECT_NE(std::string(e.what()).find("文件夹不存在"), std::string::npos) << e.what();
    }
    ensureFolder(missing.string());
    writeLegacyTextFile((missing / "x.txt").string(), lines({"x"}));
    EXPECT_TRUE(regularFileExists((missing / "x.txt").string()));
}

std::string messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const PlatformError& e) {
        return e.what();
    }
    return "no failure";
}

std::size_t entries(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}));
}

TEST_F(LegacyTextFileTest, AFolderOrAReadOnlyFileIsNotReplacedAndStaysAsItWas) {
    const fs::path file = folder / "sheet.txt";
    const struct {
        const char* what;
        std::function<void()> make;
        const char* reason;
    } cases[] = {
        {"read-only file",
         [&] {
             writeLegacyTextFile(file.string(), lines({"kept"}));
             fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
         },
         "只读，未覆盖"},
        {"folder", [&] { fs::create_directory(file); }, "是文件夹，不能保存为文件"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(file);
        c.make();
        const auto status = fs::status(file);
        const std::string bytes = fs::is_regular_file(file) ? readBytes(file) : "";
        for (const std::string& message :
             {messageOf([&] { writeLegacyTextFile(file.string(), lines({"new"})); }),
              messageOf([&] { checkReplaceable(file.string()); })})
            EXPECT_NE(message.find(c.reason), std::string::npos) << message;
        EXPECT_EQ(fs::status(file).type(), status.type());
        EXPECT_EQ(fs::status(file).permissions(), status.permissions());
        if (fs::is_regular_file(file)) {
            EXPECT_EQ(readBytes(file), bytes);
        }
        EXPECT_EQ(entries(folder), 1u) << "no temporary file is left behind";
    }
}

TEST_F(LegacyTextFileTest, NewFilesHonourTheUmaskAndReplacedOnesKeepModeAndOwner) {
    const fs::path file = folder / "sheet.txt";
    const mode_t umaskBefore = ::umask(027);
    writeLegacyTextFile(file.string(), lines({"first"}));
    ::umask(umaskBefore);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    ASSERT_EQ(::chmod(file.c_str(), 0604), 0);
    // Only root can give a file away; a colleague's file in a shared folder is what this stands for.
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(file.c_str(), 4242, 4243), 0);
    }
    writeLegacyTextFile(file.string(), lines({"second"}));
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
    if (root) {
        EXPECT_EQ(st.st_uid, 4242u);
        EXPECT_EQ(st.st_gid, 4243u);
    }
    EXPECT_EQ(readBytes(file), "second\r\n");
    EXPECT_EQ(entries(folder), 1u);
}

TEST_F(LegacyTextFileTest, ANameAtTheSystemLimitIsWrittenAndOneBeyondItFailsInChinese) {
    const std::string longest(251, 'n');
    writeLegacyTextFile((folder / (longest + ".txt")).string(), lines({"x"}));
    EXPECT_EQ(readBytes(folder / (longest + ".txt")), "x\r\n");
    const std::string message =
        messageOf([&] { writeLegacyTextFile((folder / (longest + "n.txt")).string(), lines({"x"})); });
    EXPECT_NE(message.find("路径或文件名过长"), std::string::npos) << message;
    EXPECT_EQ(entries(folder), 1u);
}

TEST_F(LegacyTextFileTest, AFolderPathBeyondTheLimitLeavesNoFoldersBehind) {
    fs::path deep = folder;
    for (int i = 0; i < 25; ++i) deep /= std::string(200, 'd'); // over 4096 bytes in all
    const std::string message = messageOf([&] { ensureFolder(deep.string()); });
    EXPECT_NE(message.find("路径或文件名过长"), std::string::npos) << message;
    EXPECT_EQ(entries(folder), 0u);
}

} // namespace
} // namespace qianyan

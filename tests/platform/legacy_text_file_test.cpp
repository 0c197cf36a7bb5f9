#include "platform/legacy_text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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
        folder = fs::temp_directory_path() / ("qianyan-file-" + std::to_string(::getpid()) + "-" +
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

} // namespace
} // namespace qianyan

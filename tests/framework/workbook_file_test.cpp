#include "framework/workbook_file.h"

#include "platform/platform.h"

#include <gmock/gmock.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace qianyan {
namespace {

namespace fs = std::filesystem;

TEST(WorkbookCell, PlainDecimalsBecomeNumbersShownWithTheirDecimals) {
    struct Case {
        const char* shown;
        double number;
        const char* format;
    };
    const Case numbers[] = {
        {"1000", 1000, "0"},
        {"0.70", 0.7, "0.00"},
        {"16820.61", 16820.61, "0.00"},
        {"-12.5", -12.5, "0.0"},
        {"75.3%", 0.753, "0.0%"},
        {"25%", 0.25, "0%"},
        {"97.14%", 0.9714, "0.00%"},
        {"0", 0, "0"},
        {"123456789012345", 123456789012345.0, "0"},
    };
    for (const Case& c : numbers) {
        const WorkbookCell cell = workbookCell(c.shown);
        EXPECT_TRUE(cell.isNumber) << c.shown;
        EXPECT_DOUBLE_EQ(cell.number, c.number) << c.shown;
        EXPECT_EQ(cell.format, c.format) << c.shown;
    }
    // Dashes, depths in d, grades, words and what a double would not give back digit for digit stay texts,
    // without the blanks that spread a word over its column (so that a filter on 圆桩 finds the cell).
    const std::pair<const char*, const char*> texts[] = {{"-", "-"},
                                                         {"", ""},
                                                         {"9.0d", "9.0d"},
                                                         {"C30", "C30"},
                                                         {"圆  桩", "圆桩"},
                                                         {"干 作 业", "干作业"},
                                                         {" 泥浆护壁 ", "泥浆护壁"},
                                                         {"1.", "1."},
                                                         {".5", ".5"},
                                                         {"1e5", "1e5"},
                                                         {"nan", "nan"},
                                                         {"inf", "inf"},
                                                         {"%", "%"},
                                                         {"-%", "-%"},
                                                         {"1,000", "1,000"},
                                                         {" 12", "12"},
                                                         {"1234567890123456", "1234567890123456"},
                                                         {"12.5%%", "12.5%%"},
                                                         {"--1", "--1"},
                                                         {"d = 1000 mm", "d = 1000 mm"}};
    for (const auto& [shown, held] : texts) {
        const WorkbookCell cell = workbookCell(shown);
        EXPECT_FALSE(cell.isNumber) << shown;
        EXPECT_EQ(cell.text, held) << shown;
    }
}

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A folder of its own for the writer's scratch files, so the test sees what they leave behind.
class WorkbookFileTest : public ::testing::Test {
protected:
    WorkbookFileTest()
        : folder(fs::temp_directory_path() / ("qianyan-book-test-" + std::to_string(::getpid()))) {
        fs::remove_all(folder);
        fs::create_directories(folder / "tmp");
        ::setenv("TMPDIR", (folder / "tmp").c_str(), 1);
    }
    ~WorkbookFileTest() override {
        ::unsetenv("TMPDIR");
        fs::remove_all(folder);
    }

    static WorkbookSheet numbered(std::size_t rows) {
        WorkbookSheet sheet{"结果", "", {{"编号", "Ra(kN)"}}, rows, {}, {}};
        sheet.rowCells = [](std::size_t r, std::vector<std::string_view>& cells) {
            cells.assign({"ZH", r % 2 ? "12.50" : "-"});
        };
        return sheet;
    }

    fs::path folder;
};

TEST_F(WorkbookFileTest, AStopHalfWayLeavesTheEarlierFileAndNoScratch) {
    const fs::path file = folder / "a.xlsx";
    std::ofstream(file) << "earlier";
    std::size_t written = 0;
    struct Stop {};
    EXPECT_THROW(writeWorkbook(file.string(), {numbered(100)},
                               [&] {
                                   if (++written == 50) throw Stop{};
                               }),
                 Stop);
    EXPECT_EQ(readBytes(file), "earlier");
    EXPECT_TRUE(fs::is_empty(folder / "tmp"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 2) << "a temporary file remains";
}

// Rows beyond what a sheet holds go on to a second sheet. The sheets' parts are named in the archive's
// directory, which is stored uncompressed.
TEST_F(WorkbookFileTest, RowsBeyondASheetContinueOnTheNext) {
    const fs::path file = folder / "big.xlsx";
    const std::size_t rows = workbookSheetRows; // one more than fits below the header row
    std::size_t written = 0;
    writeWorkbook(file.string(), {numbered(rows)}, [&] { ++written; });
    EXPECT_EQ(written, rows);
    const std::string bytes = readBytes(file);
    EXPECT_EQ(bytes.substr(0, 2), "PK");
    EXPECT_NE(bytes.find("xl/worksheets/sheet2.xml"), std::string::npos);
    EXPECT_EQ(bytes.find("xl/worksheets/sheet3.xml"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(folder / "tmp"));
}

} // namespace
} // namespace qianyan

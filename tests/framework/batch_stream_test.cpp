// The batch written pile by pile against the plain way of writing a whole sheet at the end, on a table
// long enough to span the writers' blocks, with failing piles and targets; a run that fails half-way;
// the table read a block at a time against the whole text parsed at once.
#include "cli/batch_run.h"
#include "cli/calculators.h"
#include "cli/pile_table.h"
#include "documents/sheet_workbook.h"
#include "framework/workbook_file.h"
#include "platform/legacy_text_file.h"
#include "support/window_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace qianyan {
namespace {

namespace fs = std::filesystem;

class BatchStream : public ::testing::Test {
protected:
    BatchStream()
        : folder(testing::freshFolder("batch")), platform(folder.string(), {2024, 5, 6, 14, 3, 27}) {
        fs::create_directories(folder);
    }
    ~BatchStream() override { fs::remove_all(folder); }

    // Runs the table in a fresh window; the window, for its sheets.
    std::unique_ptr<CalculatorFrame> batch(const std::string& table, const fs::path& out, bool keepSheet,
                                           std::string& printed) {
        std::ofstream(folder / "piles.csv", std::ios::binary) << table;
        auto window = makeCalculator("formula1", platform);
        std::ostringstream text;
        runBatch(*window, platform, (folder / "piles.csv").string(), out.string(), text, keepSheet);
        printed = text.str();
        return window;
    }

    static std::set<std::string> names(const fs::path& dir) {
        std::set<std::string> files;
        for (const auto& entry : fs::directory_iterator(dir)) files.insert(entry.path().filename().string());
        return files;
    }
    // Every file of a folder with its bytes.
    static std::map<std::string, std::string> contents(const fs::path& dir) {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(dir))
            files[entry.path().filename().string()] = testing::savedBytes(entry.path());
        return files;
    }

    fs::path folder;
    ScriptedPlatform platform;
};

// A table of piles with a target each, every 37th pile failing on its rock strength and a pile number
// repeated (which fails its pile); its Doc sheet runs past a megabyte, the writers' block.
std::string longTable(int piles, std::string_view oddPile = {}) {
    std::string table = "桩号,cbe_dd,cbe_hr,edt_frk,目标Ra\n";
    for (int p = 1; p <= piles; ++p) {
        const std::string number =
            p == piles / 2 && !oddPile.empty() ? std::string(oddPile) : "ZH-" + std::to_string(p);
        table += number + "," + std::to_string(800 + 100 * (p % 8)) + "," + std::to_string(1 + p % 3) + "d," +
                 (p % 37 == 0 ? std::string("x") : std::to_string(10 + p % 50)) + "," +
                 std::to_string(4000 + 10 * p) + "\n";
        if (p == 100) table += number + ",1000,2d,20,5000\n";
    }
    return table;
}

// The worksheet of a workbook as the archive holds it (its cells; the archive's dates differ by the second).
std::string worksheet(const fs::path& book) {
    std::string xml;
    if (std::FILE* unzip =
            ::popen(("unzip -p '" + book.string() + "' xl/worksheets/sheet1.xml").c_str(), "r")) {
        char block[4096];
        for (std::size_t n; (n = std::fread(block, 1, sizeof block, unzip)) > 0;) xml.append(block, n);
        ::pclose(unzip);
    }
    return xml;
}

TEST_F(BatchStream, WritesWhatTheWholeSheetWouldHoldPileByPile) {
    const std::string table = longTable(540);
    std::string streamed, kept;
    batch(table, folder / "streamed", false, streamed);
    const auto window = batch(table, folder / "kept", true, kept);
    EXPECT_EQ(streamed, kept);
    EXPECT_NE(streamed.find("line 38: 岩石单轴抗压强度值有错"), std::string::npos) << streamed;
    EXPECT_NE(streamed.find("line 102: 桩号“ZH-100”重复"), std::string::npos) << streamed;
    ASSERT_NE(streamed.find("wrote\tpiles_表格.xlsx"), std::string::npos) << streamed;

    // The plain way: the sheets the window kept, written whole.
    const CalculationSheet& sheet = window->sheet();
    ASSERT_EQ(sheet.xlsCells().size(), 540u - 540u / 37 - 1);
    const fs::path plain = folder / "plain";
    fs::create_directories(plain);
    const auto writeWhole = [](const fs::path& file, const std::vector<std::string>& lines) {
        writeLegacyTextFile(file.string(), [&lines](const LineSink& sink) {
            for (const std::string& line : lines) sink(line);
        });
    };
    writeWhole(plain / "piles_文本.txt", sheet.doc());
    writeWhole(plain / "piles_表格.txt", sheet.xls());
    ASSERT_GT(fs::file_size(plain / "piles_文本.txt"), 1u << 20);
    writeSheetWorkbook(sheet, (plain / "piles_表格.xlsx").string(),
                       workbookMark((folder / "streamed" / "piles_表格.xlsx").string()));

    // No temporary left beside the files; the text files as the whole sheets would be.
    std::set<std::string> written = names(plain);
    written.insert("piles_目标.txt");
    EXPECT_EQ(names(folder / "streamed"), written);
    EXPECT_EQ(names(folder / "kept"), written);
    for (const char* name : {"piles_文本.txt", "piles_表格.txt"}) {
        EXPECT_TRUE(testing::savedBytes(folder / "streamed" / name) == testing::savedBytes(plain / name))
            << name;
        EXPECT_TRUE(testing::savedBytes(folder / "kept" / name) == testing::savedBytes(plain / name)) << name;
    }
    const std::string cells = worksheet(plain / "piles_表格.xlsx");
    if (cells.empty()) GTEST_SKIP() << "no unzip to read the workbook's cells with";
    EXPECT_TRUE(worksheet(folder / "streamed" / "piles_表格.xlsx") == cells);
}

TEST_F(BatchStream, AWriteThatFailsHalfWayLeavesTheEarlierFilesWhole) {
    const fs::path out = folder / "out";
    std::string printed;
    batch(longTable(60), out, false, printed);
    const auto earlier = contents(out);
    ASSERT_EQ(earlier.size(), 4u) << printed;

    // A pile number the GBK sheets cannot hold stops the run at that pile.
    batch(longTable(60, "ZH-\U0001F600"), out, false, printed);
    EXPECT_NE(printed.find("batch\t30 根桩，"), std::string::npos) << printed;
    EXPECT_NE(printed.find("error\t保存失败："), std::string::npos) << printed;
    EXPECT_EQ(printed.find("wrote"), std::string::npos) << printed;
    EXPECT_TRUE(contents(out) == earlier);
}

// The reader's blocks end anywhere: in a GBK character, in a quoted cell across lines, in the mark.
TEST(TableReader, ReadsInBlocksWhatTheWholeTextHolds) {
    const fs::path folder = testing::freshFolder("table");
    fs::create_directories(folder);
    std::string text = "桩号\t岩石强度\t备注\n";
    for (int r = 0; r < 20000; ++r)
        text += "桩" + std::to_string(r) + "\t" + std::to_string(r % 90) +
                (r % 7 ? "\t说明\n" : "\t\"两\n行\"\"引号\"\"\"\n");
    const auto records = [](const std::vector<TableRecord>& all) {
        std::vector<std::pair<std::size_t, std::vector<std::string>>> out;
        for (const TableRecord& r : all) out.emplace_back(r.line, r.cells);
        return out;
    };
    for (const std::string& bytes : {"\xEF\xBB\xBF" + text, toGbk(text)}) {
        std::ofstream(folder / "t.csv", std::ios::binary) << bytes;
        ASSERT_GT(bytes.size(), 3u * 65536);
        TableReader reader((folder / "t.csv").string(), bytes.size());
        std::vector<TableRecord> read;
        for (TableRecord r; reader.next(r);) read.push_back(r);
        EXPECT_TRUE(records(read) == records(parseTable(decodeTableText(bytes))));
        EXPECT_EQ(read.size(), 20001u);
        EXPECT_THROW(TableReader((folder / "t.csv").string(), bytes.size() - 1), PlatformError);
    }
    fs::remove_all(folder);
}

} // namespace
} // namespace qianyan

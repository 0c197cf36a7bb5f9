// The batch's pile table: decoding, separators, quoted cells and their lines; and what a table does to a
// window: header by name or label, layers per pile, a failing pile named by its line while the rest run.
#include "cli/batch_run.h"
#include "cli/calculators.h"
#include "cli/pile_table.h"
#include "platform/legacy_text_file.h"
#include "support/window_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace qianyan {
namespace {

std::vector<std::pair<std::size_t, std::vector<std::string>>> parsed(std::string_view text) {
    std::vector<std::pair<std::size_t, std::vector<std::string>>> out;
    for (const TableRecord& r : parseTable(text)) out.emplace_back(r.line, r.cells);
    return out;
}

TEST(PileTable, DecodesUtf8WithOrWithoutMarkAndGbk) {
    EXPECT_EQ(decodeTableText("\xEF\xBB\xBF桩号,d"), "桩号,d");
    EXPECT_EQ(decodeTableText("桩号,d"), "桩号,d");
    EXPECT_EQ(decodeTableText(toGbk("桩号,岩石强度")), "桩号,岩石强度");
}

TEST(PileTable, SplitsRecordsAndCells) {
    using Rows = std::vector<std::pair<std::size_t, std::vector<std::string>>>;
    EXPECT_EQ(parsed("a,b\r\n1, 2 \r\n"), (Rows{{1, {"a", "b"}}, {2, {"1", "2"}}}));
    // A tab in the first line makes tabs the separator; commas are then text.
    EXPECT_EQ(parsed("a\tb\n1,5\t2"), (Rows{{1, {"a", "b"}}, {2, {"1,5", "2"}}}));
    // Quotes keep separators, doubled quotes, blanks and line breaks; the next record knows its line.
    EXPECT_EQ(parsed("a,b\n\" x,\"\"y\"\" \",\"two\nlines\"\n\n3,4"),
              (Rows{{1, {"a", "b"}}, {2, {" x,\"y\" ", "two\nlines"}}, {5, {"3", "4"}}}));
    EXPECT_EQ(parsed(""), Rows{});
}

struct BatchCase {
    std::string_view window, table, expected;
};

class Batch : public ::testing::TestWithParam<BatchCase> {
protected:
    Batch() : folder(testing::freshFolder("batch")), platform(folder.string(), {2024, 5, 6, 14, 3, 27}) {
        std::filesystem::create_directories(folder);
    }
    ~Batch() override { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
    ScriptedPlatform platform;
};

const BatchCase batchCases[] = {
    // Headers by control name, by label without its blanks, a tick in words; a disabled input and a
    // tick that is no tick fail their piles only.
    {"formula1_soil", "cbe_dd,桩身嵌岩深度hr(mm),考虑桩周土体侧阻力,桩号,Grid1_Zhengmozhulijisuan.x\n",
     "error\t表头第 5 列“Grid1_Zhengmozhulijisuan.x”不是本窗口的输入\n"},
    {"formula1_soil",
     "cbe_dd,桩身嵌岩深度hr(mm),考虑桩周土体侧阻力,桩号,grd1_02_Flo_Tuhoudu,grd1_03_Flo_Tuqsik\n"
     "1000,2d,是,1,5,60\n,,,1,6,80\n1200,3d,maybe,2,,\n",
     "line 4: ckb_zhengmozhuli 只接受 1 或 0\nbatch\t2 根桩，1 根算出，1 根失败\nwrote\tpiles_文本.txt\n"
     "wrote\tpiles_表格.txt\nwrote\tpiles.xlsx\n"},
    {"formula1_soil", "桩号,qsik(kPa)\n", "error\t表头第 2 列“qsik(kPa)”所指不唯一，请改用控件名或列名\n"},
    // Two headers for one input.
    {"formula2", "cbe_dd,桩身直径d(mm)\n1000,1000\n", "error\t表头第 2 列“桩身直径d(mm)”重复\n"},
    // Ten layers where the list offers nine; a typed coefficient while the column is hidden.
    {"formula3",
     "桩号,嵌岩 lr(m),岩石强度frk (MPa),人工指定 ζs\n"
     "A,1,10,\nA,1,10,\nA,1,10,\nA,1,10,\nA,1,10,\nA,1,10,\nA,1,10,\nA,1,10,\nA,1,10,\nA,1,10,\n"
     "B,2,20,0.05\nC,2,20,\n",
     "line 2: StringGrid_KELD3 不能有 10 层\nline 12: StringGrid_KELD3 的 strgrd03_Flo_KesaisZD "
     "列当前不可填写\n"
     "batch\t3 根桩，1 根算出，2 根失败\nwrote\tpiles_文本.txt\nwrote\tpiles_表格.txt\nwrote\tpiles.xlsx\n"},
};

TEST_P(Batch, RunsEveryPileAndNamesTheLinesThatFail) {
    std::ofstream(folder / "piles.csv", std::ios::binary) << GetParam().table;
    const auto window = makeCalculator(GetParam().window, platform);
    std::ostringstream out;
    runBatch(*window, platform, (folder / "piles.csv").string(), (folder / "out").string(), out);
    EXPECT_EQ(out.str(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Tables, Batch, ::testing::ValuesIn(batchCases));

} // namespace
} // namespace qianyan

// The batch's pile table: decoding, separators, quoted cells and their lines; and what a table does to a
// window: header by name or label, layers per pile, a failing pile named by its line while the rest run;
// the rows of a pile; the files a batch may write.
#include "cli/batch_run.h"
#include "cli/calculators.h"
#include "cli/pile_table.h"
#include "framework/window_state.h"
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

class BatchFolder : public ::testing::Test {
protected:
    BatchFolder()
        : folder(testing::freshFolder("batch")), platform(folder.string(), {2024, 5, 6, 14, 3, 27}) {
        std::filesystem::create_directories(folder);
    }
    ~BatchFolder() override { std::filesystem::remove_all(folder); }

    std::string batch(std::string_view window, std::string_view table) {
        std::ofstream(folder / "piles.csv", std::ios::binary) << table;
        const auto calculator = makeCalculator(window, platform);
        std::ostringstream out;
        runBatch(*calculator, platform, (folder / "piles.csv").string(), (folder / "out").string(), out);
        return out.str();
    }

    std::filesystem::path folder;
    ScriptedPlatform platform;
};

class Batch : public BatchFolder, public ::testing::WithParamInterface<BatchCase> {};

const BatchCase batchCases[] = {
    // Headers by control name, by label without its blanks, a tick in words; a disabled input and a
    // tick that is no tick fail their piles only, named as the window shows them.
    {"formula1_soil", "cbe_dd,桩身嵌岩深度hr(mm),考虑桩周土体侧阻力,桩号,Grid1_Zhengmozhulijisuan.x\n",
     "error\t表头第 5 列“Grid1_Zhengmozhulijisuan.x”不是本窗口的输入\n"},
    {"formula1_soil",
     "cbe_dd,桩身嵌岩深度hr(mm),考虑桩周土体侧阻力,桩号,grd1_02_Flo_Tuhoudu,grd1_03_Flo_Tuqsik\n"
     "1000,2d,是,1,5,60\n,,,1,6,80\n1200,3d,maybe,2,,\n",
     "line 4: “考虑桩周土体侧阻力”只接受 1 或 0\nbatch\t2 根桩，1 根算出，1 根失败\n"
     "wrote\tpiles_文本.txt\nwrote\tpiles_表格.txt\nwrote\tpiles_表格.xlsx\n"},
    {"formula1_soil", "桩号,qsik(kPa)\n", "error\t表头第 2 列“qsik(kPa)”所指不唯一，请改用控件名或列名\n"},
    // Two headers for one input.
    {"formula2", "cbe_dd,桩身直径d(mm)\n1000,1000\n", "error\t表头第 2 列“桩身直径d(mm)”重复\n"},
    // Ten layers where the list offers nine; a typed coefficient while the column is hidden.
    {"formula3",
     "桩号,嵌岩 lr(m),岩石强度frk (MPa),人工指定 ζs\n"
     "A,1,10,\nA,1,10,\nA,1,10,\nA,1,10,\nA,1,10,\nA,1,10,\nA,1,10,\nA,1,10,\nA,1,10,\nA,1,10,\n"
     "B,2,20,0.05\nC,2,20,\n",
     "line 2: “基岩参数”不能有 10 层\nline 12: “基岩参数”的“人工指定 ζs”列当前不可填写\n"
     "batch\t3 根桩，1 根算出，2 根失败\n"
     "wrote\tpiles_文本.txt\nwrote\tpiles_表格.txt\nwrote\tpiles_表格.xlsx\n"},
    // A pile whose rows are not consecutive would be two piles of one number: the table is refused at
    // the row that comes back, before any pile.
    {"formula3", "桩号,嵌岩 lr(m),岩石强度frk (MPa)\nP1,1,10\nP1,2,20\nP2,2,20\nP1,1,10\n",
     "error\tline 5: 桩号“P1”已见于第 2 行，其间隔着别的桩：一根桩的各行须相连\n"},
    // Without layers a pile is one row: a repeated number fails that pile, not the others.
    {"formula1", "桩号,cbe_dd\nZH-1,1000\nZH-1,1200\nZH-2,1100\n",
     "line 3: 桩号“ZH-1”重复：本窗口没有分层，一根桩只占一行\nbatch\t2 根桩，1 根算出，1 根失败\n"
     "wrote\tpiles_文本.txt\nwrote\tpiles_表格.txt\nwrote\tpiles_表格.xlsx\n"},
    // An input may stand on any row of its pile, but only with one value.
    {"formula3",
     "桩号,桩身直径d(mm),嵌岩 lr(m),岩石强度frk (MPa)\nP1,1200,1,10\nP1,1000,2,20\nP2,,2,20\nP2,1400,1,10\n",
     "line 3: “桩身直径 d (mm)”为“1000”，与本桩第 2 行的“1200”不同\nbatch\t2 根桩，1 根算出，1 根失败\n"
     "wrote\tpiles_文本.txt\nwrote\tpiles_表格.txt\nwrote\tpiles_表格.xlsx\n"},
};

TEST_P(Batch, RunsEveryPileAndNamesTheLinesThatFail) {
    EXPECT_EQ(batch(GetParam().window, GetParam().table), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Tables, Batch, ::testing::ValuesIn(batchCases));

// Messages (a batch's, a project file's) name an input or a layer table as the window shows it, so each
// has a label, text or group box to be named by.
TEST(DeclaredInputs, EveryInputHasANameThePersonSees) {
    ScriptedPlatform platform("/nonexistent", {2024, 5, 6, 14, 3, 27});
    for (const std::string_view name : calculatorNames()) {
        const auto window = makeCalculator(name, platform);
        for (const DeclaredControl& c : window->declaration().all()) {
            if (isInput(c) || isEditedGrid(c)) {
                EXPECT_NE(c.shownName(), "") << name << ": " << c.name;
            }
        }
    }
}

// The batch's files have names of their own, so the engineer's workbook beside the table (say the one the
// table came from) stays; a batch reruns over what it wrote, but stops, writing nothing, where one of its
// names holds a file it did not write or one changed since.
TEST_F(BatchFolder, WritesTheDepthAndDiameterEachPileNeedsBesideTheSheets) {
    // A pile that meets its target, one no depth of its diameter can carry (a larger diameter can), one
    // with an axial load its body cannot take at any listed diameter, and one that fails.
    const std::string out = batch("formula1", "桩号,cbe_dd,cbe_hr,edt_frk,目标Ra,轴力N\n"
                                              "A,1200,1.0d,25,9000,\n"
                                              "B,1000,1.0d,25,30000,\n"
                                              "C,1000,1.0d,25,5000,1e9\n"
                                              "D,1000,1.0d,x,5000,\n");
    EXPECT_NE(out.find("wrote\tpiles_目标.txt"), std::string::npos) << out;
    EXPECT_EQ(
        testing::savedLines(folder / "out" / "piles_目标.txt"),
        (std::vector<std::string>{"桩号\t目标Ra(kN)\t轴力N(kN)\t所需嵌岩深度或最下层长度\t所需桩径d(mm)",
                                  "A\t9000\t\t410\t1100", "B\t30000\t\t达不到\t1900", "C\t5000\t1e9\t24\t无",
                                  "D\t-\t-\t未算出\t未算出"}));
    // Without a target column the batch writes its three files only.
    EXPECT_EQ(batch("formula1", "cbe_dd\n1000\n").find("目标"), std::string::npos);
}

TEST_F(BatchFolder, ReplacesOnlyWhatItWroteItself) {
    const std::filesystem::path out = folder / "out";
    const auto read = [](const std::filesystem::path& file) {
        std::ostringstream text;
        text << std::ifstream(file, std::ios::binary).rdbuf();
        return text.str();
    };
    const auto put = [](const std::filesystem::path& file, std::string_view text) {
        std::ofstream(file, std::ios::binary) << text;
    };
    const std::string table = "桩号,cbe_dd\nZH-1,1000\n";
    const std::string wrote = "batch\t1 根桩，1 根算出，0 根失败\n"
                              "wrote\tpiles_文本.txt\nwrote\tpiles_表格.txt\nwrote\tpiles_表格.xlsx\n";
    std::filesystem::create_directories(out);
    put(out / "piles.xlsx", "the engineer's workbook");
    EXPECT_EQ(batch("formula1", table), wrote);
    EXPECT_EQ(batch("formula1", table), wrote);
    EXPECT_EQ(read(out / "piles.xlsx"), "the engineer's workbook");

    const auto refused = [&](const std::filesystem::path& file) {
        return "error\t" + file.string() +
               " 已存在，且不是这个表格的批量计算所写（或写后改动过），不会替换\n" +
               "error\t什么也没有写：请移走上面的文件，或用 --out 另选文件夹\n";
    };
    const std::string book = read(out / "piles_表格.xlsx");
    put(out / "piles_表格.txt", "edited by hand");
    EXPECT_EQ(batch("formula1", table), refused(out / "piles_表格.txt"));
    EXPECT_EQ(read(out / "piles_表格.txt"), "edited by hand");
    EXPECT_EQ(read(out / "piles_表格.xlsx"), book);

    // A workbook without the batch's mark (one a spreadsheet program saved again, or any other).
    std::filesystem::remove_all(out);
    std::filesystem::create_directories(out);
    put(out / "piles_表格.xlsx", "PK\x05\x06 not the batch's");
    EXPECT_EQ(batch("formula1", table), refused(out / "piles_表格.xlsx"));
    EXPECT_EQ(read(out / "piles_表格.xlsx"), "PK\x05\x06 not the batch's");
    EXPECT_FALSE(std::filesystem::exists(out / "piles_文本.txt"));
}

} // namespace
} // namespace qianyan

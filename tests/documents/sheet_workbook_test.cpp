#include "documents/sheet_workbook.h"

#include "formula2/formula2_window.h"
#include "support/calculator_fixture.h"
#include "support/window_fixture.h"

#include <gmock/gmock.h>

#include <fstream>

namespace qianyan {
namespace {

using ::testing::ElementsAre;

class SheetTable : public testing::CalculatorFixture<std::string_view> {
protected:
    SheetTable() : CalculatorFixture("sheet_table", GetParam()) {}
};
INSTANTIATE_TEST_SUITE_P(EveryCalculator, SheetTable, testing::everyCalculator(), testing::ByCalculator());

// Every calculator, in a mode with decimals and one without: a header cell over every row cell, and the
// cells are the row's texts in order.
TEST_P(SheetTable, HasAHeaderCellOverEveryCellOfEveryRow) {
    CalculatorFrame& w = *window;
    w.click("cbt_compute");
    w.click("cbt_JingDu");
    w.chooseItem("popbox_jingdu", static_cast<int>(PrecisionMode::Tens)); // computes a second design
    const WorkbookTable table = sheetWorkbookTable(w.sheet());
    ASSERT_EQ(table.header.size(), 2u);
    ASSERT_EQ(table.rows.size(), 2u);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const std::vector<std::string>& row = table.rows[r];
        EXPECT_EQ(row.size(), table.header[0].size());
        EXPECT_EQ(row.size(), table.header[1].size());
        const std::string& line = w.sheet().xls()[5 + r];
        std::size_t at = 0;
        for (const std::string& cell : row) {
            EXPECT_FALSE(cell.empty());
            at = line.find(cell, at);
            ASSERT_NE(at, std::string::npos) << cell << " not in order in " << line;
            at += cell.size();
        }
        EXPECT_EQ(line.find_first_not_of(' ', at), std::string::npos) << line;
    }
    for (const auto& header : table.header)
        for (const std::string& cell : header) EXPECT_FALSE(cell.empty());
    EXPECT_EQ(table.rows[0][0], "ZH1");
    EXPECT_EQ(table.notes.back(), "计算时间：2024/5/6 14:03:27");
}

using Formula2Table = testing::WindowFixture<TVOR_FRM_KELD2>;

// The second header line is spaced for the legacy code page (a Greek letter two columns wide).
TEST_F(Formula2Table, SplitsTheHeaderAtTheSlotsOfTheCells) {
    window.click("cbt_compute");
    const WorkbookTable table = sheetWorkbookTable(window.sheet());
    EXPECT_THAT(table.header[1], ElementsAre("编号", "类型", "d(mm)", "hr(mm)", "frk(MPa)", "工艺", "hr/d",
                                             "ζs", "Qrs(kN)", "占百分比", "ζp", "Qrp(kN)", "占百分比",
                                             "Qrk(kN)", "Ra(kN)", "强度等级", "ψc", "Rc(kN)"));
    EXPECT_THAT(table.rows[0],
                ElementsAre("ZH1", "圆  桩", "1000", "1.0d", "25.00", "泥浆护壁", "1.0000", "0.0533", "4189",
                            "25%", "0.6433", "12632", "75%", "16821", "8410", "C30", "0.70", "7862"));
    window.click("cbt_View");
    window.click("cbt_sanchu");
    EXPECT_TRUE(sheetWorkbookTable(window.sheet()).rows.empty());
}

TEST_F(Formula2Table, AFailedWriteSaysWhyAndLeavesTheExistingFileWhole) {
    window.click("cbt_compute");
    std::filesystem::create_directories(documents / "folder.xlsx");
    EXPECT_THROW(writeSheetWorkbook(window.sheet(), (documents / "folder.xlsx").string()), PlatformError);
    EXPECT_TRUE(std::filesystem::is_directory(documents / "folder.xlsx"));
    EXPECT_THROW(writeSheetWorkbook(window.sheet(), (documents / "missing" / "a.xlsx").string()),
                 PlatformError);

    const auto file = documents / "a.xlsx";
    std::ofstream(file) << "old";
    writeSheetWorkbook(window.sheet(), file.string());
    std::ifstream in(file, std::ios::binary);
    std::string start(2, '\0');
    in.read(start.data(), 2);
    EXPECT_EQ(start, "PK"); // a zip archive, as every workbook is
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(documents), {}), 2)
        << "a temporary file remains";
}

// The sheet page's exports: the path is asked, declining writes nothing, a failure is reported.
TEST_F(Formula2Table, AnExportAsksForThePathAndReportsAFailure) {
    window.click("cbt_compute");
    const auto write = [&](const std::string& path) { writeSheetWorkbook(window.sheet(), path); };
    platform.savePaths = {"", (documents / "missing" / "a.xlsx").string()};
    EXPECT_FALSE(window.exportFile("表格.xlsx", "Excel (*.xlsx)", write));
    EXPECT_FALSE(window.exportFile("表格.xlsx", "Excel (*.xlsx)", write));
    EXPECT_THAT(dialogTexts(), ElementsAre("保存失败：文件“" + (documents / "missing" / "a.xlsx").string() +
                                           "”写入失败：文件夹不存在"));
    EXPECT_TRUE(window.exportFile("表格.xlsx", "Excel (*.xlsx)", write));
    EXPECT_TRUE(std::filesystem::exists(documents / "表格.xlsx"));
    platform.permissionGranted = false;
    EXPECT_FALSE(window.exportFile("other.xlsx", "Excel (*.xlsx)", write));
    EXPECT_FALSE(std::filesystem::exists(documents / "other.xlsx"));
}

} // namespace
} // namespace qianyan

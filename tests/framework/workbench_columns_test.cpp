// The columns every calculator declares for its workbench: the pieces of the table file's header lines
// stand over their cells, so that a cell whose width changes without its header (or the reverse) shows
// here rather than as a header shifted against the rows of a saved file.
#include "framework/text_layout.h"
#include "support/calculator_fixture.h"

#include <gmock/gmock.h>

#include <set>

namespace qianyan {
namespace {

class WorkbenchColumnsTest : public testing::CalculatorFixture<std::string_view> {
protected:
    WorkbenchColumnsTest() : CalculatorFixture("columns", GetParam()) {}

    const WorkbenchDeclaration& declared() const { return window->workbench.declaration(); }
};

TEST_P(WorkbenchColumnsTest, EveryHeaderPieceIsAsWideAsItsCellAndTheLinesAsTheRule) {
    const auto expectFits = [](const TableFileCell& cell, std::string_view where) {
        if (cell.write) return; // writes several cells; its pieces span them
        for (const std::string_view piece : cell.header)
            EXPECT_EQ(displayWidth(piece), cell.width + cell.blanksAfter) << where << ": \"" << piece << '"';
    };
    for (const WorkbenchColumn& column : declared().columns)
        if (column.file) expectFits(*column.file, column.name);
    for (const TableFileCell& cell : declared().fileOnlyCells) expectFits(cell, cell.text);
    for (const std::string& line : window->workbench.tableFileHeader())
        EXPECT_EQ(displayWidth(line), declared().fileWidth) << line;
}

TEST_P(WorkbenchColumnsTest, NamesAndTableFilePlacesAreUnique) {
    std::set<std::string_view> names;
    std::set<int> places;
    for (const WorkbenchColumn& column : declared().columns) {
        EXPECT_TRUE(names.insert(column.name).second) << column.name;
        if (column.file) {
            EXPECT_TRUE(places.insert(column.file->place).second) << column.name;
        }
    }
    for (const TableFileCell& cell : declared().fileOnlyCells)
        EXPECT_TRUE(places.insert(cell.place).second) << cell.text;
}

TEST_P(WorkbenchColumnsTest, TheFirstColumnIsTheLabelTheOthersHaveASourceOrStayEmpty) {
    const auto columns = declared().columns;
    ASSERT_FALSE(columns.empty());
    EXPECT_EQ(columns[0].name, candidateLabelColumn.name);
    EXPECT_EQ(columns[0].source, nullptr);
    for (const WorkbenchColumn& column : columns.subspan(1))
        EXPECT_TRUE(column.source || column.header == "备注") << column.name;
}

INSTANTIATE_TEST_SUITE_P(EveryCalculator, WorkbenchColumnsTest, ::testing::ValuesIn(calculatorNames()),
                         [](const auto& info) { return std::string(info.param); });

} // namespace
} // namespace qianyan

#pragma once
// The Xls sheet as a spreadsheet workbook: a row per design, numbers as numbers with the decimals the
// sheet shows them with, texts as texts, the two header lines as header rows above them.
#include "framework/calculation_sheet.h"
#include "framework/workbook_file.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

// What goes into the workbook, as texts the way the sheet shows them.
struct WorkbookTable {
    std::string title;
    std::vector<std::vector<std::string>> header; // rows of header cells (with their units)
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> notes; // below the table: the note and the time line
};
// The Xls sheet's table; no rows when the sheet holds no design.
WorkbookTable sheetWorkbookTable(const CalculationSheet& sheet);
// The same without its rows, from the sheet's head lines, its first row's cells and its foot lines: what a
// batch, which writes the rows as they come, keeps of the sheet.
WorkbookTable xlsFrameTable(std::span<const std::string> head, const std::vector<XlsCell>& firstRow,
                            std::span<const std::string> foot);

using WorkbookRowCells = std::function<void(std::size_t row, std::vector<std::string_view>& cells)>;
// Writes the table's frame with rowCount rows from rowCells as a workbook at path, as writeSheetWorkbook.
void writeTableWorkbook(const WorkbookTable& frame, std::size_t rowCount, const WorkbookRowCells& rowCells,
                        const std::string& path, std::string_view mark = {},
                        const std::function<void()>& rowWritten = {});

// Writes the Xls sheet as a workbook at path, whole or not at all (an existing file stays as it was),
// with a mark in it when one is given (see workbookMark); rowWritten as writeWorkbook takes it. Throws
// PlatformError saying why.
void writeSheetWorkbook(const CalculationSheet& sheet, const std::string& path, std::string_view mark = {},
                        const std::function<void()>& rowWritten = {});

} // namespace qianyan

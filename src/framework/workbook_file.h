#pragma once
// Tables as a spreadsheet workbook: numbers as numbers with the decimals they are shown with, texts as
// texts without the blanks that spread them over a fixed-width column, the header rows frozen above them,
// columns as wide as their texts. Each sheet prints landscape on A4, one page wide, its header rows on
// every page; the book's properties carry its title and the program's name. The rows are streamed, so a
// table of a million rows costs no more memory than one of ten.
#include "framework/workbook_archive.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

// A shown cell as a workbook holds it: a plain decimal (optionally a share with "%") becomes a number
// whose format shows exactly that text; anything else ("-", "9.0d", "C30") stays a text, without the
// blanks a fixed-width column put into it (see shownLabel: "圆  桩" holds "圆桩").
struct WorkbookCell {
    bool isNumber = false;
    double number = 0;
    std::string format; // "0", "0.00", "0.0%"
    std::string text;
};
WorkbookCell workbookCell(std::string_view shown);

// One table of a workbook. Rows beyond what a sheet holds continue on further sheets ("名称(2)", …),
// each with the header rows again.
struct WorkbookSheet {
    std::string name;  // of the sheet's tab
    std::string title; // a row of its own above the header, across the columns; none when empty
    std::vector<std::vector<std::string>> header;
    std::size_t rowCount = 0;
    // The shown texts of a row, into cells.
    std::function<void(std::size_t row, std::vector<std::string_view>& cells)> rowCells;
    std::vector<std::string> notes; // below the rows, after a blank row
};

// The most rows a sheet holds, header rows included.
constexpr std::size_t workbookSheetRows = 1'048'576;

// Writes the sheets as a workbook at path, titled as its first sheet with a title, whole or not at all (an
// existing file stays as it was); rowWritten is called after every row of a table and may throw to stop the
// writing. A mark (at most workbookMarkLimit bytes) goes into the comment of the book's archive. Throws
// PlatformError saying why.
void writeWorkbook(const std::string& path, const std::vector<WorkbookSheet>& sheets,
                   const std::function<void()>& rowWritten = {}, std::string_view mark = {});

// The program's mark on a workbook it wrote: spreadsheet programs neither show the archive's comment nor
// keep it when they save the book again, so a book that still carries its mark is as the program left it.
// Empty for a file without one (or none at all).
std::string workbookMark(const std::string& path);
constexpr std::size_t workbookMarkLimit = archiveCommentLimit;

} // namespace qianyan

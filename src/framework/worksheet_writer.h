#pragma once
// One sheet of a workbook written row by row. The columns' widths are known only after the last row but
// stand before the rows in the sheet's XML, so the rows are deflated into an unnamed scratch file as they
// come (memory stays flat at a million rows) and the part goes into the archive at the end: its head with
// the widths deflated, the rows' deflated bytes copied behind it, the tail, as one deflate stream. The rows
// are deflated in a block of their own on a second thread while the next block is being made.
#include "framework/workbook_parts.h"
#include "framework/zip_writer.h"

#include <cstddef>
#include <future>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

// A shown plain decimal ("12.50", "-3", "75.3%"): its value (a share as a fraction) and its decimals.
struct PlainNumber {
    double value = 0;
    int decimals = 0;
    bool share = false;
};
// Empty for any other text, and for one with more digits than a double gives back exactly.
std::optional<PlainNumber> plainNumber(std::string_view shown);

class WorksheetWriter {
public:
    WorksheetWriter(WorkbookStyles& styles, std::size_t columns);
    WorksheetWriter(const WorksheetWriter&) = delete;
    WorksheetWriter& operator=(const WorksheetWriter&) = delete;
    ~WorksheetWriter();

    // A row of its own, bold and centred across the columns; its text does not widen the first column.
    void titleRow(std::string_view title);
    void headerRow(const std::vector<std::string>& texts);
    // The rows so far stay in view above the rest.
    void freezeRowsAbove() { frozenRows_ = rows_; }
    // Plain decimals as numbers shown with their decimals, other texts as shown labels.
    void row(const std::vector<std::string_view>& shown);
    // A text in the first column that runs on over the cells beside it, so it does not widen its column.
    void noteRow(std::string_view text);
    void blankRow() { ++rows_; }
    std::size_t rows() const { return rows_; }

    void finish(ZipWriter& zip, std::string_view partName, bool selected);

private:
    void startRow();
    void endRow();
    void handOverRows();
    void cellStart(std::size_t column, int style);
    void textCell(std::size_t column, std::string_view text, int style);
    void widen(std::size_t column, int width);
    std::string head(bool selected) const;
    std::string tail() const;

    WorkbookStyles& styles_;
    std::size_t columns_;
    int scratch_ = -1;
    Deflater rowsDeflated_;
    std::string xml_, deflating_;
    std::size_t rows_ = 0, frozenRows_ = 0, nextColumn_ = 0, usedColumns_ = 0;
    bool titled_ = false;
    std::vector<int> widths_;
    std::future<void> deflated_;
};

} // namespace qianyan

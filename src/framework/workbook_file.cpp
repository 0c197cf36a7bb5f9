#include "framework/workbook_file.h"

#include "framework/text_layout.h"
#include "framework/workbook_parts.h"
#include "framework/worksheet_writer.h"
#include "framework/zip_writer.h"
#include "platform/legacy_text_file.h"

#include <algorithm>

namespace qianyan {

namespace {

constexpr std::string_view programName = "qianyan";

// The book's sheets, written into the archive one after another as their rows come.
class BookWriter {
public:
    explicit BookWriter(const ByteSink& out) : zip_(out) {}

    void write(const WorkbookSheet& table, const std::function<void()>& rowWritten) {
        std::size_t columns = 1;
        for (const auto& row : table.header) columns = std::max(columns, row.size());
        std::vector<std::string_view> cells;
        std::size_t next = 0;
        for (int part = 1;; ++part) {
            WorkbookPartSheet& named = sheets_.emplace_back();
            named.name = part == 1 ? table.name : table.name + "(" + std::to_string(part) + ")";
            WorksheetWriter sheet(styles_, columns);
            if (part == 1 && !table.title.empty()) sheet.titleRow(table.title);
            named.firstHeaderRow = sheet.rows();
            named.headerRows = table.header.size();
            for (const auto& texts : table.header) sheet.headerRow(texts);
            sheet.freezeRowsAbove();
            for (; next < table.rowCount && sheet.rows() < workbookSheetRows; ++next) {
                table.rowCells(next, cells);
                sheet.row(cells);
                if (rowWritten) rowWritten();
            }
            const bool notesFit =
                next == table.rowCount && sheet.rows() + 1 + table.notes.size() <= workbookSheetRows;
            if (notesFit) {
                sheet.blankRow();
                for (const std::string& note : table.notes) sheet.noteRow(note);
            }
            sheet.finish(zip_, worksheetPartName(sheets_.size() - 1), sheets_.size() == 1);
            if (notesFit) return;
        }
    }

    // The parts that name the sheets and the styles their cells use, then the archive's directory.
    void close(std::string_view title, std::string_view mark) {
        zip_.add("xl/styles.xml", styles_.xml());
        zip_.add("xl/workbook.xml", bookXml(sheets_));
        zip_.add("xl/_rels/workbook.xml.rels", bookRelationsXml(sheets_.size()));
        zip_.add("docProps/core.xml", corePropertiesXml(title));
        zip_.add("docProps/app.xml", applicationPropertiesXml(programName));
        zip_.add("_rels/.rels", packageRelationsXml());
        zip_.add("[Content_Types].xml", contentTypesXml(sheets_.size()));
        zip_.finish(mark);
    }

private:
    ZipWriter zip_;
    WorkbookStyles styles_;
    std::vector<WorkbookPartSheet> sheets_;
};

} // namespace

WorkbookCell workbookCell(std::string_view shown) {
    WorkbookCell cell;
    cell.text = shownLabel(shown);
    const auto number = plainNumber(shown);
    if (!number) return cell;
    cell.isNumber = true;
    cell.number = number->value;
    cell.format = WorkbookStyles::formatCode(number->decimals, number->share);
    return cell;
}

void writeWorkbook(const std::string& path, const std::vector<WorkbookSheet>& sheets,
                   const std::function<void()>& rowWritten, std::string_view mark) {
    if (mark.size() > workbookMarkLimit) throw PlatformError("无法生成Excel工作簿：工作簿无法标记");
    const auto titled = std::find_if(sheets.begin(), sheets.end(),
                                     [](const WorkbookSheet& sheet) { return !sheet.title.empty(); });
    writeBinaryFile(path, [&](const ByteSink& sink) {
        BookWriter book(sink);
        for (const WorkbookSheet& sheet : sheets) book.write(sheet, rowWritten);
        // A book holds at least one sheet, if an empty one.
        if (sheets.empty()) book.write(WorkbookSheet{"Sheet1", {}, {}, 0, {}, {}}, rowWritten);
        book.close(titled == sheets.end() ? std::string_view() : std::string_view(titled->title), mark);
    });
}

std::string workbookMark(const std::string& path) {
    return archiveComment(path);
}

} // namespace qianyan

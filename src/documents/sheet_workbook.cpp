#include "documents/sheet_workbook.h"

#include "framework/text_layout.h"
#include "framework/utf8.h"
#include "platform/legacy_text_file.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <unistd.h>

namespace qianyan {

namespace {

constexpr std::size_t headerLineCount = 5; // title, rule, two column lines, rule
constexpr int mostSignificantDigits = 15;  // what a double gives back exactly as decimal text

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The header line cut at the cells' slot ends, each piece without its blanks; between CJK characters
// blanks only spread a word over the slot ("基    桩"), so they go. The header lines are spaced for the
// legacy code page, where every character beyond ASCII takes two bytes, Greek letters included.
std::vector<std::string> headerCells(std::string_view line, const std::vector<XlsCell>& cells) {
    std::vector<std::string> texts;
    std::size_t pos = 0;
    int column = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::size_t start = pos;
        const bool last = i + 1 == cells.size();
        while (pos < line.size() && (last || column < cells[i].slotEnd)) {
            const Utf8Char c = decodeUtf8(line, pos);
            column += c.codePoint < 0x80 ? 1 : 2;
            pos += c.length;
        }
        const std::string_view piece = trimmed(line.substr(start, pos - start));
        std::string text;
        for (std::size_t k = 0; k < piece.size(); ++k) {
            if (piece[k] == ' ') {
                const std::size_t next = piece.find_first_not_of(' ', k);
                const bool wide = static_cast<unsigned char>(piece[k - 1]) >= 0x80 &&
                                  static_cast<unsigned char>(piece[next]) >= 0x80;
                if (wide) {
                    k = next - 1;
                    continue;
                }
            }
            text += piece[k];
        }
        texts.push_back(std::move(text));
    }
    return texts;
}

// A private folder for the library's own files, removed on every way out.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qianyan-book-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw PlatformError("无法生成Excel工作簿：临时文件夹无法创建");
        path_ = pattern;
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

int columnWidth(const WorkbookTable& table, std::size_t column) {
    int width = 4;
    const auto widen = [&](const std::vector<std::vector<std::string>>& rows) {
        for (const auto& row : rows)
            if (column < row.size()) width = std::max(width, displayWidth(row[column]));
    };
    widen(table.header);
    widen(table.rows);
    return width + 2;
}

} // namespace

WorkbookCell workbookCell(std::string_view shown) {
    WorkbookCell cell;
    cell.text = std::string(shown);
    const bool share = !shown.empty() && shown.back() == '%';
    const std::string_view number = share ? shown.substr(0, shown.size() - 1) : shown;
    const std::size_t digitsFrom = !number.empty() && number.front() == '-' ? 1 : 0;
    const std::size_t point = number.find('.');
    const std::string_view whole =
        number.substr(digitsFrom, point == std::string_view::npos ? number.npos : point - digitsFrom);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
    const bool plain = !whole.empty() && std::all_of(whole.begin(), whole.end(), isDigit) &&
                       (point == std::string_view::npos || !decimals.empty()) &&
                       std::all_of(decimals.begin(), decimals.end(), isDigit) &&
                       whole.size() + decimals.size() <= mostSignificantDigits;
    if (!plain) return cell;
    double value = 0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    cell.isNumber = true;
    cell.number = share ? value / 100 : value;
    cell.format = decimals.empty() ? "0" : "0." + std::string(decimals.size(), '0');
    if (share) cell.format += '%';
    return cell;
}

WorkbookTable sheetWorkbookTable(const CalculationSheet& sheet) {
    WorkbookTable table;
    table.title = "嵌岩桩计算书";
    const std::vector<std::string>& xls = sheet.xls();
    const auto& cells = sheet.xlsCells();
    if (cells.empty() || xls.size() < headerLineCount + cells.size()) return table;
    table.header = {headerCells(xls[2], cells.front()), headerCells(xls[3], cells.front())};
    for (const std::vector<XlsCell>& row : cells) {
        std::vector<std::string>& texts = table.rows.emplace_back();
        for (const XlsCell& cell : row) texts.push_back(cell.text);
    }
    // The footer: a rule, the note, a rule, the time line.
    for (std::size_t line = headerLineCount + cells.size(); line < xls.size(); ++line) {
        const std::string_view text = trimmed(xls[line]);
        if (!text.empty() && text.find_first_not_of("-=") != std::string_view::npos)
            table.notes.emplace_back(text);
    }
    return table;
}

std::string workbookBytes(const WorkbookTable& table) {
    ScratchFolder scratch;
    const std::string file = scratch.path() + "/book.xlsx";
    lxw_workbook_options options{};
    options.tmpdir = const_cast<char*>(scratch.path().c_str());
    lxw_workbook* book = workbook_new_opt(file.c_str(), &options);
    if (!book) throw PlatformError("无法生成Excel工作簿：内存不足");
    lxw_worksheet* sheet = workbook_add_worksheet(book, "计算书");
    lxw_format* titleFormat = workbook_add_format(book);
    format_set_bold(titleFormat);
    format_set_align(titleFormat, LXW_ALIGN_CENTER);
    lxw_format* headerFormat = workbook_add_format(book);
    format_set_bold(headerFormat);
    format_set_align(headerFormat, LXW_ALIGN_CENTER);

    std::map<std::string, lxw_format*> numberFormats;
    const auto numberFormat = [&](const std::string& pattern) {
        lxw_format*& format = numberFormats[pattern];
        if (!format) {
            format = workbook_add_format(book);
            format_set_num_format(format, pattern.c_str());
        }
        return format;
    };

    std::size_t columns = 1;
    for (const auto& row : table.header) columns = std::max(columns, row.size());
    for (const auto& row : table.rows) columns = std::max(columns, row.size());
    const auto lastColumn = static_cast<lxw_col_t>(columns - 1);
    if (columns > 1)
        worksheet_merge_range(sheet, 0, 0, 0, lastColumn, table.title.c_str(), titleFormat);
    else
        worksheet_write_string(sheet, 0, 0, table.title.c_str(), titleFormat);
    lxw_row_t row = 1;
    for (const auto& header : table.header) {
        for (std::size_t c = 0; c < header.size(); ++c)
            worksheet_write_string(sheet, row, static_cast<lxw_col_t>(c), header[c].c_str(), headerFormat);
        ++row;
    }
    worksheet_freeze_panes(sheet, row, 0);
    for (const auto& texts : table.rows) {
        for (std::size_t c = 0; c < texts.size(); ++c) {
            const WorkbookCell cell = workbookCell(texts[c]);
            const auto column = static_cast<lxw_col_t>(c);
            if (cell.isNumber)
                worksheet_write_number(sheet, row, column, cell.number, numberFormat(cell.format));
            else if (!cell.text.empty())
                worksheet_write_string(sheet, row, column, cell.text.c_str(), nullptr);
        }
        ++row;
    }
    ++row;
    for (const std::string& note : table.notes)
        worksheet_write_string(sheet, row++, 0, note.c_str(), nullptr);
    for (std::size_t c = 0; c < columns; ++c)
        worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                             columnWidth(table, c), nullptr);

    if (const lxw_error error = workbook_close(book); error != LXW_NO_ERROR)
        throw PlatformError(std::string("无法生成Excel工作簿：") + lxw_strerror(error));
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in) throw PlatformError("无法生成Excel工作簿：临时文件无法读取");
    return std::move(bytes).str();
}

void writeSheetWorkbook(const CalculationSheet& sheet, const std::string& path) {
    writeBinaryFile(path, workbookBytes(sheetWorkbookTable(sheet)));
}

} // namespace qianyan

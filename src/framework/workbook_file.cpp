#include "framework/workbook_file.h"

#include "framework/text_layout.h"
#include "framework/workbook_archive.h"
#include "platform/legacy_text_file.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <unistd.h>
#include <utility>

namespace qianyan {

namespace {

constexpr int mostSignificantDigits = 15; // what a double gives back exactly as decimal text
constexpr std::uint8_t a4Paper = 9;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A private folder for the library's own files and the finished book, removed on every way out.
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

// The workbook being written, sheet after sheet, row after row (the library keeps only the current row).
class BookWriter {
public:
    BookWriter(const std::string& file, const std::string& scratch, const std::string& title) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = const_cast<char*>(scratch.c_str());
        book_ = workbook_new_opt(file.c_str(), &options);
        if (!book_) throw PlatformError("无法生成Excel工作簿：内存不足");
        // The book names itself and the program that wrote it (the library would leave both empty).
        std::string name = title;
        std::string program = "qianyan";
        lxw_doc_properties properties{};
        properties.title = name.data();
        properties.comments = program.data();
        workbook_set_properties(book_, &properties);
        bold_ = workbook_add_format(book_);
        format_set_bold(bold_);
        format_set_align(bold_, LXW_ALIGN_CENTER);
    }
    BookWriter(const BookWriter&) = delete;
    BookWriter& operator=(const BookWriter&) = delete;
    // A book not closed (a failure or a stop on the way) is freed without being written.
    ~BookWriter() {
        if (book_) lxw_workbook_free(book_);
    }

    void write(const WorkbookSheet& table, const std::function<void()>& rowWritten) {
        std::size_t columns = 1;
        for (const auto& row : table.header) columns = std::max(columns, row.size());
        std::vector<std::string_view> cells;
        std::size_t next = 0;
        for (int part = 1;; ++part) {
            const std::string name = part == 1 ? table.name : table.name + "(" + std::to_string(part) + ")";
            startSheet(name, part == 1 ? table.title : std::string(), table.header, columns);
            for (; next < table.rowCount && row_ < workbookSheetRows; ++next) {
                table.rowCells(next, cells);
                writeRow(cells);
                if (rowWritten) rowWritten();
            }
            const bool notesFit =
                next == table.rowCount && row_ + 1 + table.notes.size() <= workbookSheetRows;
            if (notesFit) {
                ++row_;
                for (const std::string& note : table.notes) {
                    writeText(0, note, nullptr, false);
                    ++row_;
                }
            }
            finishSheet();
            if (notesFit) return;
        }
    }

    void close() {
        lxw_workbook* book = std::exchange(book_, nullptr);
        if (const lxw_error error = workbook_close(book); error != LXW_NO_ERROR)
            throw PlatformError(std::string("无法生成Excel工作簿：") + lxw_strerror(error));
    }

private:
    void startSheet(const std::string& name, const std::string& title,
                    const std::vector<std::vector<std::string>>& header, std::size_t columns) {
        sheet_ = workbook_add_worksheet(book_, name.c_str());
        if (!sheet_) throw PlatformError("无法生成Excel工作簿：工作表“" + name + "”无法添加");
        row_ = 0;
        widths_.assign(columns, 4);
        if (!title.empty()) {
            if (columns > 1)
                worksheet_merge_range(sheet_, 0, 0, 0, static_cast<lxw_col_t>(columns - 1), title.c_str(),
                                      bold_);
            else
                worksheet_write_string(sheet_, 0, 0, title.c_str(), bold_);
            ++row_;
        }
        for (const auto& texts : header) {
            for (std::size_t c = 0; c < texts.size(); ++c) writeText(c, shownLabel(texts[c]), bold_, true);
            ++row_;
        }
        worksheet_freeze_panes(sheet_, static_cast<lxw_row_t>(row_), 0);
        // Printed across: one page wide however many columns, the header rows atop every page.
        worksheet_set_landscape(sheet_);
        worksheet_set_paper(sheet_, a4Paper);
        worksheet_fit_to_pages(sheet_, 1, 0);
        if (!header.empty())
            worksheet_repeat_rows(sheet_, static_cast<lxw_row_t>(row_ - header.size()),
                                  static_cast<lxw_row_t>(row_ - 1));
    }

    void writeRow(const std::vector<std::string_view>& texts) {
        for (std::size_t c = 0; c < texts.size(); ++c) {
            const WorkbookCell cell = workbookCell(texts[c]);
            if (cell.isNumber) {
                widen(c, texts[c]);
                worksheet_write_number(sheet_, static_cast<lxw_row_t>(row_), static_cast<lxw_col_t>(c),
                                       cell.number, numberFormat(cell.format));
            } else if (!cell.text.empty()) {
                writeText(c, cell.text, nullptr, true);
            }
        }
        ++row_;
    }

    // A note is not counted into its column's width: it runs on over the cells beside it.
    void writeText(std::size_t column, const std::string& text, lxw_format* format, bool sized) {
        if (sized) widen(column, text);
        worksheet_write_string(sheet_, static_cast<lxw_row_t>(row_), static_cast<lxw_col_t>(column),
                               text.c_str(), format);
    }

    void widen(std::size_t column, std::string_view text) {
        if (column >= widths_.size()) widths_.resize(column + 1, 4);
        widths_[column] = std::max(widths_[column], displayWidth(text));
    }

    void finishSheet() {
        for (std::size_t c = 0; c < widths_.size(); ++c)
            worksheet_set_column(sheet_, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), widths_[c] + 2,
                                 nullptr);
    }

    lxw_format* numberFormat(const std::string& pattern) {
        lxw_format*& format = numberFormats_[pattern];
        if (!format) {
            format = workbook_add_format(book_);
            format_set_num_format(format, pattern.c_str());
        }
        return format;
    }

    lxw_workbook* book_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* bold_ = nullptr;
    std::map<std::string, lxw_format*> numberFormats_;
    std::size_t row_ = 0;
    std::vector<int> widths_;
};

} // namespace

WorkbookCell workbookCell(std::string_view shown) {
    WorkbookCell cell;
    cell.text = shownLabel(shown);
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

void writeWorkbook(const std::string& path, const std::vector<WorkbookSheet>& sheets,
                   const std::function<void()>& rowWritten, std::string_view mark) {
    ScratchFolder scratch;
    const std::string file = scratch.path() + "/book.xlsx";
    {
        const auto titled = std::find_if(sheets.begin(), sheets.end(),
                                         [](const WorkbookSheet& sheet) { return !sheet.title.empty(); });
        BookWriter book(file, scratch.path(), titled == sheets.end() ? std::string() : titled->title);
        for (const WorkbookSheet& sheet : sheets) book.write(sheet, rowWritten);
        book.close();
    }
    // The library names another program as the book's application; the book names this one.
    nameArchiveApplication(file, "qianyan");
    if (!mark.empty()) addArchiveComment(file, mark);
    copyFileWhole(path, file);
}

std::string workbookMark(const std::string& path) {
    return archiveComment(path);
}

} // namespace qianyan

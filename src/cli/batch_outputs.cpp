#include "cli/batch_outputs.h"

#include "documents/sheet_workbook.h"
#include "framework/workbook_file.h"
#include "platform/byte_digest.h"
#include "platform/legacy_text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <optional>
#include <sstream>

namespace qianyan {

namespace {

constexpr std::string_view markHeading = "qianyan batch";
constexpr std::string_view targetsHeading =
    "桩号\t目标Ra(kN)\t轴力N(kN)\t所需嵌岩深度或最下层长度\t所需桩径d(mm)";

// A text file's line of the mark: its name, size and digest, the same whether the file was just written or
// is read again to see whether it is still as written.
std::string markLineOf(const std::string& name, const ByteDigest& digest) {
    return name + "\t" + std::to_string(digest.size) + "\t" + digest.hex();
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The workbook's rows as they come, kept in a temporary file of their own (gone when closed, or when the
// program ends however it ends) until the workbook reads them back, in order, once the count is known.
class RowScratch {
public:
    RowScratch() : file_(std::tmpfile()) {
        if (!file_) throw PlatformError("无法创建临时文件：" + std::string(std::strerror(errno)));
    }
    RowScratch(const RowScratch&) = delete;
    RowScratch& operator=(const RowScratch&) = delete;
    ~RowScratch() { std::fclose(file_); }

    std::size_t rows() const { return rows_; }

    void add(const std::vector<XlsCell>& cells) {
        put(static_cast<std::uint32_t>(cells.size()));
        for (const XlsCell& cell : cells) {
            put(static_cast<std::uint32_t>(cell.text.size()));
            std::fwrite(cell.text.data(), 1, cell.text.size(), file_);
        }
        ++rows_;
    }

    // The cells of a row, valid until the next call; rows are read in order, a row before the last read
    // starts the reading over.
    void read(std::size_t row, std::vector<std::string_view>& cells) {
        if (!reading_ || row < next_) {
            if (std::fflush(file_) != 0 || std::ferror(file_) || std::fseek(file_, 0, SEEK_SET) != 0) fail();
            reading_ = true;
            next_ = 0;
        }
        for (; next_ <= row; ++next_) {
            texts_.resize(get());
            for (std::string& text : texts_) {
                text.resize(get());
                if (std::fread(text.data(), 1, text.size(), file_) != text.size()) fail();
            }
        }
        cells.assign(texts_.begin(), texts_.end());
    }

private:
    [[noreturn]] static void fail() {
        throw PlatformError("临时文件读写失败：" + std::string(std::strerror(errno)));
    }
    void put(std::uint32_t n) { std::fwrite(&n, sizeof n, 1, file_); }
    std::uint32_t get() {
        std::uint32_t n = 0;
        if (std::fread(&n, sizeof n, 1, file_) != 1) fail();
        return n;
    }

    std::FILE* file_;
    std::size_t rows_ = 0, next_ = 0;
    bool reading_ = false;
    std::vector<std::string> texts_;
};

} // namespace

struct BatchOutputs::Drafts {
    LegacyTextDraft doc, xls;
    std::optional<LegacyTextDraft> targets;
    RowScratch rows;
    // What the workbook needs of the sheet besides its rows.
    std::vector<std::string> head;
    std::vector<XlsCell> firstRow;
    // How far the sheet's lines and rows were written.
    std::size_t docWritten = 0, xlsWritten = 0, cellsWritten = 0;

    Drafts(const std::string& docPath, const std::string& xlsPath) : doc(docPath), xls(xlsPath) {}
};

BatchOutputs::BatchOutputs(std::string folder, const std::string& tablePath, bool targets)
    : folder_(std::move(folder)), table_(std::filesystem::path(tablePath).filename().string()) {
    const std::string stem = std::filesystem::path(tablePath).stem().string();
    doc_ = stem + "_文本.txt";
    xls_ = stem + "_表格.txt";
    workbook_ = stem + "_表格.xlsx";
    if (targets) targets_ = stem + "_目标.txt";
}

BatchOutputs::~BatchOutputs() = default;

BatchOutputs::Drafts& BatchOutputs::drafts() {
    if (!drafts_) {
        ensureFolder(folder_);
        drafts_ = std::make_unique<Drafts>(path(doc_), path(xls_));
        if (!targets_.empty()) {
            drafts_->targets.emplace(path(targets_));
            drafts_->targets->line(targetsHeading);
        }
    }
    return *drafts_;
}

void BatchOutputs::addTargetRow(const std::vector<std::string>& cells) {
    if (targets_.empty()) return;
    std::string line;
    for (const std::string& cell : cells) line += (line.empty() ? "" : "\t") + cell;
    drafts().targets->line(line);
}

void BatchOutputs::addDesigns(const CalculationSheet& sheet, const std::function<void()>& forget) {
    const std::vector<std::vector<XlsCell>>& cells = sheet.xlsCells();
    if (!drafts_ && cells.empty()) return;
    Drafts& d = drafts();
    const std::vector<std::string>& doc = sheet.doc();
    const std::vector<std::string>& xls = sheet.xls();
    if (d.cellsWritten == cells.size()) return;
    if (d.rows.rows() == 0) {
        d.head.assign(xls.begin(), xls.begin() + static_cast<std::ptrdiff_t>(sheet.xlsHeadLines()));
        d.firstRow = cells.front();
    }
    for (std::size_t i = d.docWritten; i + CalculationSheet::docFootLines < doc.size(); ++i)
        d.doc.line(doc[i]);
    for (std::size_t i = d.xlsWritten; i + sheet.xlsFootLines() < xls.size(); ++i) d.xls.line(xls[i]);
    for (std::size_t i = d.cellsWritten; i < cells.size(); ++i) d.rows.add(cells[i]);
    if (forget) {
        forget();
        d.docWritten = 0;
        d.xlsWritten = sheet.xlsHeadLines();
        d.cellsWritten = 0;
    } else {
        d.docWritten = doc.size() - CalculationSheet::docFootLines;
        d.xlsWritten = xls.size() - sheet.xlsFootLines();
        d.cellsWritten = cells.size();
    }
}

std::vector<const std::string*> BatchOutputs::textFiles() const {
    std::vector<const std::string*> files{&doc_, &xls_};
    if (!targets_.empty()) files.push_back(&targets_);
    return files;
}

std::string BatchOutputs::path(const std::string& name) const {
    return joinPath(folder_, name);
}

std::string BatchOutputs::markLine(const std::string& name) const {
    ByteDigest digest;
    try {
        FileBlocks file(path(name), std::numeric_limits<std::size_t>::max());
        for (std::string_view block = file.next(); !block.empty(); block = file.next()) digest.add(block);
    } catch (const PlatformError&) {
        return {};
    }
    return markLineOf(name, digest);
}

std::vector<std::string> BatchOutputs::taken() const {
    const std::vector<std::string> mark = linesOf(workbookMark(path(workbook_)));
    const auto marked = [&mark](const std::string& line) {
        return !line.empty() && std::ranges::find(mark, line) != mark.end();
    };
    const bool ours = !mark.empty() && mark[0] == markHeading && marked("table\t" + table_);
    std::vector<std::string> taken;
    if (!ours && regularFileExists(path(workbook_))) taken.push_back(path(workbook_));
    for (const std::string* text : textFiles())
        if (regularFileExists(path(*text)) && !(ours && marked(markLine(*text))))
            taken.push_back(path(*text));
    return taken;
}

void BatchOutputs::finish(const CalculationSheet& sheet, std::ostream& out) {
    addDesigns(sheet);
    Drafts& d = drafts();
    const std::span<const std::string> doc(sheet.doc()), xls(sheet.xls());
    const std::span<const std::string> foot = xls.last(std::min(sheet.xlsFootLines(), xls.size()));
    for (const std::string& line : doc.last(std::min(CalculationSheet::docFootLines, doc.size())))
        d.doc.line(line);
    for (const std::string& line : foot) d.xls.line(line);

    std::string mark = std::string(markHeading) + "\ntable\t" + table_ + "\n";
    const auto markText = [&mark](const std::string& name, LegacyTextDraft& draft) {
        mark += markLineOf(name, draft.finish()) + "\n";
    };
    markText(doc_, d.doc);
    markText(xls_, d.xls);
    if (d.targets) markText(targets_, *d.targets);

    FileDraft book(path(workbook_));
    writeTableWorkbook(
        xlsFrameTable(d.head, d.firstRow, foot), d.rows.rows(),
        [&d](std::size_t row, std::vector<std::string_view>& cells) { d.rows.read(row, cells); },
        book.temporaryPath(), mark);
    // The workbook goes last: its mark vouches for the text files beside it.
    d.doc.commit();
    d.xls.commit();
    if (d.targets) d.targets->commit();
    book.commit();
    for (const std::string* name : textFiles()) out << "wrote\t" << *name << '\n';
    out << "wrote\t" << workbook_ << '\n';
}

} // namespace qianyan

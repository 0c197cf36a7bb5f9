#include "framework/worksheet_writer.h"

#include "framework/text_layout.h"
#include "platform/platform.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace qianyan {

namespace {

constexpr int mostSignificantDigits = 15; // what a double gives back exactly as decimal text
constexpr std::size_t xmlBlock = 1 << 20;
constexpr int narrowestColumn = 4;

[[noreturn]] void failScratch() {
    throw PlatformError("无法生成Excel工作簿：临时文件无法写入");
}

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A file without a name in the temporary folder: nothing is left behind however the writing ends.
int unnamedScratchFile() {
    std::error_code error;
    const std::string folder = std::filesystem::temp_directory_path(error).string();
    if (error) failScratch();
    int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) return fd;
    std::string pattern = folder + "/qianyan-sheet-XXXXXX";
    fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) failScratch();
    ::unlink(pattern.c_str());
    return fd;
}

void writeScratch(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) failScratch();
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void appendNumber(std::string& xml, auto value) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    xml.append(text, end);
}

void appendColumnName(std::string& xml, std::size_t column) {
    char letters[4];
    int count = 0;
    for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26)
        letters[count++] = static_cast<char>('A' + (n - 1) % 26);
    while (count > 0) xml += letters[--count];
}

void appendCellName(std::string& xml, std::size_t column, std::size_t row) {
    appendColumnName(xml, column);
    appendNumber(xml, row + 1);
}

} // namespace

std::optional<PlainNumber> plainNumber(std::string_view shown) {
    PlainNumber number;
    number.share = !shown.empty() && shown.back() == '%';
    const std::string_view text = number.share ? shown.substr(0, shown.size() - 1) : shown;
    const std::size_t digitsFrom = !text.empty() && text.front() == '-' ? 1 : 0;
    const std::size_t point = text.find('.');
    if (point != std::string_view::npos && point < digitsFrom) return std::nullopt;
    const std::string_view whole =
        text.substr(digitsFrom, point == std::string_view::npos ? text.npos : point - digitsFrom);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() || !allDigits(whole) || (point != std::string_view::npos && decimals.empty()) ||
        !allDigits(decimals) || whole.size() + decimals.size() > mostSignificantDigits)
        return std::nullopt;
    std::from_chars(text.data(), text.data() + text.size(), number.value);
    if (number.share) number.value /= 100;
    number.decimals = static_cast<int>(decimals.size());
    return number;
}

WorksheetWriter::WorksheetWriter(WorkbookStyles& styles, std::size_t columns)
    : styles_(styles), columns_(std::max<std::size_t>(columns, 1)), scratch_(unnamedScratchFile()),
      rowsDeflated_([this](std::string_view deflated) { writeScratch(scratch_, deflated); }),
      widths_(columns_, narrowestColumn) {
    xml_.reserve(xmlBlock + (1 << 16));
    deflating_.reserve(xml_.capacity());
}

WorksheetWriter::~WorksheetWriter() {
    // A writer given up on half-way still has a block being deflated into the scratch file.
    if (deflated_.valid()) deflated_.wait();
    ::close(scratch_);
}

void WorksheetWriter::startRow() {
    xml_.append("<row r=\"");
    appendNumber(xml_, rows_ + 1);
    xml_.append("\">");
    nextColumn_ = 0;
}

void WorksheetWriter::endRow() {
    xml_.append("</row>");
    ++rows_;
    if (xml_.size() >= xmlBlock) handOverRows();
}

void WorksheetWriter::handOverRows() {
    if (deflated_.valid()) deflated_.get();
    std::swap(xml_, deflating_);
    xml_.clear();
    try {
        deflated_ = std::async(std::launch::async, [this] { rowsDeflated_.write(deflating_); });
    } catch (const std::system_error&) {
        rowsDeflated_.write(deflating_); // no thread to be had: deflated here, only slower
    }
}

// A cell names its place only after a gap: without a name it stands right of the one before.
void WorksheetWriter::cellStart(std::size_t column, int style) {
    xml_.append("<c");
    if (column != nextColumn_) {
        xml_.append(" r=\"");
        appendCellName(xml_, column, rows_);
        xml_ += '"';
    }
    if (style != WorkbookStyles::plain) {
        xml_.append(" s=\"");
        appendNumber(xml_, style);
        xml_ += '"';
    }
    nextColumn_ = column + 1;
    usedColumns_ = std::max(usedColumns_, nextColumn_);
}

void WorksheetWriter::textCell(std::size_t column, std::string_view text, int style) {
    cellStart(column, style);
    xml_.append(" t=\"inlineStr\"><is><t");
    if (text.front() == ' ' || text.back() == ' ') xml_.append(" xml:space=\"preserve\"");
    xml_ += '>';
    appendXmlText(xml_, text);
    xml_.append("</t></is></c>");
}

void WorksheetWriter::widen(std::size_t column, int width) {
    if (column >= widths_.size()) widths_.resize(column + 1, narrowestColumn);
    widths_[column] = std::max(widths_[column], width);
}

void WorksheetWriter::titleRow(std::string_view title) {
    startRow();
    textCell(0, title, WorkbookStyles::heading);
    // The cells it spans carry its style too, so the merged cell looks the same wherever it is clicked.
    for (std::size_t column = 1; column < columns_; ++column) {
        cellStart(column, WorkbookStyles::heading);
        xml_.append("/>");
    }
    titled_ = columns_ > 1;
    endRow();
}

void WorksheetWriter::headerRow(const std::vector<std::string>& texts) {
    startRow();
    for (std::size_t column = 0; column < texts.size(); ++column) {
        const std::string label = shownLabel(texts[column]);
        widen(column, displayWidth(label));
        if (!label.empty()) textCell(column, label, WorkbookStyles::heading);
    }
    endRow();
}

void WorksheetWriter::row(const std::vector<std::string_view>& shown) {
    startRow();
    for (std::size_t column = 0; column < shown.size(); ++column) {
        const std::string_view text = shown[column];
        if (const auto number = plainNumber(text)) {
            widen(column, static_cast<int>(text.size()));
            cellStart(column, styles_.number(number->decimals, number->share));
            xml_.append("><v>");
            appendNumber(xml_, number->value);
            xml_.append("</v></c>");
            continue;
        }
        // Most texts have no blanks to take out ("ZH-0012", "C30"): they are shown as they stand.
        const bool spread = text.find_first_of(" \t\xE3") != std::string_view::npos;
        const std::string label = spread ? shownLabel(text) : std::string();
        const std::string_view cell = spread ? std::string_view(label) : text;
        if (cell.empty()) continue;
        widen(column, displayWidth(cell));
        textCell(column, cell, WorkbookStyles::plain);
    }
    endRow();
}

void WorksheetWriter::noteRow(std::string_view text) {
    startRow();
    if (!text.empty()) textCell(0, text, WorkbookStyles::plain);
    endRow();
}

std::string WorksheetWriter::head(bool selected) const {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet xmlns=\""
                      "http://schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\"http://schemas."
                      "openxmlformats.org/officeDocument/2006/relationships\"><sheetPr><pageSetUpPr "
                      "fitToPage=\"1\"/></sheetPr><dimension ref=\"A1";
    if (rows_ > 0 && usedColumns_ > 0) {
        xml += ':';
        appendCellName(xml, usedColumns_ - 1, rows_ - 1);
    }
    xml.append("\"/><sheetViews><sheetView");
    if (selected) xml.append(" tabSelected=\"1\"");
    xml.append(" workbookViewId=\"0\"");
    if (frozenRows_ > 0) {
        std::string below;
        appendCellName(below, 0, frozenRows_);
        xml.append("><pane ySplit=\"");
        appendNumber(xml, frozenRows_);
        xml.append("\" topLeftCell=\"").append(below);
        xml.append(
            "\" activePane=\"bottomLeft\" state=\"frozen\"/><selection pane=\"bottomLeft\" activeCell=\"");
        xml.append(below).append("\" sqref=\"").append(below).append("\"/></sheetView>");
    } else {
        xml.append("/>");
    }
    xml.append("</sheetViews><sheetFormatPr defaultRowHeight=\"15\"/><cols>");
    for (std::size_t column = 0; column < widths_.size(); ++column) {
        // A width in characters as the format keeps it: with the cell's padding, in 256ths of the widest
        // digit (7 pixels, the padding 5, in the default font).
        const double characters = widths_[column] + 2;
        const double width = std::floor((characters * 7 + 5) / 7 * 256) / 256;
        xml.append("<col min=\"");
        appendNumber(xml, column + 1);
        xml.append("\" max=\"");
        appendNumber(xml, column + 1);
        xml.append("\" width=\"");
        appendNumber(xml, width);
        xml.append("\" customWidth=\"1\"/>");
    }
    xml.append("</cols><sheetData>");
    return xml;
}

std::string WorksheetWriter::tail() const {
    std::string xml = "</sheetData>";
    if (titled_) {
        xml.append("<mergeCells count=\"1\"><mergeCell ref=\"A1:");
        appendCellName(xml, columns_ - 1, 0);
        xml.append("\"/></mergeCells>");
    }
    // Printed across A4, one page wide however many columns and as many pages long as it takes.
    xml.append("<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
               "footer=\"0.3\"/><pageSetup paperSize=\"9\" fitToHeight=\"0\" orientation=\"landscape\"/>"
               "</worksheet>");
    return xml;
}

void WorksheetWriter::finish(ZipWriter& zip, std::string_view partName, bool selected) {
    handOverRows();
    deflated_.get();
    rowsDeflated_.end(false);
    zip.begin(partName);
    const auto raw = [&zip](std::string_view deflated) { zip.raw(deflated); };
    Deflater headDeflated(raw);
    headDeflated.write(head(selected));
    headDeflated.end(false);
    std::string block(xmlBlock, '\0');
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(scratch_, block.data(), block.size(), at);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failScratch();
        if (n == 0) break;
        zip.raw(std::string_view(block.data(), static_cast<std::size_t>(n)));
        at += n;
    }
    Deflater tailDeflated(raw);
    tailDeflated.write(tail());
    tailDeflated.end(true);
    // One checksum and size of the three runs as one text.
    std::uint32_t checksum = headDeflated.checksum();
    checksum = static_cast<std::uint32_t>(
        crc32_combine(checksum, rowsDeflated_.checksum(), static_cast<z_off_t>(rowsDeflated_.size())));
    checksum = static_cast<std::uint32_t>(
        crc32_combine(checksum, tailDeflated.checksum(), static_cast<z_off_t>(tailDeflated.size())));
    zip.end(checksum, headDeflated.size() + rowsDeflated_.size() + tailDeflated.size());
}

} // namespace qianyan

#include "cli/batch_outputs.h"

#include "documents/sheet_workbook.h"
#include "framework/workbook_file.h"
#include "platform/legacy_text_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qianyan {

namespace {

constexpr std::string_view markHeading = "qianyan batch";

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

} // namespace

BatchOutputs::BatchOutputs(std::string folder, const std::string& tablePath, bool targets)
    : folder_(std::move(folder)), table_(std::filesystem::path(tablePath).filename().string()) {
    const std::string stem = std::filesystem::path(tablePath).stem().string();
    doc_ = stem + "_文本.txt";
    xls_ = stem + "_表格.txt";
    workbook_ = stem + "_表格.xlsx";
    if (targets) {
        targets_ = stem + "_目标.txt";
        targetLines_.push_back("桩号\t目标Ra(kN)\t轴力N(kN)\t所需嵌岩深度或最下层长度\t所需桩径d(mm)");
    }
}

void BatchOutputs::addTargetRow(const std::vector<std::string>& cells) {
    if (targets_.empty()) return;
    std::string line;
    for (const std::string& cell : cells) line += (line.empty() ? "" : "\t") + cell;
    targetLines_.push_back(std::move(line));
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
    // FNV-1a over the bytes: enough to tell a sheet from one edited since, and read in blocks, so a long
    // sheet costs no memory.
    std::ifstream file(path(name), std::ios::binary);
    std::uint64_t digest = 14695981039346656037u, size = 0;
    char block[1 << 16];
    while (file.read(block, sizeof block) || file.gcount() > 0) {
        for (std::streamsize i = 0; i < file.gcount(); ++i)
            digest = (digest ^ static_cast<unsigned char>(block[i])) * 1099511628211u;
        size += static_cast<std::uint64_t>(file.gcount());
    }
    if (!file.eof()) return {};
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(digest));
    return name + "\t" + std::to_string(size) + "\t" + hex;
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

void BatchOutputs::write(Platform& platform, const CalculationSheet& sheet, std::ostream& out) const {
    std::string mark = std::string(markHeading) + "\ntable\t" + table_ + "\n";
    for (const std::string* name : textFiles()) {
        const std::vector<std::string>* lines = name == &doc_   ? &sheet.doc()
                                                : name == &xls_ ? &sheet.xls()
                                                                : &targetLines_;
        platform.writeTextFile(path(*name), [lines](const LineSink& sink) {
            for (const std::string& line : *lines) sink(line);
        });
        const std::string written = markLine(*name);
        if (written.empty()) throw PlatformError("文件“" + path(*name) + "”写入后无法读回");
        mark += written + "\n";
        out << "wrote\t" << *name << '\n';
    }
    writeSheetWorkbook(sheet, path(workbook_), mark);
    out << "wrote\t" << workbook_ << '\n';
}

} // namespace qianyan

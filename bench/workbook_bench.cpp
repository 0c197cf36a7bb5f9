// The workbench's workbook at a million rows of twelve cells (numbers with their decimals, a depth in d,
// a grade, a word), as a ratio to its floor: a bare loop writing the same sheet XML (a plain decimal as a
// number by std::from_chars and std::to_chars with the style of its decimals, anything else as an inline
// text) deflated through zlib at the same level into a file, which is the least a workbook of these cells
// costs. The floor is also timed at deflate levels 1 to 6 with the bytes each makes, which is how the
// writer's level was chosen. The peak resident memory shows the rows are streamed, not held; the sheet is
// inflated again afterwards and its rows counted.
#include "framework/workbook_file.h"
#include "framework/zip_writer.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace qianyan {
namespace {

constexpr std::size_t rowCount = 1'000'000;

double peakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024; // kilobytes on Linux
}

std::filesystem::path benchFile(const char* name) {
    return std::filesystem::temp_directory_path() / ("qianyan-bench-" + std::to_string(::getpid()) + name);
}

// A thousand distinct rows, used in turn.
const std::vector<std::vector<std::string>>& rowTexts() {
    static const std::vector<std::vector<std::string>> rows = [] {
        std::vector<std::vector<std::string>> made;
        for (int i = 0; i < 1000; ++i)
            made.push_back({"ZH-" + std::to_string(1'000'000 + i).substr(1),
                            std::to_string(800 + i % 9 * 100), std::to_string(9000 + i * 7),
                            std::to_string(6000 + i * 5), std::to_string(1 + i % 3) + ".0d",
                            std::to_string(30 + i % 5) + ".00", i % 2 ? "C30" : "C25",
                            i % 3 ? "泥浆护壁" : "干 作 业", std::to_string(1 + i % 3) + ".00",
                            "0." + std::to_string(8100 + i % 1000), "0.90", ""});
        return made;
    }();
    return rows;
}

// The decimals of a plain decimal ("8412", "0.9720"); -1 for any other text.
int plainDecimals(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || text.front() == '-' ||
        text.front() == '+' || text.find_first_of("eE") != std::string_view::npos)
        return -1;
    const std::size_t point = text.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

struct FloorRun {
    double seconds = 0;
    double bytes = 0;
};

// The sheet XML of the rows deflated at level into a file, in blocks of a megabyte.
FloorRun floorRun(int level) {
    const auto file = benchFile("-floor.deflate");
    const auto start = std::chrono::steady_clock::now();
    std::FILE* out = std::fopen(file.c_str(), "wb");
    z_stream stream{};
    deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::vector<unsigned char> packed(1 << 18);
    std::uint32_t checksum = 0;
    const auto deflateBlock = [&](const std::string& xml, int flush) {
        checksum = static_cast<std::uint32_t>(
            crc32(checksum, reinterpret_cast<const Bytef*>(xml.data()), static_cast<uInt>(xml.size())));
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(xml.data()));
        stream.avail_in = static_cast<uInt>(xml.size());
        do {
            stream.next_out = packed.data();
            stream.avail_out = static_cast<uInt>(packed.size());
            deflate(&stream, flush);
            std::fwrite(packed.data(), 1, packed.size() - stream.avail_out, out);
        } while (stream.avail_out == 0);
    };
    std::string xml;
    char number[32];
    for (std::size_t r = 0; r < rowCount; ++r) {
        xml += "<row r=\"";
        xml.append(number, std::to_chars(number, number + sizeof number, r + 2).ptr);
        xml += "\">";
        for (const std::string& text : rowTexts()[r % 1000]) {
            if (const int decimals = plainDecimals(text); decimals >= 0) {
                double value = 0;
                std::from_chars(text.data(), text.data() + text.size(), value);
                xml += "<c s=\"";
                xml.append(number, std::to_chars(number, number + sizeof number, decimals + 2).ptr);
                xml += "\"><v>";
                xml.append(number, std::to_chars(number, number + sizeof number, value).ptr);
                xml += "</v></c>";
            } else if (!text.empty()) {
                xml += "<c t=\"inlineStr\"><is><t>";
                xml += text;
                xml += "</t></is></c>";
            }
        }
        xml += "</row>";
        if (xml.size() >= 1 << 20) {
            deflateBlock(xml, Z_NO_FLUSH);
            xml.clear();
        }
    }
    deflateBlock(xml, Z_FINISH);
    deflateEnd(&stream);
    std::fwrite(&checksum, sizeof checksum, 1, out);
    std::fflush(out);
    ::fsync(::fileno(out));
    std::fclose(out);
    FloorRun run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.bytes = static_cast<double>(std::filesystem::file_size(file));
    std::filesystem::remove(file);
    return run;
}

// The rows of the book's first sheet (its first entry), inflated through zlib.
std::size_t sheetRows(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const auto at = [&bytes](std::size_t k) { return static_cast<unsigned char>(bytes.at(k)); };
    const std::size_t dataStart = 30 + (at(26) | at(27) << 8) + (at(28) | at(29) << 8);
    z_stream stream{};
    inflateInit2(&stream, -MAX_WBITS);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data() + dataStart));
    stream.avail_in = static_cast<uInt>(bytes.size() - dataStart);
    std::string text(1 << 20, '\0'), carried;
    std::size_t rows = 0;
    int result = Z_OK;
    while (result == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(text.data());
        stream.avail_out = static_cast<uInt>(text.size());
        result = inflate(&stream, Z_NO_FLUSH);
        // A "<row " cut between two pieces is found in the few bytes carried over.
        const std::string piece = carried + text.substr(0, text.size() - stream.avail_out);
        for (std::size_t k = piece.find("<row "); k != std::string::npos; k = piece.find("<row ", k + 1))
            ++rows;
        carried = piece.substr(piece.size() - std::min<std::size_t>(piece.size(), 4));
    }
    inflateEnd(&stream);
    if (result != Z_STREAM_END) throw std::runtime_error("the sheet does not inflate whole");
    return rows;
}

void WorkbookMillionRows(benchmark::State& state) {
    WorkbookSheet sheet{"原始结果",
                        "",
                        {{"桩编号", "d(mm)", "Ra(kN)", "Rc(kN)", "hr(mm)", "frk(MPa)", "混凝土", "成桩工艺",
                          "hr/d", "ζr", "ψc", "备注"}},
                        rowCount,
                        {},
                        {}};
    sheet.rowCells = [](std::size_t r, std::vector<std::string_view>& cells) {
        const std::vector<std::string>& texts = rowTexts()[r % 1000];
        cells.assign(texts.begin(), texts.end());
    };
    const auto file = benchFile(".xlsx");
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        writeWorkbook(file.string(), {sheet});
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["peak_rss_MB"] = peakResidentBytes() / 1e6;
    const FloorRun floor = floorRun(fastDeflateLevel);
    state.counters["workbook_s"] = seconds;
    state.counters["floor_s"] = floor.seconds;
    state.counters["ratio_to_floor"] = seconds / floor.seconds;
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
    state.counters["floor_MB"] = floor.bytes / 1e6;
    if (sheetRows(file) != rowCount + 1) state.SkipWithError("the sheet does not hold every row");
    std::filesystem::remove(file);
}
BENCHMARK(WorkbookMillionRows)->Unit(benchmark::kSecond)->Iterations(1);

// The floor's time and bytes at each deflate level.
void DeflateLevels(benchmark::State& state) {
    for (auto _ : state) {
        for (int level = 1; level <= 6; ++level) {
            const FloorRun run = floorRun(level);
            state.counters["level" + std::to_string(level) + "_s"] = run.seconds;
            state.counters["level" + std::to_string(level) + "_MB"] = run.bytes / 1e6;
        }
    }
}
BENCHMARK(DeflateLevels)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
} // namespace qianyan

BENCHMARK_MAIN();

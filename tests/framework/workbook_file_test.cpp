#include "framework/workbook_file.h"

#include "framework/workbook_parts.h"
#include "platform/platform.h"

#include <gmock/gmock.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <unistd.h>

namespace qianyan {
namespace {

namespace fs = std::filesystem;

TEST(WorkbookCell, PlainDecimalsBecomeNumbersShownWithTheirDecimals) {
    struct Case {
        const char* shown;
        double number;
        const char* format;
    };
    const Case numbers[] = {
        {"1000", 1000, "0"},
        {"0.70", 0.7, "0.00"},
        {"16820.61", 16820.61, "0.00"},
        {"-12.5", -12.5, "0.0"},
        {"75.3%", 0.753, "0.0%"},
        {"25%", 0.25, "0%"},
        {"97.14%", 0.9714, "0.00%"},
        {"0", 0, "0"},
        {"123456789012345", 123456789012345.0, "0"},
    };
    for (const Case& c : numbers) {
        const WorkbookCell cell = workbookCell(c.shown);
        EXPECT_TRUE(cell.isNumber) << c.shown;
        EXPECT_DOUBLE_EQ(cell.number, c.number) << c.shown;
        EXPECT_EQ(cell.format, c.format) << c.shown;
    }
    // Dashes, depths in d, grades, words and what a double would not give back digit for digit stay texts,
    // without the blanks that spread a word over its column (so that a filter on 圆桩 finds the cell).
    const std::pair<const char*, const char*> texts[] = {{"-", "-"},
                                                         {"", ""},
                                                         {"9.0d", "9.0d"},
                                                         {"C30", "C30"},
                                                         {"圆  桩", "圆桩"},
                                                         {"干 作 业", "干作业"},
                                                         {" 泥浆护壁 ", "泥浆护壁"},
                                                         {"1.", "1."},
                                                         {".5", ".5"},
                                                         {"1e5", "1e5"},
                                                         {"nan", "nan"},
                                                         {"inf", "inf"},
                                                         {"%", "%"},
                                                         {"-%", "-%"},
                                                         {"1,000", "1,000"},
                                                         {" 12", "12"},
                                                         {"1234567890123456", "1234567890123456"},
                                                         {"12.5%%", "12.5%%"},
                                                         {"--1", "--1"},
                                                         {"d = 1000 mm", "d = 1000 mm"}};
    for (const auto& [shown, held] : texts) {
        const WorkbookCell cell = workbookCell(shown);
        EXPECT_FALSE(cell.isNumber) << shown;
        EXPECT_EQ(cell.text, held) << shown;
    }
}

// What XML cannot hold as it stands: markup characters, control characters (the workbook's own escape),
// a text that looks like that escape, and bytes that are no UTF-8.
TEST(WorkbookXml, TextsAreEscapedSoThatTheyReadBackAsWritten) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"R&D <1> \"q\"", "R&amp;D &lt;1&gt; &quot;q&quot;"},
        {"a\x01"
         "b\x1f",
         "a_x0001_b_x001F_"},
        {"tab\tline\ncr\r", "tab&#9;line&#10;cr&#13;"},
        {"_x0041_ and _x41_ and _", "_x005F_x0041_ and _x41_ and _"},
        {"ψc ≤ 0.9", "ψc ≤ 0.9"},
        {"bad \xff\xc3 end", "bad \uFFFD\uFFFD end"},
        {std::string_view("nul\0", 4), "nul_x0000_"},
    };
    for (const auto& [text, xml] : cases) {
        std::string written;
        appendXmlText(written, text);
        EXPECT_EQ(written, xml) << text;
    }
}

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::uint32_t number(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int k = size - 1; k >= 0; --k)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(k)));
    return value;
}

// The entries of a workbook's archive by name, each inflated through zlib and checked against the
// checksum and sizes its directory and the record after its data give.
std::map<std::string, std::string> archiveEntries(const std::string& bytes) {
    std::map<std::string, std::string> entries;
    const std::size_t end = bytes.rfind("PK\x05\x06");
    if (end == std::string::npos) {
        ADD_FAILURE() << "no end record";
        return entries;
    }
    const std::size_t count = number(bytes, end + 10, 2);
    EXPECT_EQ(end + 22 + number(bytes, end + 20, 2), bytes.size()) << "the comment does not end the file";
    std::size_t at = number(bytes, end + 16, 4);
    for (std::size_t k = 0; k < count; ++k) {
        EXPECT_EQ(number(bytes, at, 4), 0x02014b50u);
        const std::uint32_t checksum = number(bytes, at + 16, 4), packed = number(bytes, at + 20, 4),
                            size = number(bytes, at + 24, 4), local = number(bytes, at + 42, 4);
        const std::size_t nameLength = number(bytes, at + 28, 2);
        const std::string name = bytes.substr(at + 46, nameLength);
        at += 46 + nameLength + number(bytes, at + 30, 2) + number(bytes, at + 32, 2);
        EXPECT_EQ(number(bytes, local, 4), 0x04034b50u) << name;
        EXPECT_EQ(bytes.substr(local + 30, number(bytes, local + 26, 2)), name);
        const std::size_t data = local + 30 + number(bytes, local + 26, 2) + number(bytes, local + 28, 2);
        std::string& text = entries[name];
        text.resize(size);
        z_stream stream{};
        inflateInit2(&stream, -MAX_WBITS);
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data() + data));
        stream.avail_in = packed;
        stream.next_out = reinterpret_cast<Bytef*>(text.data());
        stream.avail_out = size;
        EXPECT_EQ(inflate(&stream, Z_FINISH), Z_STREAM_END) << name;
        EXPECT_EQ(stream.total_in, packed) << name;
        EXPECT_EQ(stream.total_out, size) << name;
        inflateEnd(&stream);
        EXPECT_EQ(crc32(0, reinterpret_cast<const Bytef*>(text.data()), size), checksum) << name;
        const std::size_t descriptor = data + packed;
        EXPECT_EQ(number(bytes, descriptor, 4), 0x08074b50u) << name;
        EXPECT_EQ(number(bytes, descriptor + 4, 4), checksum) << name;
        EXPECT_EQ(number(bytes, descriptor + 8, 4), packed) << name;
        EXPECT_EQ(number(bytes, descriptor + 12, 4), size) << name;
    }
    return entries;
}

std::size_t occurrences(const std::string& text, std::string_view what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

// A folder of its own for the writer's scratch files, so the test sees what they leave behind.
class WorkbookFileTest : public ::testing::Test {
protected:
    WorkbookFileTest()
        : folder(fs::temp_directory_path() / ("qianyan-book-test-" + std::to_string(::getpid()))) {
        fs::remove_all(folder);
        fs::create_directories(folder / "tmp");
        ::setenv("TMPDIR", (folder / "tmp").c_str(), 1);
    }
    ~WorkbookFileTest() override {
        ::unsetenv("TMPDIR");
        fs::remove_all(folder);
    }

    static WorkbookSheet numbered(std::size_t rows) {
        WorkbookSheet sheet{"结果", "", {{"编号", "Ra(kN)"}}, rows, {}, {}};
        sheet.rowCells = [](std::size_t r, std::vector<std::string_view>& cells) {
            cells.assign({"ZH", r % 2 ? "12.50" : "-"});
        };
        return sheet;
    }

    fs::path folder;
};

TEST_F(WorkbookFileTest, AStopHalfWayLeavesTheEarlierFileAndNoScratch) {
    const fs::path file = folder / "a.xlsx";
    std::ofstream(file) << "earlier";
    std::size_t written = 0;
    struct Stop {};
    EXPECT_THROW(writeWorkbook(file.string(), {numbered(100)},
                               [&] {
                                   if (++written == 50) throw Stop{};
                               }),
                 Stop);
    EXPECT_EQ(readBytes(file), "earlier");
    EXPECT_TRUE(fs::is_empty(folder / "tmp"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 2) << "a temporary file remains";
}

// Rows beyond what a sheet holds go on to a second sheet. The sheets' parts are named in the archive's
// directory, which is stored uncompressed.
TEST_F(WorkbookFileTest, RowsBeyondASheetContinueOnTheNext) {
    const fs::path file = folder / "big.xlsx";
    const std::size_t rows = workbookSheetRows; // one more than fits below the header row
    std::size_t written = 0;
    writeWorkbook(file.string(), {numbered(rows)}, [&] { ++written; });
    EXPECT_EQ(written, rows);
    const std::string bytes = readBytes(file);
    EXPECT_EQ(bytes.substr(0, 2), "PK");
    EXPECT_NE(bytes.find("xl/worksheets/sheet2.xml"), std::string::npos);
    EXPECT_EQ(bytes.find("xl/worksheets/sheet3.xml"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(folder / "tmp"));
}

// Stopped in the second table, with blocks of its rows being deflated at the time.
TEST_F(WorkbookFileTest, AStopWithoutAnEarlierFileLeavesNone) {
    const fs::path file = folder / "none.xlsx";
    struct Stop {};
    EXPECT_THROW(writeWorkbook(file.string(), {numbered(10), numbered(300'000)},
                               [written = 0]() mutable {
                                   if (++written == 200'000) throw Stop{};
                               }),
                 Stop);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1) << "a temporary file remains";
    EXPECT_TRUE(fs::is_empty(folder / "tmp"));
}

// Every part inflates whole with its checksum; the mark is the archive's comment; the sheet holds its
// title merged across the columns, the header frozen above the rows, the notes after a blank row, texts
// as written, and the book names its sheets, its print titles, its title and the program.
TEST_F(WorkbookFileTest, TheArchiveReadsBackWhole) {
    const fs::path file = folder / "book.xlsx";
    WorkbookSheet sheet{"结果", "嵌岩桩 & <计算>", {{"编号", "Ra(kN)", "备注"}}, 2, {}, {"注：R&D \x01"}};
    sheet.rowCells = [](std::size_t r, std::vector<std::string_view>& cells) {
        cells.assign({r ? "\"ZH\" <2>" : "ZH-1", "12.50", r ? "75.3%" : ""});
    };
    writeWorkbook(file.string(), {sheet}, {}, "qianyan mark");
    EXPECT_EQ(workbookMark(file.string()), "qianyan mark");
    const auto entries = archiveEntries(readBytes(file));
    for (const char* part :
         {"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
          "xl/styles.xml", "xl/worksheets/sheet1.xml", "docProps/core.xml", "docProps/app.xml"})
        EXPECT_EQ(entries.count(part), 1u) << part;
    const std::string& xml = entries.at("xl/worksheets/sheet1.xml");
    using ::testing::HasSubstr;
    EXPECT_THAT(xml, HasSubstr("<mergeCell ref=\"A1:C1\"/>"));
    EXPECT_THAT(xml, HasSubstr("<pane ySplit=\"2\" topLeftCell=\"A3\""));
    EXPECT_THAT(xml, HasSubstr("<t>嵌岩桩 &amp; &lt;计算&gt;</t>"));
    EXPECT_THAT(xml, HasSubstr("<t>&quot;ZH&quot; &lt;2&gt;</t>"));
    EXPECT_THAT(xml, HasSubstr("<v>12.5</v>"));
    EXPECT_THAT(xml, HasSubstr("<v>0.753</v>"));
    EXPECT_THAT(xml, HasSubstr("<row r=\"6\"><c t=\"inlineStr\"><is><t>注：R&amp;D _x0001_</t>"));
    EXPECT_THAT(xml, HasSubstr("orientation=\"landscape\""));
    EXPECT_THAT(entries.at("xl/styles.xml"), HasSubstr("formatCode=\"0.0%\""));
    EXPECT_THAT(entries.at("xl/workbook.xml"), HasSubstr("'结果'!$2:$2"));
    EXPECT_THAT(entries.at("docProps/core.xml"), HasSubstr("<dc:title>嵌岩桩 &amp; &lt;计算&gt;</dc:title>"));
    EXPECT_THAT(entries.at("docProps/app.xml"), HasSubstr("<Application>qianyan</Application>"));
}

// Three million rows go on three sheets, each with its header row again, every row in one of them.
TEST_F(WorkbookFileTest, AHugeTableSplitsIntoSheetsOfWholeRows) {
    const fs::path file = folder / "huge.xlsx";
    const std::size_t rows = 3'000'000;
    writeWorkbook(file.string(), {numbered(rows)});
    const auto entries = archiveEntries(readBytes(file));
    std::size_t held = 0;
    for (const char* part :
         {"xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml", "xl/worksheets/sheet3.xml"}) {
        const std::string& xml = entries.at(part);
        EXPECT_EQ(occurrences(xml, "<t>编号</t>"), 1u) << part;
        held += occurrences(xml, "<row ") - 1;
    }
    EXPECT_EQ(held, rows);
    EXPECT_EQ(entries.count("xl/worksheets/sheet4.xml"), 0u);
    EXPECT_THAT(entries.at("xl/workbook.xml"), ::testing::HasSubstr("<sheet name=\"结果(3)\" sheetId=\"3\""));
    EXPECT_EQ(occurrences(entries.at("xl/workbook.xml"), "_xlnm.Print_Titles"), 3u);
}

} // namespace
} // namespace qianyan

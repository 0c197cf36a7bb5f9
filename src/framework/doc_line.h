#pragma once
// A line of a Doc block with its place in the block's structure, given where the line is made, so that the
// printed pages break between sections or table rows and never after a heading or inside a table's header.
// The text is exactly what the sheet holds; a plain text converts to a line of its section.
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

enum class DocLineKind : unsigned char {
    Text,        // a line of its section (a table's closing rule included)
    Heading,     // a line that starts a section ("4.承载力计算", "  4.2 岩层阻力计算")
    TableHeader, // a line of a table's header: its column lines and the rules about them
    TableRow,    // one row of a table
};

struct DocLine {
    DocLine(std::string line, DocLineKind lineKind = DocLineKind::Text)
        : text(std::move(line)), kind(lineKind) {}
    DocLine(const char* line) : text(line) {}
    explicit DocLine(std::string_view line) : text(line) {}

    std::string text;
    DocLineKind kind = DocLineKind::Text;
};
using DocLines = std::vector<DocLine>;

inline DocLine docHeading(std::string text) {
    return {std::move(text), DocLineKind::Heading};
}
inline DocLine docTableHeader(std::string text) {
    return {std::move(text), DocLineKind::TableHeader};
}

} // namespace qianyan

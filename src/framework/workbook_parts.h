#pragma once
// The parts of a workbook beside its sheets: the package's index and relations, the book with its sheets'
// names and print titles, the cell styles, and the book's properties.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

// Texts as XML character data (or attribute values): markup characters as entities, a control character
// (which XML cannot hold) as the workbook's _xHHHH_ escape, a byte that starts no UTF-8 sequence as U+FFFD.
void appendXmlText(std::string& xml, std::string_view text);

// The cell styles of a book, numbered as its cells name them: the plain one, the bold centred one of
// titles and headers, then one per number format in order of first use.
class WorkbookStyles {
public:
    static constexpr int plain = 0, heading = 1;
    static constexpr int mostDecimals = 15; // a plain number has at most 15 digits, one before the point
    // The style of a number shown with that many decimals, as a share with "%" or not.
    int number(int decimals, bool share) {
        int& style = numberStyles_[share][decimals];
        if (style == 0) {
            style = heading + 1 + static_cast<int>(formats_.size());
            formats_.push_back(formatCode(decimals, share));
        }
        return style;
    }
    std::string xml() const;
    static std::string formatCode(int decimals, bool share);

private:
    int numberStyles_[2][mostDecimals + 1] = {};
    std::vector<std::string> formats_;
};

struct WorkbookPartSheet {
    std::string name;
    std::size_t firstHeaderRow = 0, headerRows = 0; // rows counted from 0; none without a header
};

std::string contentTypesXml(std::size_t sheetCount);
std::string packageRelationsXml();
std::string bookRelationsXml(std::size_t sheetCount);
std::string bookXml(const std::vector<WorkbookPartSheet>& sheets);
std::string corePropertiesXml(std::string_view title);
std::string applicationPropertiesXml(std::string_view program);
std::string worksheetPartName(std::size_t sheet); // sheet counted from 0

} // namespace qianyan

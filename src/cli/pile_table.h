#pragma once
// A table of piles as a person exports it from a spreadsheet: UTF-8 (with or without a byte-order mark)
// or GBK, comma- or tab-separated, fields in double quotes where they hold a separator, a quote ("") or
// a line break.
#include "platform/legacy_text_file.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

struct TableRecord {
    std::size_t line; // where the record starts, from 1
    std::vector<std::string> cells;
};

// UTF-8 as it is (a byte-order mark dropped), anything else read as GBK.
std::string decodeTableText(std::string_view bytes);
// The records of a decoded text, blank lines left out. The separator is a tab when the first line
// holds one, a comma otherwise. Cells lose the blanks around them.
std::vector<TableRecord> parseTable(std::string_view text);

// The records of a text given in pieces, as parseTable finds them in the whole.
class TableParser {
public:
    explicit TableParser(char separator) : separator_(separator) {}
    // Adds the records the piece completes to records. Every piece but the last ends with a line end.
    void feed(std::string_view text, std::vector<TableRecord>& records);
    // The last record, when the text does not end with a line end.
    void finish(std::vector<TableRecord>& records);

private:
    void endCell();
    void endRecord(std::vector<TableRecord>& records);

    char separator_;
    TableRecord record_{1, {}};
    std::string cell_;
    bool quoted_ = false, wasQuoted_ = false;
    std::size_t line_ = 1;
};

// A table file read record by record, a block at a time, so a table of any length costs the memory of one
// block: the file is read through once first to tell its encoding (a byte that is not UTF-8 anywhere makes
// it GBK), then again from the start by each pass over the records.
class TableReader {
public:
    // Throws PlatformError when the file cannot be read or holds more than limit bytes.
    TableReader(std::string path, std::size_t limit);
    // The next record, blank lines left out; false after the last.
    bool next(TableRecord& record);
    // Back to the first record.
    void rewind();

private:
    // Decodes the complete lines of pending_ (all of it at the end) into the parser.
    void parsePending(bool end);

    std::string path_;
    std::size_t limit_;
    bool utf8_ = true;
    char separator_ = ',';
    std::unique_ptr<FileBlocks> file_;
    std::string pending_;
    TableParser parser_{','};
    std::vector<TableRecord> parsed_;
    std::size_t taken_ = 0;
    bool ended_ = false, atStart_ = true;
};

} // namespace qianyan

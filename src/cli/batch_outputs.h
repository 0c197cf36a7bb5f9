#pragma once
// What a batch writes, side by side under its table's name: TABLE_文本.txt (the Doc sheet), TABLE_表格.txt
// (the Xls sheet) and TABLE_表格.xlsx (the Xls sheet as a workbook); and when the table gives targets,
// TABLE_目标.txt, a line per pile with its targets and the socket depth (or bottom-layer length) and
// diameter they need. A batch replaces only what an earlier
// batch of a table of the same file name wrote there and nobody has changed since: the workbook carries a
// mark naming the table and the size and digest of the two text sheets written with it, and a spreadsheet
// program that saves the workbook again drops the mark. Anything else under one of the three names is the
// engineer's, and the batch refuses to run rather than replace it.
#include "framework/calculation_sheet.h"
#include "platform/platform.h"

#include <ostream>
#include <string>
#include <vector>

namespace qianyan {

class BatchOutputs {
public:
    // The outputs of the table at tablePath in folder; with targets, the targets' table too.
    BatchOutputs(std::string folder, const std::string& tablePath, bool targets = false);

    // A pile's line of the targets' table, added as the pile is computed (nothing without targets).
    void addTargetRow(const std::vector<std::string>& cells);

    // The paths among the three that hold something this batch may not replace (a file that cannot be
    // read cannot be shown to be the batch's own).
    std::vector<std::string> taken() const;
    // Writes the files from the sheet (and the targets' lines), printing "wrote<TAB>NAME" for each; throws
    // PlatformError.
    void write(Platform& platform, const CalculationSheet& sheet, std::ostream& out) const;

private:
    std::string path(const std::string& name) const;
    // The names of the text files: the two sheets, and the targets' table when there is one.
    std::vector<const std::string*> textFiles() const;
    // The mark's line for a text sheet as it is on disk: its name, size and digest; empty when it cannot
    // be read.
    std::string markLine(const std::string& name) const;

    std::string folder_, table_;
    std::string doc_, xls_, workbook_;
    std::string targets_; // empty without targets
    std::vector<std::string> targetLines_;
};

} // namespace qianyan

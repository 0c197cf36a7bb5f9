#pragma once
// What a batch writes, side by side under its table's name: TABLE_文本.txt (the Doc sheet), TABLE_表格.txt
// (the Xls sheet) and TABLE_表格.xlsx (the Xls sheet as a workbook). A batch replaces only what an earlier
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
    // The outputs of the table at tablePath in folder.
    BatchOutputs(std::string folder, const std::string& tablePath);

    // The paths among the three that hold something this batch may not replace (a file that cannot be
    // read cannot be shown to be the batch's own).
    std::vector<std::string> taken() const;
    // Writes the three files from the sheet, printing "wrote<TAB>NAME" for each; throws PlatformError.
    void write(Platform& platform, const CalculationSheet& sheet, std::ostream& out) const;

private:
    std::string path(const std::string& name) const;
    // The mark's line for a text sheet as it is on disk: its name, size and digest; empty when it cannot
    // be read.
    std::string markLine(const std::string& name) const;

    std::string folder_, table_;
    std::string doc_, xls_, workbook_;
};

} // namespace qianyan

#pragma once
// What a batch writes, side by side under its table's name: TABLE_文本.txt (the Doc sheet), TABLE_表格.txt
// (the Xls sheet) and TABLE_表格.xlsx (the Xls sheet as a workbook); and when the table gives targets,
// TABLE_目标.txt, a line per pile with its targets and the socket depth (or bottom-layer length) and
// diameter they need. A batch replaces only what an earlier
// batch of a table of the same file name wrote there and nobody has changed since: the workbook carries a
// mark naming the table and the size and digest of the two text sheets written with it, and a spreadsheet
// program that saves the workbook again drops the mark. Anything else under one of the three names is the
// engineer's, and the batch refuses to run rather than replace it.
//
// The files are written pile by pile, so a table of a million piles costs no more memory than one of ten:
// each into a temporary beside its target, all put in place at the end only when every one is complete. A
// run that stops on the way leaves the files of the batch before it as they were.
#include "framework/calculation_sheet.h"
#include "platform/platform.h"

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace qianyan {

class BatchOutputs {
public:
    // The outputs of the table at tablePath in folder; with targets, the targets' table too.
    BatchOutputs(std::string folder, const std::string& tablePath, bool targets = false);
    ~BatchOutputs();

    // The paths among the three that hold something this batch may not replace (a file that cannot be
    // read cannot be shown to be the batch's own).
    std::vector<std::string> taken() const;

    // A pile's line of the targets' table, written as the pile is computed (nothing without targets).
    void addTargetRow(const std::vector<std::string>& cells);
    // Writes what the sheet gained since the last call: the Xls header with the first design, then each
    // design's Doc block and Xls row. With forget, calls it after writing: the sheet drops what was written
    // (CalculationSheet::forgetDesigns). The first line written makes the folder. Throws PlatformError.
    void addDesigns(const CalculationSheet& sheet, const std::function<void()>& forget = {});
    // Ends the sheets with their feet, writes the workbook with the mark of the text files and puts every
    // file in place, printing "wrote<TAB>NAME" for each; throws PlatformError, and then no file of the
    // batch is replaced.
    void finish(const CalculationSheet& sheet, std::ostream& out);

private:
    std::string path(const std::string& name) const;
    // The names of the text files: the two sheets, and the targets' table when there is one.
    std::vector<const std::string*> textFiles() const;
    // The mark's line for a text sheet as it is on disk: its name, size and digest; empty when it cannot
    // be read.
    std::string markLine(const std::string& name) const;

    struct Drafts;
    // The files being written, begun with the first line.
    Drafts& drafts();

    std::string folder_, table_;
    std::string doc_, xls_, workbook_;
    std::string targets_; // empty without targets
    std::unique_ptr<Drafts> drafts_;
};

} // namespace qianyan

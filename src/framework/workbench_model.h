#pragma once
// The optimisation workbench of a calculator window as a model of its own: the page's controls, the
// declaration the calculator gave it, the sort states and the sweep. The window owns it and hands
// itself to every operation (the workbench writes candidates into the window's inputs, runs its compute
// handler and reports on its status line), so a copy of the window carries a working copy of its
// workbench.
#include "framework/controls.h"
#include "framework/window_declaration.h"
#include "framework/workbench.h"
#include "framework/workbook_file.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

class CalculatorFrame;

// The titles of the two result tables, over their table files and their sheets of the workbook.
inline constexpr std::string_view resultsTableTitle = "嵌岩桩优化计算原始结果";
inline constexpr std::string_view filteredTableTitle = "嵌岩桩优化计算筛选结果";

class Workbench {
public:
    Workbench();

    // --- Controls of the page YouHuaFormLayer ---
    Control lb_youhuabiaoti;
    Grid Grid1_Youhuaxuanxiang, Grid2_Youhuajieguo, Grid3_Youhuasaixuan;
    Control cbt_YHcompute, cbt_YHsaixuan, cbt_YHsave, cbt_YHfanhui, lb_huzhu, cbt_zhangkai, lb_YHxingxi;
    Control pb_YH_jingdu; // belongs to the window, not to the page

    // Fills the option grid and the tables; called once by a calculator with a workbench.
    void declare(const WorkbenchDeclaration& declaration);
    // The page's controls and their handlers, for the window's declaration.
    void declareControls(WindowDeclaration& d, CalculatorFrame& window, const Control& page);

    bool isOpen() const { return open_; }
    const WorkbenchDeclaration& declaration() const { return declaration_; }
    // The sortable columns, in column order.
    std::span<const SortColumn> sortColumns() const { return sortColumns_; }
    // The table file's two header lines: the pieces of its cells in order of place.
    const std::array<std::string, 2>& tableFileHeader() const { return fileHeader_; }
    // Sort state of the n-th sortable column: 0 unsorted, 1 ascending, 2 descending.
    int sortState(std::size_t sortColumn) const { return sortStates_.at(sortColumn); }
    // Whether a person can edit that cell of the option grid.
    bool optionCellEditable(int row, int column) const;

    // --- Handlers ---
    void cbt_YouHuaClick(CalculatorFrame& window);
    void cbt_YHfanhuiClick(CalculatorFrame& window);
    void Grid1_YouhuaxuanxiangSelectCell(int row, int column);
    void Grid1_YouhuaxuanxiangEditingDone(int row, int column);
    void cbt_YHcomputeClick(CalculatorFrame& window);
    void tableHeaderClick(Grid& table, int column);
    void cbt_YHsaixuanClick();
    void tableCellDblClick(CalculatorFrame& window, const Grid& table, int row);
    void cbt_zhangkaiClick();
    void cbt_YHsaveClick(CalculatorFrame& window);
    // The colour of a row of a result table (the declared row style).
    std::uint32_t rowColor(const Grid& table, std::size_t row) const;

    // --- The sweep of 计算 in pieces, so that a face can run the long middle piece on a copy of the
    // window in a worker thread. cbt_YHcomputeClick runs them all on the window itself. ---
    // Above this many candidates the person is asked before the sweep runs.
    static constexpr std::uint64_t largeSweep = 1'000'000;
    // Reads the option rows, asks above largeSweep (nothing has changed when the answer is No), then
    // empties the tables; throws like a handler (run it inside runEvent). The number of candidates; 0
    // when the sweep does not run.
    std::uint64_t beginSweep(CalculatorFrame& window);
    // Evaluates the candidates until all are done or *cancel becomes true; progress is called whenever
    // the whole percentage changes. Touches nothing outside the window.
    SweepOutcome runSweep(CalculatorFrame& window, const SweepProgress& progress = {},
                          const std::atomic<bool>* cancel = nullptr);
    // The end of the sweep: the filter bounds, the message and the buttons, or the failure's report.
    void finishSweep(CalculatorFrame& window, const SweepOutcome& outcome);
    // The progress value and "计算完成 … %" for done of total candidates.
    void showSweepProgress(std::uint64_t done, std::uint64_t total);
    // Takes the state that is not a control (sort states, the sweep) from the workbench of the window
    // copy that ran the sweep.
    void adoptState(Workbench& worked);

    // --- The save of 存盘 in pieces, so that a face can write the table file in a worker thread.
    // cbt_YHsaveClick runs them all on the window itself. ---
    struct TableFile {
        std::string path;
        LineSource lines; // reads the window and the table: neither may change while it runs
        std::size_t rows; // of the table, for a face's progress
        // The result tables with rows as a workbook beside the file (same name, ".xlsx"); it reads the
        // tables as the lines do.
        std::string workbookPath;
        std::vector<WorkbookSheet> workbook;
        std::size_t workbookRows;
    };
    // The shown table's file after the permission step and the overwrite question; nothing when no
    // table with rows is shown or nothing is to be written.
    std::optional<TableFile> beginSave(CalculatorFrame& window);
    // Writes the table file, then its workbook; rowWritten is called after every row of either and may
    // throw to stop. A failed workbook leaves the written table file. Throws PlatformError.
    static void writeSave(Platform& platform, const TableFile& file, const std::function<void()>& rowWritten);
    // After the writing: 存盘 disabled, or the failure reported.
    void finishSave(CalculatorFrame& window, const std::optional<PlatformError>& failure);

    // Fewer candidates than this for each core are swept on one: copying the window costs more.
    static constexpr std::uint64_t smallestShare = 20'000;
    // How many cores a sweep uses (0, at start: every core the machine has) and the fewest candidates a
    // core is given (tests split small sweeps to compare them with one core's).
    void setSweepCores(unsigned cores, std::uint64_t fewestPerCore = smallestShare) {
        sweepCores_ = cores;
        fewestPerCore_ = fewestPerCore;
    }

    // A sweep refused before it starts: message in red on the status line, silent abort.
    [[noreturn]] void refuse(std::string_view message);
    // The error convention's notice on the workbench status line.
    void noteAbort();

private:
    struct Sweep {
        std::vector<LoopCounts> kinds;
        std::uint64_t total = 0, done = 0;
        std::vector<std::pair<double, double>> bounds; // smallest and largest of each bounds column
    };
    // A run of consecutive candidates, [from, to) in the order of the sweep.
    struct Share {
        std::uint64_t from, to;
    };
    using ShareEnd = SweepOutcome;
    struct SharedProgress;

    // Sweeps one share into this workbench's results table.
    ShareEnd runShare(CalculatorFrame& window, const Share& share, SharedProgress& progress,
                      const std::atomic<bool>* cancel, const std::atomic<std::uint64_t>& stopAt);
    void findBounds();
    // Appends the row of the candidate just evaluated in window: label, then each column's source.
    void appendCandidateRow(const CalculatorFrame& window, std::string_view label);

    const OptionRow* option(int row) const;
    void emptyTables();
    void resetSortHeaders(Grid& table);
    void writeFilterBounds();
    // The table file's cells in order of place and its header lines, from the declared columns.
    void declareTableFile();
    LineSource tableFileLines(CalculatorFrame& window, const Grid& table, std::string_view title);
    std::vector<WorkbookSheet> workbookSheets() const;

    WorkbenchDeclaration declaration_;
    // What follows from the declared columns.
    std::vector<SortColumn> sortColumns_;
    std::vector<std::pair<int, TableFileCell>> fileCells_; // column (-1: none) and cell, by place
    std::array<std::string, 2> fileHeader_;
    std::vector<std::string> cellScratch_;         // one per column, for its source
    std::vector<std::string_view> candidateCells_; // the row being appended
    bool open_ = false;
    std::vector<int> sortStates_;
    Sweep sweep_;
    unsigned sweepCores_ = 0;
    std::uint64_t fewestPerCore_ = smallestShare;
};

} // namespace qianyan

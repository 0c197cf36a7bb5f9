#pragma once
// The frame every calculator window is built on, as a plain model: the three layers, the status line
// and its error convention, the precision modes, the 计算/结果 pair, the calculation-sheet page and the
// optimisation workbench. A calculator derives from it, adds its inputs and outputs, and supplies its
// evaluation, its sheet contents and its workbench adapter.
//
// The model holds no pointer into any widget and reaches the outside only through the platform, so it
// can be copied (the workbench sweeps on a copy) and driven by the desktop faces and the driver alike.
// People's actions enter through the operations of "Driving the window"; each runs as one event: an
// error-convention abort ends it silently, a conversion failure ends it with the platform's report.
#include "framework/calculation_sheet.h"
#include "framework/controls.h"
#include "framework/scrambled_text.h"
#include "framework/workbench.h"
#include "platform/platform.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

// Thrown to unwind an operation that the error convention has already reported.
struct SilentAbort {};

enum class PrecisionMode { TwoDecimals = 0, OneDecimal = 1, Units = 2, Tens = 3, Hundreds = 4 };

// A capacity value in a precision mode with at most `precision` significant digits: two, one or no
// decimals, or cut (not rounded) to tens or hundreds.
std::string modeAmount(double value, PrecisionMode mode, int precision);

// Why an operation by name did not run.
enum class Outcome {
    Done,
    UnknownControl, // no control of that name
    NotApplicable,  // the control does not take that action, or the row or index is out of range
    Inert,          // a disabled or hidden control: a person could not have done it
};

class CalculatorFrame {
public:
    // Scrambled forms of the three titles, with the window's own key table.
    struct Titles {
        ScrambleKey key;
        std::string_view main, workbench, sheet;
    };

    CalculatorFrame(Platform& platform, std::string_view windowName, const Titles& titles);
    virtual ~CalculatorFrame() = default;
    CalculatorFrame(const CalculatorFrame&) = default;
    CalculatorFrame& operator=(const CalculatorFrame&) = default;
    CalculatorFrame(CalculatorFrame&&) = default;
    CalculatorFrame& operator=(CalculatorFrame&&) = default;

    std::string_view windowName() const { return windowName_; }
    Platform& platform() const { return *platform_; }
    void setPlatform(Platform& platform) { platform_ = &platform; }

    // --- Driving the window by control names (the driver and the desktop faces) ---
    std::vector<NamedControl> controls();
    Control* find(std::string_view name);
    Outcome typeText(std::string_view name, std::string_view text);
    Outcome chooseItem(std::string_view name, int index);
    Outcome setChecked(std::string_view name, bool checked);
    Outcome click(std::string_view name);
    Outcome editCell(std::string_view grid, int row, int column, std::string_view text);
    Outcome doubleClick(std::string_view grid, int row);
    Outcome headerClick(std::string_view grid, int column);
    // Runs f as one event: the error convention's abort ends it silently, a conversion failure is
    // reported by the platform.
    template <class F> void runEvent(F&& f) {
        try {
            f();
        } catch (const SilentAbort&) {
        } catch (const std::runtime_error& e) {
            platform_->reportError(e.what());
        }
    }
    // Set by 退出: the face closes the window.
    bool closeRequested() const { return closeRequested_; }

    const CalculationSheet& sheet() const { return sheet_; }
    bool workbenchOpen() const { return workbenchOpen_; }
    PrecisionMode precisionMode() const { return static_cast<PrecisionMode>(popbox_jingdu.itemIndex); }

    // --- Frame controls ---
    Control MainFormLayer, JieGuo_DocLayer, YouHuaFormLayer;
    Control lb_cxm, cbt_CopyRight, gpb_srcs, gpb_scjg, cbt_JingDu, popbox_jingdu;
    Control cbt_compute, cbt_View, cbt_tuichu, cbt_YouHua, img_Logo, lb_shuoming, lb_guifan;
    // Sheet page
    Control lb_jisuanjieguo, meo_jisuanjieguo_Doc, meo_jisuanjieguo_Xls;
    Control cbt_PageBook, cbt_sanchu, cbt_Exit, cbt_Save, tcb_meoFontSize;
    // Workbench
    Control lb_youhuabiaoti;
    Grid Grid1_Youhuaxuanxiang, Grid2_Youhuajieguo, Grid3_Youhuasaixuan;
    Control cbt_YHcompute, cbt_YHsaixuan, cbt_YHsave, cbt_YHfanhui, lb_huzhu, cbt_zhangkai, lb_YHxingxi;
    Control pb_YH_jingdu;

    // --- Frame handlers ---
    virtual void cbt_computeClick() = 0;
    void cbt_ViewClick();
    void cbt_ExitClick();
    void cbt_JingDuClick();
    void popbox_jingduChange();
    void cbt_CopyRightClick();
    void cbt_tuichuClick();
    void cbt_PageBookClick();
    void cbt_sanchuClick();
    void cbt_SaveClick();
    void tcb_meoFontSizeChange();
    // Ctrl + wheel over either sheet view; other key combinations leave the slider alone.
    void meo_jisuanjieguo_DocMouseWheel(int wheelDelta, bool ctrlOnly);
    void meo_jisuanjieguo_XlsMouseWheel(int wheelDelta, bool ctrlOnly) {
        meo_jisuanjieguo_DocMouseWheel(wheelDelta, ctrlOnly);
    }
    // A zoom gesture event on either view; returns whether it was handled.
    bool meo_jisuanjieguo_DocGesture(double distance, bool firstOfGesture);
    bool meo_jisuanjieguo_XlsGesture(double distance, bool firstOfGesture) {
        return meo_jisuanjieguo_DocGesture(distance, firstOfGesture);
    }

    // --- Workbench handlers (a window without a workbench adapter ignores them) ---
    virtual WorkbenchCalculator* workbench() { return nullptr; }
    void cbt_YouHuaClick();
    void cbt_YHfanhuiClick();
    void Grid1_YouhuaxuanxiangSelectCell(int row, int column);
    void Grid1_YouhuaxuanxiangEditingDone(int row, int column);
    void cbt_YHcomputeClick();
    void Grid2_YouhuajieguoHeaderClick(int column);
    void Grid3_YouhuasaixuanHeaderClick(int column);
    void cbt_YHsaixuanClick();
    void Grid2_YouhuajieguoCellDblClick(int row);
    void Grid3_YouhuasaixuanCellDblClick(int row);
    void cbt_zhangkaiClick();
    void cbt_YHsaveClick();
    // Whether a person can edit that cell of the option grid.
    bool optionCellEditable(int row, int column) const;
    // Sort state of d, Ra, Rc (0, 1, 2): 0 unsorted, 1 ascending, 2 descending.
    int sortState(int sortColumn) const { return sortStates_[static_cast<std::size_t>(sortColumn)]; }

    // --- The sweep of 计算 in pieces, so that a face can run the long middle piece on a copy of the
    // window in a worker thread. cbt_YHcomputeClick runs the three on the window itself. ---
    // Above this many candidates the person is asked before the sweep runs.
    static constexpr std::uint64_t largeSweep = 1'000'000;
    // Empties the tables, reads the option rows and checks the count; throws like a handler (run it
    // inside runEvent). The number of candidates; 0 when the sweep does not run.
    std::uint64_t beginSweep();
    // Evaluates the candidates until all are done or *cancel becomes true; progress is called whenever
    // the whole percentage changes. Touches nothing outside the window.
    SweepOutcome runSweep(const SweepProgress& progress = {}, const std::atomic<bool>* cancel = nullptr);
    // Takes every control and the workbench state from the copy that ran the sweep.
    void adoptSweep(CalculatorFrame& worked);
    // The end of the sweep: the filter bounds, the message and the buttons, or the failure's report.
    void finishSweep(const SweepOutcome& outcome);
    // The progress value and "计算完成 … %" for done of total candidates.
    void showSweepProgress(std::uint64_t done, std::uint64_t total);

protected:
    // Every named control of the calculator beyond the frame's.
    virtual void addCalculatorControls(std::vector<NamedControl>& list) = 0;
    // Change handler of a calculator input, after its text, item or check state changed.
    virtual void onInputChanged(Control& input) = 0;
    // Click handlers of the calculator's own buttons; false when `button` is not one of them.
    virtual bool onCalculatorClick(Control& /*button*/) { return false; }
    // A cell edit (select, type, finish) on one of the calculator's own grids.
    virtual Outcome editCalculatorCell(Grid& /*grid*/, int /*row*/, int /*column*/, std::string_view /*text*/) {
        return Outcome::NotApplicable;
    }

    // Status line: hides the logo for good and shows message in colour.
    void showStatus(std::string_view message, std::uint32_t color);
    // Empties the status text; the line stays shown.
    void clearStatusText() { lb_shuoming.text.clear(); }
    // Error convention: red message, red input, workbench notice, silent abort.
    [[noreturn]] void fail(Control& input, std::string_view message);
    // A check that passed: status text cleared, input black.
    void accept(Control& input);
    // Step 2 of every change handler: 计算 back in place of 结果.
    void restoreComputeButton();
    // Types text into an input as the program does (the workbench): runs its change handler when the
    // text actually changes.
    void writeInput(Control& input, std::string_view text);
    void selectInputItem(Control& input, int index);

    // Appends a computed design to the sheets with the current time and swaps 计算 for 结果.
    void appendDesign(const SheetDesign& design);

    // Saves lines under name in the documents folder with the permission step, the overwrite question
    // and the time-stamped alternative; false when nothing was written.
    bool saveLines(std::string_view fileName, const LineSource& lines);

    // Fills the option grid and the table columns; called once by a calculator with a workbench.
    void setUpWorkbench(const WorkbenchLayout& layout);
    // A sweep refused before it starts: message in red on the workbench status line, silent abort.
    [[noreturn]] void refuseSweep(std::string_view message);

    bool workbenchOpen_ = false;

private:
    struct WorkbenchSetup {
        int optionRows = 0, raFilterRow = -1, rcFilterRow = -1;
        std::vector<WorkbenchColumn::Shown> shown;
        int fileWidth = 0;
        std::string fileHeader1, fileHeader2;
        std::vector<TableFileCell> fileCells;
    };
    struct Sweep {
        std::vector<std::uint64_t> counts;
        std::uint64_t total = 0, done = 0;
    };

    bool docShown() const;
    void resetSortHeaders(Grid& table);
    void sortTable(Grid& table, int column);
    void loadCandidate(const Grid& table, int row);
    void writeFilterBounds();
    LineSource tableFileLines(const Grid& table, std::string_view title);
    void refreshSaveButton();

    Platform* platform_;
    std::string windowName_;
    CalculationSheet sheet_;
    double previousGestureDistance_ = 0;
    bool closeRequested_ = false;
    WorkbenchSetup workbenchSetup_;
    std::array<int, 3> sortStates_{};
    Sweep sweep_;
};

} // namespace qianyan

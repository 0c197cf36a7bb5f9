#pragma once
// The frame every calculator window is built on, as a plain model: the pages, the status line and its
// error convention, the precision modes, the 计算/结果 pair, the calculation-sheet page and the
// optimisation workbench. A calculator derives from it, declares its own controls with their pages and
// handlers (declare), and supplies its evaluation, its sheet contents and its workbench adapter.
//
// The model holds no pointer into any widget and reaches the outside only through the platform, so it
// can be copied (the workbench sweeps on copies) and driven by the desktop faces and the driver alike.
// People's actions enter through the operations of "Driving the window"; each runs as one event: an
// error-convention abort ends it silently, a conversion failure ends it with the platform's report.
#include "framework/calculation_sheet.h"
#include "framework/controls.h"
#include "framework/pile_drawing.h"
#include "framework/precision_mode.h"
#include "framework/scrambled_text.h"
#include "framework/target_design.h"
#include "framework/window_declaration.h"
#include "framework/workbench_model.h"
#include "platform/platform.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

// Thrown to unwind an operation that the error convention has already reported.
struct SilentAbort {};

// Why an operation by name did not run.
enum class Outcome {
    Done,
    UnknownControl, // no control of that name
    NotApplicable,  // the control does not take that action, or the row or index is out of range
    Inert,          // a disabled or hidden control, or one on a hidden page: a person could not have done it
};

// Outputs whose texts a change empties.
using Outputs = std::vector<Control*>;

// What a change of an input does, as a row of the calculator's one table: the outputs it clears (then 计算
// comes back in place of 结果; a change that clears none leaves both as they are, as the inputs of a
// panel do), then anything more it does.
struct InputChange {
    Control& input;
    Outputs clears;
    std::function<void()> more = {};
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
    const WindowDeclaration& declaration();
    Control* find(std::string_view name);
    Grid* findGrid(std::string_view name);
    // Whether a person can reach the control: enabled, shown, on a shown page.
    bool reachable(std::string_view name);
    // The same for a control of the declaration, without looking it up by name.
    static bool reachable(const DeclaredControl& c);
    Outcome typeText(std::string_view name, std::string_view text);
    Outcome chooseItem(std::string_view name, int index);
    Outcome setChecked(std::string_view name, bool checked);
    Outcome click(std::string_view name);
    Outcome editCell(std::string_view grid, int row, int column, std::string_view text);
    Outcome doubleClick(std::string_view grid, int row);
    Outcome headerClick(std::string_view grid, int column);
    // Pastes a block copied from a spreadsheet into a grid from (row, column): a line is a row, its
    // cells are split at tabs (at commas when the block has no tab). Each value goes into the next
    // editable cell of its row through the same edit as typing; a layer grid is given more layers by its
    // list, as a person would choose them, when the block is longer. Values with no cell to go to are
    // named in one message and left out.
    Outcome pasteCells(std::string_view grid, int row, int column, std::string_view text);
    // The given rows of a grid as tab-separated lines, under a line of the shown columns' headers.
    std::string copiedRows(std::string_view grid, std::span<const int> rows);
    // Whether a person can edit that cell of a grid.
    bool cellEditable(std::string_view grid, int row, int column);
    // The text colour of a grid row.
    std::uint32_t rowColor(std::string_view grid, std::size_t row);
    // Runs f as one event: the error convention's abort ends it silently, a conversion failure is
    // reported by the platform, and so is a lack of memory, with everything computed so far kept. The
    // target's answers follow every event.
    template <class F> void runEvent(F&& f) {
        try {
            f();
        } catch (const SilentAbort&) {
        } catch (const std::bad_alloc&) {
            platform_->reportError(outOfMemoryMessage);
        } catch (const std::runtime_error& e) {
            platform_->reportError(e.what());
        }
        refreshTarget();
    }
    static constexpr std::string_view outOfMemoryMessage = "内存不足，操作已中止";
    // Set by 退出 (and by the window's close button through requestClose): the face closes the window.
    bool closeRequested() const { return closeRequested_; }
    // Closing: when the sheets hold designs no file holds, asks first whether to save them (naming the
    // calculator); cancelling, or a save that writes nothing, keeps the window. Whether it may close.
    bool requestClose();
    // The calculator's name as the person knows it, for questions that must say which window they are
    // about.
    virtual std::string_view calculatorName() const { return windowName_; }

    const CalculationSheet& sheet() const { return sheet_; }
    void nameNextPile(std::string label) { sheet_.nameNextPile(std::move(label)); }
    // A batch that has written the designs out (CalculationSheet::forgetDesigns).
    void forgetWrittenDesigns() { sheet_.forgetDesigns(); }
    bool workbenchOpen() const { return workbench.isOpen(); }
    PrecisionMode precisionMode() const { return static_cast<PrecisionMode>(popbox_jingdu.itemIndex); }

    // --- Frame controls ---
    Control MainFormLayer, JieGuo_DocLayer, YouHuaFormLayer;
    Control lb_cxm, cbt_CopyRight, gpb_srcs, gpb_scjg, cbt_JingDu, popbox_jingdu;
    Control cbt_compute, cbt_View, cbt_tuichu, cbt_YouHua, img_Logo, lb_shuoming, lb_guifan;
    // Sheet page
    Control lb_jisuanjieguo, meo_jisuanjieguo_Doc, meo_jisuanjieguo_Xls;
    Control cbt_PageBook, cbt_sanchu, cbt_Exit, cbt_Save, tcb_meoFontSize;
    // 另存为… writes the shown sheet where the person says; the line under the buttons names the file
    // every save of the page wrote.
    Control cbt_LingCun, lb_cunpan;
    // The optimisation workbench on YouHuaFormLayer.
    Workbench workbench;
    // The target load and the depth and diameter it needs, on the main page of a calculator that has one.
    TargetDesign target;

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
    void cbt_LingCunClick();
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

    // Takes every control and the workbench's state from the copy of this window that ran a sweep.
    void adoptSweep(CalculatorFrame& worked);
    // The window's own controls (every one but the workbench page's) as they stand. A sweep writes its
    // candidates into the inputs and puts them back when it ends, so that what the person typed is never
    // replaced; a candidate reaches the inputs only by a load-back.
    struct OwnControls {
        std::vector<std::pair<Control*, Control>> controls;
        std::vector<std::pair<Grid*, Grid>> grids;
    };
    OwnControls ownControls();
    // Puts them back; keepStatus leaves the status line as it is (the reason a sweep stopped).
    void restoreOwnControls(OwnControls&& saved, bool keepStatus);

    // The calculator's side of the workbench; a window without one ignores the workbench's 计算.
    virtual WorkbenchCalculator* workbenchAdapter() { return nullptr; }
    // The calculator's side of the target design; a window without one has no target group.
    virtual TargetCalculator* targetAdapter() { return nullptr; }
    // Brings the target's answers up to date with the inputs.
    void refreshTarget();
    // The pile in its ground as the inputs stand; empty for inputs that would not compute.
    virtual PileDrawing pileDrawing() const { return {}; }

    // Types text into an input as the program does (the workbench, a load-back): runs its change handler
    // when the text actually changes.
    void writeInput(Control& input, std::string_view text);
    void selectInputItem(Control& input, int index);
    void setInputChecked(Control& input, bool checked);
    // Status line: hides the logo for good and shows message in colour.
    void showStatus(std::string_view message, std::uint32_t color);
    // The path to save a file of fileName at in the documents folder, after the permission step, the
    // overwrite question and the time-stamped alternative name (empty when nothing is to be written; a
    // failure is reported). besides names the extensions of the files the save writes beside the ".txt"
    // under the same name: any of them existing asks the question, and the time-stamped name is one none
    // of them has.
    std::string savePath(std::string_view fileName, std::initializer_list<std::string_view> besides = {});
    // Exports a sheet to a file the person names, starting from fileName in the documents folder: the
    // permission step, the path asked (declining writes nothing), the file written by write (which throws
    // PlatformError when it cannot write it whole) and a failure reported. Whether the file was written.
    bool exportFile(std::string_view fileName, std::string_view filter,
                    const std::function<void(const std::string& path)>& write);
    // The halves of exportFile around the writing, for a face that writes in a worker thread: the path
    // the person named after the permission step (empty when nothing is to be written), and afterwards
    // the file named under the buttons or the failure reported; whether it was written.
    std::string exportPath(std::string_view fileName, std::string_view filter);
    bool finishExport(const std::string& path, const std::optional<PlatformError>& failure);
    // 保存 (or, elsewhere, 另存为…) of the shown sheet in the same halves: the sheet, the path and its lines
    // after the checks and questions (nothing when nothing is to be written), and afterwards the sheet
    // marked saved and named under the buttons, or the failure reported.
    struct SheetSave {
        int sheet; // CalculationSheet::docUnsaved or xlsUnsaved
        std::string path;
        LineSource lines;
        std::size_t lineCount;
    };
    std::optional<SheetSave> beginSheetSave(bool elsewhere);
    bool finishSheetSave(const SheetSave& save, const std::optional<PlatformError>& failure);
    void reportSaveFailure(const PlatformError& error);

protected:
    // The calculator's controls with their pages and handlers; an override calls the one it overrides.
    virtual void declare(WindowDeclaration& d);
    // A table of input changes (what each clears, and what more it does) as the calculator's handlers.
    void declareChanges(WindowDeclaration& d, std::initializer_list<InputChange> changes);

    // Empties the status text; the line stays shown.
    void clearStatusText() { lb_shuoming.text.clear(); }
    // Error convention: red message, red input, workbench notice, silent abort.
    [[noreturn]] void fail(Control& input, std::string_view message);
    // A check that passed: status text cleared, input black.
    void accept(Control& input);
    // Step 2 of every change handler: 计算 back in place of 结果.
    void restoreComputeButton();
    // Empties the outputs and brings 计算 back, as a change of an input that feeds them does.
    void clearOutputs(const Outputs& outputs);
    // Runs the change handler of an input.
    void inputChanged(Control& input);

    // Appends a computed design to the sheets with the current time and the drawing of the inputs it was
    // computed from, and swaps 计算 for 结果. With a target, the Doc block tells whether the design's
    // capacity meets it.
    void appendDesign(SheetDesign design, const TargetCapacity& capacity);

private:
    bool docShown() const;
    void refreshSaveButton();
    // Saves one sheet (CalculationSheet::docUnsaved or xlsUnsaved) as 保存 does, or elsewhere as 另存为…
    // does; whether it was written.
    bool saveSheet(int sheet, bool elsewhere = false);
    std::optional<SheetSave> beginSheetSave(int sheet, bool elsewhere);
    int shownSheet() const;
    // Whether lines hold a text the legacy file cannot keep, reported as a failed save.
    bool refusedAsUnsavable(const LineSource& lines);
    const DeclaredControl* reachableEntry(std::string_view name, Outcome& outcome);

    Platform* platform_;
    std::string windowName_;
    CalculationSheet sheet_;
    double previousGestureDistance_ = 0;
    bool closeRequested_ = false;
    DeclarationCache declaration_;
};

} // namespace qianyan

// The calculation-sheet page of the frame: appending designs, switching, trimming and saving sheets.
#include "framework/calculator_frame.h"
#include "framework/number_text.h"
#include "platform/legacy_text_file.h"

namespace qianyan {

namespace {

constexpr std::string_view docFileName = "嵌岩桩计算书(依据JGJ94-2008)_文本.txt";
constexpr std::string_view xlsFileName = "嵌岩桩计算书(依据JGJ94-2008)_表格.txt";

LineSource linesOf(const std::vector<std::string>& lines) {
    return [&lines](const LineSink& sink) {
        for (const std::string& line : lines) sink(line);
    };
}

} // namespace

void CalculatorFrame::appendDesign(SheetDesign design, const TargetCapacity& capacity) {
    if (const TargetCalculator* calculator = targetAdapter()) {
        std::string_view message;
        if (Control* bad = target.badInput(message)) fail(*bad, message);
        // After the result lines, before the block's closing rule.
        const DocLines lines = target.docLines(*calculator, capacity);
        design.docBlock.insert(design.docBlock.end() - (design.docBlock.empty() ? 0 : 1), lines.begin(),
                               lines.end());
    }
    design.drawing = pileDrawing();
    sheet_.append(design, dateTimeText(platform_->now()));
    cbt_Save.enabled = true;
    cbt_LingCun.enabled = true;
    cbt_sanchu.enabled = true;
    cbt_View.visible = true;
    cbt_compute.visible = false;
    cbt_compute.enabled = false;
}

bool CalculatorFrame::docShown() const {
    return cbt_PageBook.text == "1";
}

void CalculatorFrame::cbt_PageBookClick() {
    const bool toXls = docShown();
    meo_jisuanjieguo_Xls.visible = toXls;
    meo_jisuanjieguo_Doc.visible = !toXls;
    cbt_PageBook.text.assign(1, toXls ? '2' : '1');
    refreshSaveButton();
}

void CalculatorFrame::refreshSaveButton() {
    const int mark = shownSheet();
    cbt_Save.enabled = (sheet_.unsavedMarks() & mark) != 0;
}

void CalculatorFrame::cbt_sanchuClick() {
    sheet_.removeLast();
    cbt_sanchu.enabled = sheet_.designCount() > 0;
    cbt_LingCun.enabled = cbt_sanchu.enabled;
    refreshSaveButton();
}

int CalculatorFrame::shownSheet() const {
    return docShown() ? CalculationSheet::docUnsaved : CalculationSheet::xlsUnsaved;
}

void CalculatorFrame::cbt_SaveClick() {
    saveSheet(shownSheet());
}

void CalculatorFrame::cbt_LingCunClick() {
    saveSheet(shownSheet(), true);
}

bool CalculatorFrame::saveSheet(int sheet, bool elsewhere) {
    const std::optional<SheetSave> save = beginSheetSave(sheet, elsewhere);
    if (!save) return false;
    std::optional<PlatformError> failure;
    try {
        platform_->writeTextFile(save->path, save->lines);
    } catch (const PlatformError& e) {
        failure = e;
    }
    return finishSheetSave(*save, failure);
}

std::optional<CalculatorFrame::SheetSave> CalculatorFrame::beginSheetSave(bool elsewhere) {
    return beginSheetSave(shownSheet(), elsewhere);
}

std::optional<CalculatorFrame::SheetSave> CalculatorFrame::beginSheetSave(int sheet, bool elsewhere) {
    const bool doc = sheet == CalculationSheet::docUnsaved;
    const std::vector<std::string>& lines = doc ? sheet_.doc() : sheet_.xls();
    SheetSave save{sheet, {}, linesOf(lines), lines.size()};
    if (refusedAsUnsavable(save.lines)) return std::nullopt;
    const std::string_view name = doc ? docFileName : xlsFileName;
    save.path = elsewhere ? exportPath(name, "文本文件 (*.txt)") : savePath(name);
    if (save.path.empty()) return std::nullopt;
    return save;
}

bool CalculatorFrame::finishSheetSave(const SheetSave& save, const std::optional<PlatformError>& failure) {
    if (!finishExport(save.path, failure)) return false;
    sheet_.markSaved(save.sheet);
    refreshSaveButton();
    return true;
}

bool CalculatorFrame::requestClose() {
    if (sheet_.unsavedMarks() != 0) {
        const std::string question =
            "“" + std::string(calculatorName()) + "”的计算书有未保存的计算结果，关闭前是否保存?";
        switch (platform_->askSaveDiscardCancel(question)) {
        case SaveChoice::Cancel:
            return false;
        case SaveChoice::Discard:
            break;
        case SaveChoice::Save:
            for (const int sheet : {CalculationSheet::docUnsaved, CalculationSheet::xlsUnsaved})
                if ((sheet_.unsavedMarks() & sheet) != 0 && !saveSheet(sheet)) return false;
            break;
        }
    }
    closeRequested_ = true;
    return true;
}

bool CalculatorFrame::exportFile(std::string_view fileName, std::string_view filter,
                                 const std::function<void(const std::string& path)>& write) {
    const std::string path = exportPath(fileName, filter);
    if (path.empty()) return false;
    std::optional<PlatformError> failure;
    try {
        write(path);
    } catch (const PlatformError& e) {
        failure = e;
    }
    return finishExport(path, failure);
}

std::string CalculatorFrame::exportPath(std::string_view fileName, std::string_view filter) {
    if (!platform_->requestWritePermission()) {
        platform_->inform("无权存盘");
        return {};
    }
    try {
        return platform_->askSavePath(joinPath(platform_->documentsFolder(), fileName), filter);
    } catch (const PlatformError& e) {
        reportSaveFailure(e);
        return {};
    }
}

bool CalculatorFrame::finishExport(const std::string& path, const std::optional<PlatformError>& failure) {
    if (failure) {
        reportSaveFailure(*failure);
        return false;
    }
    lb_cunpan.text = "已保存：" + path;
    return true;
}

std::string CalculatorFrame::savePath(std::string_view fileName,
                                      std::initializer_list<std::string_view> besides) {
    if (!platform_->requestWritePermission()) {
        platform_->inform("无权存盘");
        return {};
    }
    try {
        const std::string folder = platform_->documentsFolder();
        const std::string_view stem = fileName.substr(0, fileName.size() - 4); // without ".txt"
        // The files a save at folder/name.txt writes: that one and those beside it under the same name.
        const auto taken = [&](const std::string& name) {
            std::vector<std::string> existing;
            const auto note = [&](std::string_view extension) {
                std::string path = joinPath(folder, name + std::string(extension));
                if (platform_->fileExists(path)) existing.push_back(std::move(path));
            };
            note(".txt");
            for (const std::string_view extension : besides) note(extension);
            return existing;
        };
        std::string name(stem);
        const std::vector<std::string> existing = taken(name);
        // A folder or a read-only file of those names is refused before the question: Yes could not be
        // honoured.
        for (const std::string& p : existing) platform_->checkReplaceable(p);
        if (!existing.empty() && !platform_->askYesNo("文件已存在，是否覆盖?")) {
            const std::string stamped = name + "_" + timeStamp14(platform_->now());
            name = stamped;
            // Two declined saves within one second would share a name; never write over the first.
            for (int n = 2; !taken(name).empty(); ++n) name = stamped + "_" + std::to_string(n);
            platform_->inform("结果已附加时间改名另存。");
        }
        return joinPath(folder, name + ".txt");
    } catch (const PlatformError& e) {
        reportSaveFailure(e);
        return {};
    }
}

bool CalculatorFrame::refusedAsUnsavable(const LineSource& lines) {
    // A text the file cannot keep is named before any question: nothing is written.
    const std::string unsavable = whyNotGbk(lines);
    if (!unsavable.empty()) reportSaveFailure(PlatformError(unsavable));
    return !unsavable.empty();
}

void CalculatorFrame::reportSaveFailure(const PlatformError& error) {
    platform_->reportError(std::string("保存失败：") + error.what());
}

} // namespace qianyan

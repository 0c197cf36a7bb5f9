// The calculation-sheet page of the frame: appending designs, switching, trimming and saving sheets.
#include "framework/calculator_frame.h"
#include "framework/number_text.h"

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

void CalculatorFrame::appendDesign(SheetDesign design) {
    design.drawing = pileDrawing();
    sheet_.append(design, dateTimeText(platform_->now()));
    cbt_Save.enabled = true;
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
    const int mark = docShown() ? CalculationSheet::docUnsaved : CalculationSheet::xlsUnsaved;
    cbt_Save.enabled = (sheet_.unsavedMarks() & mark) != 0;
}

void CalculatorFrame::cbt_sanchuClick() {
    const bool emptied = sheet_.designCount() <= 1;
    sheet_.removeLast();
    if (emptied) {
        cbt_Save.enabled = false;
        cbt_sanchu.enabled = false;
    }
}

void CalculatorFrame::cbt_SaveClick() {
    const bool doc = docShown();
    if (!saveLines(doc ? docFileName : xlsFileName, linesOf(doc ? sheet_.doc() : sheet_.xls()))) return;
    sheet_.markSaved(doc ? CalculationSheet::docUnsaved : CalculationSheet::xlsUnsaved);
    cbt_Save.enabled = false;
}

bool CalculatorFrame::saveLines(std::string_view fileName, const LineSource& lines) {
    const std::string path = savePath(fileName);
    if (path.empty()) return false;
    try {
        platform_->writeTextFile(path, lines);
        return true;
    } catch (const PlatformError& e) {
        reportSaveFailure(e);
        return false;
    }
}

bool CalculatorFrame::exportFile(std::string_view fileName, std::string_view filter,
                                 const std::function<void(const std::string& path)>& write) {
    if (!platform_->requestWritePermission()) {
        platform_->inform("无权存盘");
        return false;
    }
    try {
        const std::string path =
            platform_->askSavePath(joinPath(platform_->documentsFolder(), fileName), filter);
        if (path.empty()) return false;
        write(path);
        return true;
    } catch (const PlatformError& e) {
        reportSaveFailure(e);
        return false;
    }
}

std::string CalculatorFrame::savePath(std::string_view fileName) {
    if (!platform_->requestWritePermission()) {
        platform_->inform("无权存盘");
        return {};
    }
    try {
        const std::string folder = platform_->documentsFolder();
        std::string path = joinPath(folder, fileName);
        const bool exists = platform_->fileExists(path);
        // A folder or a read-only file of that name is refused before the question: Yes could not be
        // honoured.
        if (exists) platform_->checkReplaceable(path);
        if (exists && !platform_->askYesNo("文件已存在，是否覆盖?")) {
            const std::string_view stem = fileName.substr(0, fileName.size() - 4); // without ".txt"
            const std::string stamped = std::string(stem) + "_" + timeStamp14(platform_->now());
            path = joinPath(folder, stamped + ".txt");
            // Two declined saves within one second would share a name; never write over the first.
            for (int n = 2; platform_->fileExists(path); ++n)
                path = joinPath(folder, stamped + "_" + std::to_string(n) + ".txt");
            platform_->inform("结果已附加时间改名另存。");
        }
        return path;
    } catch (const PlatformError& e) {
        reportSaveFailure(e);
        return {};
    }
}

void CalculatorFrame::reportSaveFailure(const PlatformError& error) {
    platform_->reportError(std::string("保存失败：") + error.what());
}

} // namespace qianyan

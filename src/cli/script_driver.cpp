#include "cli/script_driver.h"

#include "cli/calculators.h"
#include "documents/sheet_workbook.h"
#include "framework/number_text.h"
#include "framework/project_file.h"

#include <cstdio>

namespace qianyan {

bool splitScript(std::string_view script, std::vector<std::vector<std::string>>& commands,
                 std::string& error) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false, comment = false;
    const auto endWord = [&] {
        if (inWord) words.push_back(std::move(word));
        word.clear();
        inWord = false;
    };
    const auto endCommand = [&] {
        endWord();
        if (!words.empty()) commands.push_back(std::move(words));
        words.clear();
        comment = false;
    };
    for (std::size_t i = 0; i < script.size(); ++i) {
        const char c = script[i];
        if (quoted) {
            if (c == '\\' && i + 1 < script.size() && (script[i + 1] == '"' || script[i + 1] == '\\')) {
                word += script[++i];
            } else if (c == '"') {
                quoted = false;
            } else if (c == '\n') {
                error = "引号未闭合";
                return false;
            } else {
                word += c;
            }
        } else if (c == '\n' || c == ';') {
            if (c == '\n' || !comment) endCommand();
        } else if (comment) {
        } else if (c == '#') {
            comment = true;
        } else if (c == '"') {
            quoted = inWord = true;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            endWord();
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted) {
        error = "引号未闭合";
        return false;
    }
    endCommand();
    return true;
}

ScriptDriver::ScriptDriver(ScriptedPlatform& platform, std::ostream& out, std::ostream& err)
    : platform_(platform), out_(out), err_(err) {
    platform_.observer = [this](const ScriptedPlatform::Dialog& d) {
        using Kind = ScriptedPlatform::Dialog::Kind;
        switch (d.kind) {
        case Kind::Error:
            out_ << "error\t" << d.text << '\n';
            break;
        case Kind::Link:
            out_ << "link\t" << d.text << '\n';
            break;
        case Kind::About:
            out_ << "window\tTVOR_DAX_FRM_CopyRight\n";
            break;
        default:
            out_ << "dialog\t" << d.text << '\n';
            break;
        }
    };
}

bool ScriptDriver::open(std::string_view window) {
    auto it = windows_.find(window);
    if (it == windows_.end()) {
        auto made = makeCalculator(window, platform_);
        if (!made) return false;
        it = windows_.emplace(std::string(window), std::move(made)).first;
    }
    current_ = it->second.get();
    currentName_ = window;
    return true;
}

void ScriptDriver::open(std::string_view name, std::unique_ptr<CalculatorFrame> window) {
    current_ = window.get();
    windows_.insert_or_assign(std::string(name), std::move(window));
    currentName_ = name;
}

bool ScriptDriver::run(std::string_view script) {
    std::vector<std::vector<std::string>> commands;
    std::string problem;
    if (!splitScript(script, commands, problem)) {
        error(problem);
        return false;
    }
    for (const auto& words : commands) execute(words);
    return !failed_;
}

void ScriptDriver::error(std::string_view message) {
    out_.flush(); // keep printed lines and errors in order when both go to one place
    err_ << "error\t" << message << '\n';
    failed_ = true;
}

void ScriptDriver::report(Outcome outcome, std::string_view command, std::string_view control) {
    switch (outcome) {
    case Outcome::Done:
        break;
    case Outcome::UnknownControl:
        error("窗口中没有控件 " + std::string(control));
        break;
    case Outcome::NotApplicable:
        error(std::string(control) + " 不能执行 " + std::string(command));
        break;
    case Outcome::Inert:
        out_.flush();
        err_ << "note\t" << control << " 当前不可用，操作无效\n";
        break;
    }
}

namespace {

bool readIndex(const std::string& text, int& index) {
    double v = 0;
    if (!tryReadStrict(text, v) || v != static_cast<int>(v) || v < 0 || v > 1e9) return false;
    index = static_cast<int>(v);
    return true;
}

std::string colorText(std::uint32_t argb) {
    char buffer[9];
    std::snprintf(buffer, sizeof buffer, "%08X", argb);
    return buffer;
}

} // namespace

void ScriptDriver::execute(const std::vector<std::string>& words) {
    const std::string& command = words[0];
    const auto arity = [&](std::size_t n) {
        if (words.size() == n + 1) return true;
        error(command + " 需要 " + std::to_string(n) + " 个参数");
        return false;
    };
    if (command == "open") {
        if (arity(1) && !open(words[1])) error("未知窗口 " + words[1]);
        return;
    }
    if (!current_) {
        error("没有打开的窗口");
        return;
    }
    int a = 0, b = 0;
    if (command == "set") {
        if (arity(2)) report(current_->typeText(words[1], words[2]), command, words[1]);
    } else if (command == "choose") {
        if (!arity(2)) return;
        if (!readIndex(words[2], a)) return error("序号无效 " + words[2]);
        report(current_->chooseItem(words[1], a), command, words[1]);
    } else if (command == "tick") {
        if (!arity(2)) return;
        if (words[2] != "0" && words[2] != "1") return error("tick 只接受 0 或 1");
        report(current_->setChecked(words[1], words[2] == "1"), command, words[1]);
    } else if (command == "cell") {
        if (!arity(4)) return;
        if (!readIndex(words[2], a) || !readIndex(words[3], b)) return error("行列号无效");
        report(current_->editCell(words[1], a, b, words[4]), command, words[1]);
    } else if (command == "click") {
        if (arity(1)) report(current_->click(words[1]), command, words[1]);
    } else if (command == "dblclick") {
        if (!arity(2)) return;
        if (!readIndex(words[2], a)) return error("行号无效 " + words[2]);
        report(current_->doubleClick(words[1], a), command, words[1]);
    } else if (command == "header") {
        if (!arity(2)) return;
        if (!readIndex(words[2], a)) return error("列号无效 " + words[2]);
        report(current_->headerClick(words[1], a), command, words[1]);
    } else if (command == "save-project" || command == "open-project") {
        // The platform has printed why; the failure still ends the run with status 2.
        if (arity(1) && !(command == "save-project" ? saveProject : openProject)(*current_, words[1]))
            failed_ = true;
    } else if (command == "print") {
        print(words);
    } else if (command == "export") {
        exportSheet(words);
    } else {
        error("未知命令 " + command);
    }
    if (current_->closeRequested()) {
        windows_.erase(currentName_);
        current_ = nullptr;
    }
}

void ScriptDriver::print(const std::vector<std::string>& words) {
    if (words.size() < 2 || words.size() > 3) return error("print 需要 1 或 2 个参数");
    const std::string& name = words[1];
    if (words.size() == 2 && (name == "doc" || name == "xls")) {
        for (const std::string& line : name == "doc" ? current_->sheet().doc() : current_->sheet().xls())
            out_ << line << '\n';
        return;
    }
    Control* c = current_->find(name);
    if (!c) return error("窗口中没有控件 " + name);
    if (c->kind == ControlKind::Grid)
        return printGrid(name, *static_cast<Grid*>(c), words.size() == 3 ? words[2] : "");
    if (words.size() == 3) return error("print " + name + " 不接受 " + words[2]);
    const bool numeric = c->kind == ControlKind::TrackBar || c->kind == ControlKind::ProgressBar;
    out_ << name << '\t' << (numeric ? general(c->value) : c->text) << '\t' << colorText(c->color) << '\t'
         << (c->enabled ? "enabled" : "disabled") << '\t' << (c->visible ? "shown" : "hidden") << '\n';
}

void ScriptDriver::exportSheet(const std::vector<std::string>& words) {
    if (words.size() != 3 || (words[1] != "pdf" && words[1] != "xlsx"))
        return error("export 需要 pdf 或 xlsx 与文件名");
    const bool pdf = words[1] == "pdf";
    if (pdf && !writePdf) return error("此版本不含PDF导出（构建时未含桌面程序）");
    if (current_->sheet().designCount() == 0) return error("计算书中还没有设计，无可导出");
    try {
        const std::string& file = words[2];
        const std::string path = file.starts_with('/') ? file : joinPath(platform_.documentsFolder(), file);
        if (pdf)
            writePdf(current_->sheet(), sheetFigures(*current_), path);
        else
            writeSheetWorkbook(current_->sheet(), path);
    } catch (const PlatformError& e) {
        error(std::string("导出失败：") + e.what());
    }
}

void ScriptDriver::printGrid(std::string_view name, const Grid& grid, std::string_view what) {
    const auto line = [&](auto&& cellOf, std::size_t count) {
        for (std::size_t c = 0; c < count; ++c) out_ << (c ? "\t" : "") << cellOf(c);
        out_ << '\n';
    };
    if (what.empty()) {
        for (std::size_t r = 0; r < grid.rows.rowCount(); ++r)
            line([&](std::size_t c) { return grid.rows.cell(r, c); }, grid.rows.columnCount());
    } else if (what == "header") {
        line([&](std::size_t c) { return std::string_view(grid.columns[c].header); }, grid.columns.size());
    } else if (what == "shown") {
        line([&](std::size_t c) { return grid.columns[c].visible ? "1" : "0"; }, grid.columns.size());
    } else {
        error("print " + std::string(name) + " 不接受 " + std::string(what));
    }
}

} // namespace qianyan

#include "cli/command_line.h"

#include "cli/calculators.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace qianyan {

bool parseClock(const std::string& text, DateTime& t) {
    int n = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &t.year, &t.month, &t.day, &t.hour, &t.minute,
                    &t.second, &n) != 6 ||
        static_cast<std::size_t>(n) != text.size())
        return false;
    return t.year >= 1 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 && t.hour >= 0 &&
           t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

DateTime localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string defaultDocumentsFolder() {
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/Documents";
}

namespace {

// A folder opens like a file but fails on the first read, which the stream reports by an exception.
bool readScript(const std::string& path, std::string& script, std::string& error) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        error = "脚本 " + path + " 是文件夹";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    bool read = static_cast<bool>(in);
    try {
        if (read) script.assign(std::istreambuf_iterator<char>(in), {});
    } catch (const std::ios_base::failure&) {
        read = false;
    }
    if (!read) {
        error = "无法读取脚本 " + path;
        return false;
    }
    return true;
}

} // namespace

std::optional<DriverOptions> parseDriverOptions(const std::vector<std::string>& args, std::string& error) {
    DriverOptions o;
    std::optional<std::string> scriptFile;
    bool inline_ = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&]() -> const std::string* {
            if (i + 1 >= args.size()) {
                error = a + " 缺少参数";
                return nullptr;
            }
            return &args[++i];
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--window") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            o.window = *v;
            bool known = false;
            for (const auto name : calculatorNames()) known = known || name == o.window;
            if (!known) {
                error = "未知窗口 " + o.window;
                return std::nullopt;
            }
        } else if (a == "--documents") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            o.documents = *v;
        } else if (a == "--clock") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            DateTime t;
            if (!parseClock(*v, t)) {
                error = "时间格式应为 \"YYYY-MM-DD HH:MM:SS\"：" + *v;
                return std::nullopt;
            }
            o.clock = t;
        } else if (a == "--out") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            o.out = *v;
        } else if (a == "--answer") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            if (*v != "yes" && *v != "no") {
                error = "--answer 只接受 yes 或 no";
                return std::nullopt;
            }
            o.answer = *v == "yes";
        } else if (a == "--unsaved") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            if (*v != "save" && *v != "discard" && *v != "cancel") {
                error = "--unsaved 只接受 save、discard 或 cancel";
                return std::nullopt;
            }
            o.unsaved = *v == "save"      ? SaveChoice::Save
                        : *v == "discard" ? SaveChoice::Discard
                                          : SaveChoice::Cancel;
        } else if (a == "-e") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            o.script += *v;
            o.script += '\n';
            inline_ = true;
        } else if (a != "-" && a.size() > 1 && a[0] == '-') {
            error = "未知选项 " + a;
            return std::nullopt;
        } else if (a == "batch" && !o.batchTable && !scriptFile) {
            o.batchTable.emplace();
        } else if (o.batchTable && o.batchTable->empty()) {
            o.batchTable = a;
        } else if (scriptFile) {
            error = "只能给一个脚本";
            return std::nullopt;
        } else {
            scriptFile = a;
        }
    }
    if (o.help) return o;
    if (o.batchTable && o.batchTable->empty()) {
        error = "batch 缺少表格文件";
        return std::nullopt;
    }
    if (!o.out.empty() && !o.batchTable) {
        error = "--out 只用于 batch";
        return std::nullopt;
    }
    if (inline_ && scriptFile) {
        error = "-e 与脚本文件不能同时使用";
        return std::nullopt;
    }
    if (!inline_) {
        if (scriptFile && *scriptFile != "-") {
            if (!readScript(*scriptFile, o.script, error)) return std::nullopt;
        } else if (scriptFile || !o.batchTable) {
            o.script.assign(std::istreambuf_iterator<char>(std::cin), {});
        }
    }
    return o;
}

std::string driverHelp() {
    std::string names, list;
    for (const std::string_view name : calculatorNames()) {
        names.append(names.empty() ? "" : "|").append(name);
        list.append(list.empty() ? "" : ", ").append(name);
    }
    std::string help = R"(qianyan-cli: drives the calculator windows of qianyan by control and handler names.

usage: qianyan-cli [--window NAMES] [--documents DIR] [--clock "YYYY-MM-DD HH:MM:SS"]
                   [--answer yes|no] [--unsaved save|discard|cancel] [-e COMMANDS ... | SCRIPT | -]
       qianyan-cli batch --window NAME TABLE.csv [--out DIR] [options above]

options:
  --window NAME    the calculator open at start: one of LIST (default formula1)
  --documents DIR  the documents folder that saves go to (default ~/Documents; created when missing)
  --clock TIME     a fixed clock for the sheets' time lines and time-stamped file names
  --answer yes|no  the answer to every Yes/No question (default no, the default button)
  --unsaved save|discard|cancel
                   the answer when 退出 closes a window whose sheets hold unsaved designs (default
                   cancel: the window stays open; save saves both sheets as 保存 does)
  -e COMMANDS      commands separated by ";" or newlines (may be repeated)
  SCRIPT | -       a script file, or standard input (also when no script is given)
  --out DIR        where batch writes its three files (default the documents folder)

batch computes every pile of TABLE (UTF-8 or GBK, comma- or tab-separated; a header row naming the
window's inputs by control name or label; one row per pile, or where the window has a layer table one
row per layer, the consecutive rows of a pile sharing its "桩号") and writes three files: TABLE_文本.txt
(the Doc sheet), TABLE_表格.txt (the Xls sheet) and TABLE_表格.xlsx (the Xls sheet as a workbook). It
replaces only files an earlier batch of a table of that name wrote there, unchanged since; any other file
under one of those names stops it before it computes, with the path, and nothing is written. A pile that
fails prints "line N: message" and the others still run; the exit status is 1 when any failed, 2 when the
table cannot be used (no piles, a pile's rows apart, an unknown header) or nothing could be written. A
script given as well runs after the table, on the same window.

commands, one per line or separated by ";"; "#" starts a comment; a text with blanks or ";" goes in
double quotes (\" and \\ inside quotes):
  open WINDOW               open, or return to, a calculator
  set CONTROL TEXT          type TEXT into an edit or editable list (its change handler runs)
  choose CONTROL INDEX      choose item INDEX (from 0) of a list
  tick CONTROL 0|1          set a check box
  cell GRID ROW COL TEXT    select a grid cell, type TEXT, finish the edit
  click CONTROL             press a button
  dblclick GRID ROW         double-click a row of a table
  header GRID COL           click a column header
  print CONTROL             CONTROL, text, colour AARRGGBB, enabled|disabled, shown|hidden (TAB-separated)
  print GRID [header|shown] the grid's rows, its headers, or 1/0 per column for shown/hidden
  print doc | print xls     the lines of the Doc or the Xls calculation sheet
  export pdf FILE           the Doc sheet as an A4 PDF (only in a build with the desktop)
  export xlsx FILE          the Xls sheet as an Excel workbook
                            (a FILE without a leading "/" goes into the documents folder)
  save-project FILE         keep the window's inputs, panels and options in a project file
  open-project FILE         take them back from a project file (a damaged or later one is refused)

ROW and COL count from 0 over the data rows and over all columns. Message boxes print as
"dialog<TAB>TEXT", conversion failures and failed saves as "error<TAB>TEXT". A command that names no
control or is malformed prints "error<TAB>..." on standard error; it, a failed export and a project file
that cannot be saved or opened make the exit status 2. Pressing a disabled or hidden control does nothing
and prints a "note" on standard error.
)";
    help.replace(help.find("NAMES"), 5, names);
    help.replace(help.find("LIST"), 4, list);
    return help;
}

} // namespace qianyan

#pragma once
// Runs driver commands against the calculator windows: each line is what a person does at the desktop,
// by control and handler names, so that a session can be replayed as a script.
#include "documents/sheet_figures.h"
#include "framework/calculator_frame.h"
#include "platform/scripted_platform.h"

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

// Splits a script into commands (lines, and ";" outside quotes) and each command into words; a word in
// double quotes may hold blanks and ";" (\" and \\ escape inside quotes); "#" outside quotes starts a
// comment. Returns false with a reason for an unterminated quote.
bool splitScript(std::string_view script, std::vector<std::vector<std::string>>& commands,
                 std::string& error);

class ScriptDriver {
public:
    // out receives printed values and dialogs, err the errors of malformed commands.
    ScriptDriver(ScriptedPlatform& platform, std::ostream& out, std::ostream& err);

    // Opens (or returns to) a calculator window; false for an unknown name.
    bool open(std::string_view window);
    // Opens a window made elsewhere (one the program does not list) under a name.
    void open(std::string_view name, std::unique_ptr<CalculatorFrame> window);
    // Runs every command; false when any command was malformed or named nothing.
    bool run(std::string_view script);
    bool failed() const { return failed_; }
    // The window commands act on; nullptr when none is open.
    CalculatorFrame* current() const { return current_; }

    // Writes the Doc sheet's lines (with their kinds) as a PDF at a path or throws PlatformError; empty in
    // a build without the desktop, whose painting it needs.
    std::function<void(const CalculationSheet& sheet, const SheetFigures& figures, const std::string& path)>
        writePdf;

private:
    void execute(const std::vector<std::string>& words);
    void print(const std::vector<std::string>& words);
    void exportSheet(const std::vector<std::string>& words);
    void printGrid(std::string_view name, const Grid& grid, std::string_view what);
    void report(const Outcome outcome, std::string_view command, std::string_view control);
    void error(std::string_view message);

    ScriptedPlatform& platform_;
    std::ostream& out_;
    std::ostream& err_;
    std::map<std::string, std::unique_ptr<CalculatorFrame>, std::less<>> windows_;
    CalculatorFrame* current_ = nullptr;
    std::string currentName_;
    bool failed_ = false;
};

} // namespace qianyan

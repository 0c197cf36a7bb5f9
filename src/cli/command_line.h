#pragma once
// The driver's command line: options, the script source and the help text.
#include "platform/date_time.h"
#include "platform/platform.h"

#include <optional>
#include <string>
#include <vector>

namespace qianyan {

struct DriverOptions {
    std::string window = "formula1";
    std::string documents;         // empty: the user's documents folder
    std::optional<DateTime> clock; // empty: the real local time
    std::optional<bool> answer;    // the answer to every Yes/No question; empty: No (the default button)
    // The answer when a window with unsaved sheets closes; empty: cancel, the window stays.
    std::optional<SaveChoice> unsaved;
    std::string script; // the commands themselves
    bool help = false;
    std::optional<std::string> batchTable; // `batch TABLE`: the pile table to compute
    std::string out;                       // where a batch writes its sheets; empty: the documents folder
};

// Parses argv; on failure returns nullopt and sets error. Reads a script file or standard input ("-",
// or no script argument at all) into options.script; a batch reads a script only when one is given.
std::optional<DriverOptions> parseDriverOptions(const std::vector<std::string>& args, std::string& error);
bool parseClock(const std::string& text, DateTime& t);
std::string driverHelp();
DateTime localNow();
std::string defaultDocumentsFolder();

} // namespace qianyan

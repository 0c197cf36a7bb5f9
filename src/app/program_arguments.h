#pragma once
// What the desktop program was asked on its command line. Read before any window system is reached,
// so that --help and --version answer on a machine without a display too.
#include <string>
#include <vector>

namespace qianyan {

struct ProgramArguments {
    enum class Action { Run, Help, Version, Screenshots, Refused };
    Action action = Action::Run;
    std::string screenshotFolder; // Screenshots
    std::string projectFile;      // Run: a project file to open in its calculator, or empty
    std::string refusal;          // Refused: why, in one line
};

// arguments without the program's own name.
ProgramArguments readProgramArguments(const std::vector<std::string>& arguments);
// The text --help prints.
std::string programHelp();

} // namespace qianyan

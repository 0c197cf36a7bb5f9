#pragma once
// `qianyan-cli batch`: a table of piles computed through one window model, one design after another,
// the sheets of the whole table written as the piles are computed. The header names the window's inputs by
// control name or by the label the window shows; a calculator with a layer table takes one row per layer, the
// rows of one pile sharing its pile number (column "桩号").
#include "framework/calculator_frame.h"
#include "platform/scripted_platform.h"

#include <ostream>
#include <string>

namespace qianyan {

struct BatchOutcome {
    int piles = 0, failed = 0;
    bool usable = true; // false when the table could not be read or its header names nothing known
};

// Computes every pile of the table file, printing "line N: message" for each pile that fails (the others
// still run), and writes the sheets into outFolder (the documents folder when empty) under the table's
// name (see BatchOutputs). The window's sheets keep the whole table only with keepSheet (for a script
// that reads them after); otherwise they forget each pile once it is written, and the run's memory stays
// the same at any length of table.
BatchOutcome runBatch(CalculatorFrame& window, ScriptedPlatform& platform, const std::string& tablePath,
                      const std::string& outFolder, std::ostream& out, bool keepSheet = false);

} // namespace qianyan

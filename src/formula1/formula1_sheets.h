#pragma once
// Formula 1's contributions to the calculation sheets: the Xls row and the Doc block of one design.
#include "formula1/formula1_evaluation.h"
#include "formula1/socket_depth.h"
#include "framework/calculation_sheet.h"
#include "framework/calculator_frame.h"

#include <string>

namespace qianyan {

// The design as the sheets print it: control texts as typed, numbers from the evaluation.
struct Formula1SheetValues {
    std::string pileLabel;
    std::string diameterText, depthText, gradeText, processText;
    DepthNotation notation;
    double frk;
    int processIndex;
    PrecisionMode mode;
    Formula1Result result;
};

SheetDesign formula1SheetDesign(const Formula1SheetValues& v);

} // namespace qianyan

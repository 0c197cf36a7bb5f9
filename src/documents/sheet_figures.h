#pragma once
// The figures printed after the Doc sheet's pages: the last design of the sheet, named by its label, as its
// pile stood in its ground when it was computed, and the workbench's chart when it holds results. An
// empty sheet has none.
#include "framework/pile_drawing.h"
#include "framework/workbench_chart.h"

#include <optional>
#include <string>

namespace qianyan {

class CalculatorFrame;

struct SheetFigures {
    std::string pileLabel; // of the design drawn
    PileDrawing drawing;
    std::optional<ChartFigure> chart;

    // A drawing of nothing that says why is a figure: the page says it.
    bool empty() const { return drawing.empty() && drawing.reason.empty() && !chart; }
};

// The plot of a printed chart in points; the painter scales it to the room the page has.
inline constexpr int printedChartWidth = 480, printedChartHeight = 300;

SheetFigures sheetFigures(const CalculatorFrame& window);

inline constexpr const char* figuresHeading = "附图";
// The line under the heading that names the design drawn, as its block on the Doc sheet does.
std::string figuresPileLine(const SheetFigures& figures);

} // namespace qianyan

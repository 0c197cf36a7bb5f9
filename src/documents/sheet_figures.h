#pragma once
// The figures printed after the Doc sheet's pages: the pile in its ground from the window's inputs as they
// stand, and the workbench's chart when it holds results.
#include "framework/pile_drawing.h"
#include "framework/workbench_chart.h"

#include <optional>

namespace qianyan {

class CalculatorFrame;

struct SheetFigures {
    PileDrawing drawing;
    std::optional<ChartFigure> chart;

    bool empty() const { return drawing.empty() && !chart; }
};

// The plot of a printed chart in points; the painter scales it to the room the page has.
inline constexpr int printedChartWidth = 480, printedChartHeight = 300;

SheetFigures sheetFigures(const CalculatorFrame& window);

inline constexpr const char* figuresHeading = "附图";

} // namespace qianyan

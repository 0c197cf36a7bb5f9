#include "documents/sheet_figures.h"

#include "framework/calculator_frame.h"

namespace qianyan {

SheetFigures sheetFigures(const CalculatorFrame& window) {
    const DesignPile* pile = window.sheet().lastPile();
    if (!pile) return {};
    return {pile->label, *pile->drawing,
            declaredChart(window.workbench, printedChartWidth, printedChartHeight)};
}

std::string figuresPileLine(const SheetFigures& figures) {
    return figures.pileLabel.empty() ? std::string() : "基桩编号: " + figures.pileLabel;
}

} // namespace qianyan

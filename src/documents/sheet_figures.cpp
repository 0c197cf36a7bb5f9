#include "documents/sheet_figures.h"

#include "framework/calculator_frame.h"

namespace qianyan {

SheetFigures sheetFigures(const CalculatorFrame& window) {
    return {drawableOrEmpty(window.pileDrawing()),
            declaredChart(window.workbench, printedChartWidth, printedChartHeight)};
}

} // namespace qianyan

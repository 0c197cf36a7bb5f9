#pragma once
// The pile drawing on a calculator's main page, checked the same way for every window: shown, drawing the
// model's inputs, painting without fault, and drawing nothing once an input reads a text that would not
// compute. Empty when all holds, else what failed.
#include "framework/qt/calculator_window.h"
#include "framework/qt/control_binding.h"
#include "framework/qt/pile_drawing_view.h"

#include <string>

namespace qianyan::testing {

inline std::string pileDrawingFollows(CalculatorWindow& window, const char* input, const char* invalid) {
    auto* view = window.findChild<PileDrawingView*>(QStringLiteral("pileDrawing"));
    if (!view) return "no drawing";
    if (!view->isVisible()) return "the drawing is not shown";
    if (view->drawing().empty() || view->drawing() != window.model().pileDrawing())
        return "the drawing is not the model's";
    if (view->grab().isNull()) return "the drawing does not paint";
    window.binding().act([&](CalculatorFrame& m) { m.typeText(input, invalid); });
    if (!view->drawing().empty()) return std::string("a drawing for ") + input + " " + invalid;
    if (view->grab().isNull()) return "the empty drawing does not paint";
    return {};
}

} // namespace qianyan::testing

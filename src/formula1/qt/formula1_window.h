#pragma once
// The desktop face of the Formula 1 window TVOR_FRM_KELD1: its five inputs and three outputs on the
// shared calculator frame.
#include "framework/qt/calculator_window.h"

namespace qianyan {

class Platform;

class Formula1Window : public CalculatorWindow {
public:
    explicit Formula1Window(Platform& platform, QWidget* parent = nullptr);
};

} // namespace qianyan

#pragma once
// The desktop face of the Formula 3 window TVOR_FRM_KELD3: the section and pile inputs under labels the
// model rewrites with the section type, the rock-layer group with its table and options, and the outputs.
#include "framework/qt/calculator_window.h"

namespace qianyan {

class Platform;

class Formula3Window : public CalculatorWindow {
public:
    explicit Formula3Window(Platform& platform, QWidget* parent = nullptr);
};

} // namespace qianyan

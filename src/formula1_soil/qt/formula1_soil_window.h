#pragma once
// The desktop face of the Formula 1 with soil layers window TVOR_FRM_KELD1_1: Formula 1's inputs with
// the two soil check boxes beside their panel buttons, six outputs, and the two soil panels as pages.
#include "framework/qt/calculator_window.h"

namespace qianyan {

class Platform;

class Formula1SoilWindow : public CalculatorWindow {
public:
    explicit Formula1SoilWindow(Platform& platform, QWidget* parent = nullptr);
};

} // namespace qianyan

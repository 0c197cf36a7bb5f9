#pragma once
// The desktop face of the Formula 2 window TVOR_FRM_KELD2: its six inputs and eight outputs, two of them
// under the share labels and one under the check value's label, on the shared calculator frame.
#include "framework/qt/calculator_window.h"

namespace qianyan {

class Platform;

class Formula2Window : public CalculatorWindow {
public:
    explicit Formula2Window(Platform& platform, QWidget* parent = nullptr);
};

} // namespace qianyan

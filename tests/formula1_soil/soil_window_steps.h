#pragma once
// Steps a person takes in the Formula 1 with soil layers window, shared by its checks.
#include "formula1_soil/formula1_soil_window.h"

namespace qianyan {

// A panel's controls are used with the panel shown, as a person uses them; the page shown before comes
// back afterwards.
template <class Action> void onPanel(TVOR_FRM_KELD1_1& w, Control& panel, Action action) {
    const bool mainShown = w.MainFormLayer.visible;
    w.MainFormLayer.visible = false;
    panel.visible = true;
    action();
    panel.visible = false;
    w.MainFormLayer.visible = mainShown;
}

// Both soil terms into the evaluation.
inline void tickBoth(TVOR_FRM_KELD1_1& w) {
    w.setChecked("ckb_zhengmozhuli", true);
    w.setChecked("ckb_fumozhuli", true);
}

} // namespace qianyan

#include "formula1/qt/formula1_window.h"

#include "formula1/formula1_window.h"
#include "framework/qt/workbench_page.h"

namespace qianyan {

Formula1Window::Formula1Window(Platform& platform, QWidget* parent)
    : CalculatorWindow(std::make_unique<TVOR_FRM_KELD1>(platform),
                       QStringLiteral("嵌岩桩承载力计算 (JGJ94-2008)"), {331, 621}, parent) {
    addInputRow("cbe_dd");
    addInputRow("cbe_hr");
    addInputRow("edt_frk");
    addInputRow("cbe_hnt");
    addInputRow("cbb_czgy");
    addOutputRow("侧阻和端阻综合系数 ζr", "edt_kesair");
    addOutputRow("单桩竖向承载力 Ra(kN)", "edt_ra");
    addOutputRow("桩  身  承  载  力 Rc(kN)", "edt_rc");
    addPileDrawing();
    setWorkbenchPage(new WorkbenchPage(binding()));
}

} // namespace qianyan

#include "formula1/qt/formula1_window.h"

#include "formula1/formula1_window.h"
#include "framework/qt/workbench_page.h"

namespace qianyan {

Formula1Window::Formula1Window(Platform& platform, QWidget* parent)
    : CalculatorWindow(std::make_unique<TVOR_FRM_KELD1>(platform),
                       QStringLiteral("嵌岩桩承载力计算 (JGJ94-2008)"), {331, 621}, parent) {
    addInputRow("桩  身   直   径    d (mm)", "cbe_dd");
    addInputRow("桩身嵌岩深度   hr (mm)", "cbe_hr");
    addInputRow("岩石抗压强度 frk (MPa)", "edt_frk");
    addInputRow("桩身混凝土强度等级", "cbe_hnt");
    addInputRow("成桩工艺", "cbb_czgy");
    addOutputRow("侧阻和端阻综合系数 ζr", "edt_kesair");
    addOutputRow("单桩竖向承载力 Ra(kN)", "edt_ra");
    addOutputRow("桩  身  承  载  力 Rc(kN)", "edt_rc");
    addPileDrawing();
    setWorkbenchPage(new WorkbenchPage(binding()));
}

} // namespace qianyan

#include "formula2/qt/formula2_window.h"

#include "formula2/formula2_window.h"
#include "framework/qt/workbench_page.h"

namespace qianyan {

Formula2Window::Formula2Window(Platform& platform, QWidget* parent)
    : CalculatorWindow(std::make_unique<TVOR_FRM_KELD2>(platform),
                       QStringLiteral("嵌岩桩承载力计算 (JGJ94-2008)"), {331, 761}, parent) {
    addInputRow("cbe_dd");
    addInputRow("cbe_hr");
    addInputRow("edt_frk");
    addInputRow("cbe_hnt");
    addInputRow("cbb_czgy");
    addInputRow("cbb_chezhuxishu");
    addOutputRow("基桩嵌岩段侧阻系数 ζs", "edt_kesais");
    addOutputRow("基桩嵌岩段端阻系数 ζp", "edt_kesaip");
    addOutputRow("侧阻力Qrs(kN)", "edt_Qrs", "lb_Qrs");
    addOutputRow("端阻力Qrp(kN)", "edt_Qrp", "lb_Qrp");
    addOutputRow("单桩总极限阻力Qrk(kN)", "edt_Qrk");
    addOutputRow("单桩竖向承载力 Ra(kN)", "edt_ra");
    addOutputRow("规范综合系数法承载力(kN)", "edt_raZW", "lb_raZW");
    addOutputRow("桩  身  承  载  力 Rc(kN)", "edt_rc");
    addPileDrawing();
    setWorkbenchPage(new WorkbenchPage(binding()));
}

} // namespace qianyan

#include "formula1_soil/qt/formula1_soil_window.h"

#include "formula1_soil/formula1_soil_window.h"
#include "framework/qt/form_page.h"
#include "framework/qt/workbench_page.h"

namespace qianyan {

Formula1SoilWindow::Formula1SoilWindow(Platform& platform, QWidget* parent)
    : CalculatorWindow(std::make_unique<TVOR_FRM_KELD1_1>(platform),
                       QStringLiteral("嵌岩桩承载力计算 (JGJ94-2008)"), {331, 793}, parent) {
    addInputRow("cbe_dd");
    addInputRow("cbe_hr");
    addInputRow("edt_frk");
    addInputRow("cbe_hnt");
    addInputRow("cbb_czgy");
    addInputRow("", {"ckb_fumozhuli", "cbt_fumozhuli"});
    addInputRow("", {"ckb_zhengmozhuli", "cbt_zhengmozhuli"});
    addOutputRow("侧阻和端阻综合系数 ζr", "edt_kesair");
    addOutputRow("单桩竖向承载力 Ra(kN)", "edt_ra");
    addOutputRow("单桩下拉荷载 Qgn(kN)", "edt_Qgn");
    addOutputRow("桩竖向净承载力Ra'(kN)", "edt_Rajin");
    addOutputRow("桩净承载力比率 Ra'/Ra", "edt_RajinPercent");
    addOutputRow("桩  身  承  载  力 Rc(kN)", "edt_rc");
    addPileDrawing();
    setWorkbenchPage(new WorkbenchPage(binding()));

    FormPage* side = addPage("Zhengmozhuli_FormLayer");
    side->addWide("lb_ZMZLbiaoti");
    side->addRow("", {"cbb_ZhengTuchengshu"}, "lb_ZhengTuchengshu");
    side->addWide("Grid1_Zhengmozhulijisuan", 3);
    side->addWide("lb_Qsk");
    side->addWide("lb_ZMZxinxi");
    side->addButtons({"cbt_ZmzlComputer", "cbt_ZhengZhankai", "cbt_Zmzlfanhui"});
    FormPage* sideReference = side->addGroup("gpb_Zcksj", 2);
    sideReference->addWide("lb_Zmzlzbiao");
    sideReference->addWide("Grid2_Zhengmozhulizhibiao", 1);
    sideReference->addWide("lb_Zmzlzsm");

    FormPage* down = addPage("Fumozhuli_FormLayer");
    down->addWide("lb_FMZLbiaoti");
    FormPage* downInputs = down->addGroup("gpb_tccs");
    downInputs->addRow(inputLabel("cbb_Tuchengshu"), {"cbb_Tuchengshu"});
    downInputs->addRow(inputLabel("cbe_Junbuhezai"), {"cbe_Junbuhezai"});
    downInputs->addRow(inputLabel("edt_Dimianbiaogao"), {"edt_Dimianbiaogao"});
    downInputs->addRow(inputLabel("edt_Zhuangdingbiaogao"), {"edt_Zhuangdingbiaogao"});
    down->addWide("Grid1_Fumozhulijisuan", 3);
    down->addWide("lb_FQgn");
    down->addWide("lb_FMZxinxi");
    down->addButtons({"cbt_FmzlComputer", "cbt_fmzlzhankai", "cbt_Fmzlfanhui"});
    FormPage* downReference = down->addGroup("gpb_cksj", 2);
    downReference->addWide("lb_fmzlxsbiao");
    downReference->addWide("Grid2_Fumozhulixishubiao", 1);
    downReference->addWide("lb_fmzlxssm");
}

} // namespace qianyan

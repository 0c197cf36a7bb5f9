#include "formula3/qt/formula3_window.h"

#include "formula3/formula3_window.h"
#include "framework/qt/form_page.h"
#include "framework/qt/window_look.h"
#include "framework/qt/workbench_page.h"

namespace qianyan {

Formula3Window::Formula3Window(Platform& platform, QWidget* parent)
    : CalculatorWindow(std::make_unique<TVOR_FRM_KELD3>(platform),
                       QStringLiteral("嵌岩桩承载力计算 (JGJ94-2008)"), {370, 920}, parent) {
    // The tallest window of the program: its rows in a smaller type, so the layer table keeps room.
    setFontPixels(this, 12);
    addInputRow("", {"cbb_jmlx"}, "lb_jmlx");
    addInputRow("", {"cbe_dd"}, "lb_dd");
    addInputRow("", {"cbe_tyzd"}, "lb_tyzd");
    addInputRow("", {"cbb_deqcheck"}, "lb_deqcheck");
    addInputRow("", {"cbb_JmApU"}, "lb_jmApU");
    addInputRow("", {"cbb_hnt"}, "lb_hnt");
    addInputRow("", {"cbb_czgy"}, "lb_czgy");

    FormPage* rock = addInputGroup("gpb_yscs");
    // Room for the header and four layers; more scroll.
    rock->addWide("StringGrid_KELD3")->setFixedHeight(5 * 22 + 6);
    rock->addRow("", {"cbb_yanchengshu"}, "lb_yanchengshu");
    rock->addRow("", {"cbb_chezhuxishu"}, "lb_chezhuxishu");
    rock->addWide("lb_yanshiqiangdu");
    rock->addRow("", {"cbb_qiangduzhi"}, "lb_qiangduquzhi");
    rock->addRow("", {"cbb_qiangduquzhi_daxjs"}, "lb_qiangduquzhi_daxjs");
    rock->addWide("lb_qianyanchangdu");
    rock->addRow("", {"cbb_qianyanshengdu"}, "lb_qianyanshengdu");
    rock->addRow("", {"cbb_qianyanshengdu_daxjs"}, "lb_qianyanshengdu_daxjs");
    rock->addButtons({"ckb_chaoguifan", "cbt_kuozhanbiaoge"});
    rock->addButtons({"ckb_duanzhuzhejian", "cbe_duanzhuzhejian"});

    addOutputRow("", "edt_ddeq", "lb_ddeq");
    addOutputRow("", "edt_Quk", "lb_Quk");
    addOutputRow("", "edt_ra", "lb_ra");
    addOutputRow("", "edt_percent", "lb_percent");
    addOutputRow("", "edt_RaZW", "lb_RaZW1");
    addOutputRow("", "edt_Rc", "lb_Rc");
    addPileDrawing();
    setWorkbenchPage(new WorkbenchPage(binding()));
}

} // namespace qianyan

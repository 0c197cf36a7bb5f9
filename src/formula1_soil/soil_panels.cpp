// The two soil panels of the window: opening and leaving them, their layer counts and grids, their own
// 计算 and 展开/折叠, and the runs of their computations that the main evaluation asks for.
#include "formula1_soil/formula1_soil_window.h"
#include "formula1_soil/side_resistance.h"
#include "framework/layer_grid.h"
#include "framework/number_text.h"
#include "framework/text_layout.h"

#include <cmath>

namespace qianyan {

namespace {

void showMessage(Control& label, const std::string& message) {
    label.text = message;
    label.color = message.empty() ? argb::black : argb::red;
}

} // namespace

void TVOR_FRM_KELD1_1::showPanel(Control& panel) {
    MainFormLayer.visible = false;
    panel.visible = true;
}

void TVOR_FRM_KELD1_1::showMainLayer(const Outputs& fed) {
    MainFormLayer.visible = true;
    Zhengmozhuli_FormLayer.visible = Fumozhuli_FormLayer.visible = false;
    clearOutputs(fed);
}

void TVOR_FRM_KELD1_1::cbt_zhengmozhuliClick() {
    showPanel(Zhengmozhuli_FormLayer);
}
void TVOR_FRM_KELD1_1::cbt_fumozhuliClick() {
    showPanel(Fumozhuli_FormLayer);
}
void TVOR_FRM_KELD1_1::cbt_ZmzlfanhuiClick() {
    showMainLayer({&edt_ra, &edt_Rajin, &edt_RajinPercent});
}
void TVOR_FRM_KELD1_1::cbt_FmzlfanhuiClick() {
    showMainLayer({&edt_Qgn, &edt_Rajin, &edt_RajinPercent});
}

void TVOR_FRM_KELD1_1::sideResistanceStale() {
    lb_Qsk.text.clear();
    cbt_ZmzlComputer.enabled = true;
}

void TVOR_FRM_KELD1_1::downDragStale() {
    lb_FQgn.text.clear();
    cbt_FmzlComputer.enabled = true;
}

void TVOR_FRM_KELD1_1::sideLayerCountChanged() {
    setLayerCount(Grid1_Zhengmozhulijisuan, static_cast<std::size_t>(cbb_ZhengTuchengshu.itemIndex + 1));
    sideResistanceStale();
}

void TVOR_FRM_KELD1_1::downDragLayerCountChanged() {
    setLayerCount(Grid1_Fumozhulijisuan, static_cast<std::size_t>(cbb_Tuchengshu.itemIndex + 1));
    downDragStale();
}

void TVOR_FRM_KELD1_1::Grid1_ZhengmozhulijisuanSelectCell(int row, int column) {
    selectLayerCell(Grid1_Zhengmozhulijisuan, row, column, sideResistanceCellEditable(column));
}

void TVOR_FRM_KELD1_1::Grid1_ZhengmozhulijisuanEditingDone(int row, int column) {
    if (!sideResistanceCellEditable(column)) return;
    dropNonFiniteCell(Grid1_Zhengmozhulijisuan.rows, row, column);
    sideResistanceStale();
}

void TVOR_FRM_KELD1_1::Grid1_FumozhulijisuanSelectCell(int row, int column) {
    selectLayerCell(Grid1_Fumozhulijisuan, row, column, downDragCellEditable(column));
}

void TVOR_FRM_KELD1_1::Grid1_FumozhulijisuanEditingDone(int row, int column) {
    if (!downDragCellEditable(column)) return;
    dropNonFiniteCell(Grid1_Fumozhulijisuan.rows, row, column);
    downDragStale();
}

void TVOR_FRM_KELD1_1::declarePanelGrids(WindowDeclaration& d) {
    d.onGrid(Grid1_Zhengmozhulijisuan,
             {[this](int row, int column) { Grid1_ZhengmozhulijisuanSelectCell(row, column); },
              [this](int row, int column) { Grid1_ZhengmozhulijisuanEditingDone(row, column); },
              {},
              {},
              [](int, int column) { return sideResistanceCellEditable(column); },
              {}});
    d.onGrid(Grid1_Fumozhulijisuan,
             {[this](int row, int column) { Grid1_FumozhulijisuanSelectCell(row, column); },
              [this](int row, int column) { Grid1_FumozhulijisuanEditingDone(row, column); },
              {},
              {},
              [](int, int column) { return downDragCellEditable(column); },
              {}});
}

void TVOR_FRM_KELD1_1::cbt_ZhengZhankaiClick() {
    foldSideResistanceColumns(Grid1_Zhengmozhulijisuan, toggleLayerGridExpansion(cbt_ZhengZhankai));
}

void TVOR_FRM_KELD1_1::cbt_fmzlzhankaiClick() {
    foldDownDragColumns(Grid1_Fumozhulijisuan, toggleLayerGridExpansion(cbt_fmzlzhankai));
}

std::optional<double> TVOR_FRM_KELD1_1::panelDiameter() const {
    double d = 0;
    if (tryReadStrict(cbe_dd.text, d) && d > 0 && std::isfinite(d)) return d;
    return std::nullopt;
}

void TVOR_FRM_KELD1_1::cbt_ZmzlComputerClick() {
    // A diameter that is not a number as a whole gives the panel no perimeter, rather than a prefix's.
    const std::optional<double> d = panelDiameter();
    computeSideResistancePanel(d.value_or(0));
    if (!d && lb_ZMZxinxi.text.empty()) showMessage(lb_ZMZxinxi, std::string(diameterError));
}

void TVOR_FRM_KELD1_1::cbt_FmzlComputerClick() {
    const std::optional<double> d = panelDiameter();
    computeDownDragPanel(d.value_or(0));
    if (!d && lb_FMZxinxi.text.empty()) showMessage(lb_FMZxinxi, std::string(diameterError));
}

std::optional<double> TVOR_FRM_KELD1_1::computeSideResistancePanel(double d) {
    SideResistanceResult result = computeSideResistance(Grid1_Zhengmozhulijisuan.rows, d);
    Grid1_Zhengmozhulijisuan.rows = std::move(result.layers);
    showMessage(lb_ZMZxinxi, result.message);
    if (result.negativeQsik) {
        // The main layer's status line comes into view, with whatever text it holds.
        img_Logo.visible = false;
        lb_shuoming.visible = true;
    }
    lb_Qsk.text = result.total ? "Qsk=" + panelAmount(*result.total) + "kN" : "";
    cbt_ZmzlComputer.enabled = false;
    if (!result.total) return std::nullopt;
    return writtenTotal(*result.total);
}

std::optional<double> TVOR_FRM_KELD1_1::computeDownDragPanel(double d) {
    DownDragResult result = computeDownDrag(
        Grid1_Fumozhulijisuan.rows, {d, readLenient(cbe_Junbuhezai.text), readLenient(edt_Dimianbiaogao.text),
                                     readLenient(edt_Zhuangdingbiaogao.text)});
    Grid1_Fumozhulijisuan.rows = std::move(result.layers);
    showMessage(lb_FMZxinxi, result.message);
    cbe_Junbuhezai.color = result.negativeLoad ? argb::red : argb::black;
    downDragOverlapWarning_ = std::move(result.overlapWarning);
    lb_FQgn.text = result.total ? "Qgn=" + panelAmount(*result.total) + "kN" : "";
    cbt_FmzlComputer.enabled = false;
    if (!result.total) return std::nullopt;
    return writtenTotal(*result.total);
}

} // namespace qianyan

#include "formula1_soil/down_drag.h"

#include "circular_pile/circular_pile_window.h"
#include "framework/layer_grid.h"
#include "framework/number_text.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qianyan {

const std::array<LayerColumn, dragColumnCount> downDragColumns{{
    {"Grid1_01_Str_Xuhao", "土层"},
    {"Grid1_02_Str_Tucheng", "土层名称"},
    {"Grid1_03_Flo_Chengdibiaogao", "底标高Ei(m)"},
    {"Grid1_04_Flo_Turongzhong", "γi(kN/m3)"},
    {"Grid1_05_Flo_Kesaini", "  ξni"},
    {"Grid1_06_Flo_Tuchengqsik", "qsik(kPa)"},
    {"Grid1_07_Flo_Zhuangzhouchang", "周长μ(m)"},
    {"Grid1_08_Flo_Tuchenghoudu", "土层Δzi(m)"},
    {"Grid1_09_Flo_TuSegmaiup", "顶σisu'(kPa)"},
    {"Grid1_10_Flo_TuSegmari", "自重σris'(kPa)"},
    {"Grid1_11_Flo_TuSegmaidown", "底σisd'(kPa)"},
    {"Grid1_12_Flo_TuSegmaipingjun", "层平均σisv'"},
    {"Grid1_13_Flo_Zhuangcetuhou", "桩侧土厚li(m)"},
    {"Grid1_14_Flo_ZhuangSegmaiup", "顶σipu'(kPa)"},
    {"Grid1_15_Flo_TuSegmari", "自重σrip'(kPa)"},
    {"Grid1_16_Flo_ZhuangSegmaidown", "底σipd'(kPa)"},
    {"Grid1_17_Flo_TuSegmaipingjun", "层平均σipv'"},
    {"Grid1_18_Flo_Zhuangceqsinup", "顶qsinpu(kPa)"},
    {"Grid1_19_Flo_Zhuangceqsindown", "底qsinpd(kPa)"},
    {"Grid1_20_Flo_Zhuangceqsinupjs", "计算用qsinpu(kPa)"},
    {"Grid1_21_Flo_Zhuangceqsindownjs", "计算用qsinpd(kPa)"},
    {"Grid1_22_Flo_Zhuangqsinmax", "层qsinpmax"},
    {"Grid1_23_Flo_Zhuangqsinmaxweizhi", "qsinpmax位置(m)"},
    {"Grid1_24_Flo_Zhuangqsinpingjun", "层平均qsinpv"},
    {"Grid1_25_Flo_ZhuangFengchengQgin", "Qgin(kN)"},
    {"Grid1_26_Flo_ZhuangHejiQgin", "∑Qgin(kN)"},
    {"Grid1_27_Str_FengchengQginbilishu", "Qgin/Qgn"},
    {"Grid1_28_Pic_FengchengQginbilitu", "占比图例"},
    {"Grid1_29_Str_Yinglituxing", "负摩阻力分布图形"},
    {"Grid1_30_Str_Beizhu", "备注"},
}};

bool downDragCellEditable(int column) {
    return column >= static_cast<int>(dragBottomElevation) && column <= static_cast<int>(dragQsik);
}

void foldDownDragColumns(Grid& grid, bool expanded) {
    foldLayerColumns(grid, expanded, dragPerimeter);
    grid.columns[dragSoilName].visible = false;
}

namespace {

// Where the pile stands relative to the layer being walked.
enum class PileState { AbovePile, PileTopInLayer, Alongside };

// Effective vertical stresses over a height: at its top, its own weight, at its bottom, and the mean.
struct Stresses {
    double top, self, bottom, mean;
};
Stresses stressesBelow(double top, double unitWeight, double height) {
    const double self = unitWeight * height;
    return {top, self, top + self, (top + top + self) / 2};
}

// The unit negative friction along the length li beside the pile: ξ·σ' growing linearly from the top to
// the bottom of that part, capped at qsik.
struct Friction {
    double top, bottom;         // before the cap
    double usedTop, usedBottom; // after the cap
    double max, maxPosition, mean;
    std::string_view shape;
};
Friction frictionAlong(const Stresses& part, double length, double layerThickness, double xi,
                       double unitWeight, double qsik) {
    Friction f{};
    f.top = xi * part.top;
    f.bottom = xi * part.bottom;
    if (qsik <= f.top) {
        f.usedTop = f.usedBottom = f.max = f.mean = qsik;
        f.maxPosition = 0;
        f.shape = "矩形";
    } else if (qsik > f.bottom) {
        f.usedTop = f.top;
        f.usedBottom = f.max = f.bottom;
        f.maxPosition = length;
        f.mean = (f.top + f.bottom) / 2;
        f.shape = f.top > 0 ? "梯形" : "三角形";
    } else {
        // The cap is reached at the depth capDepth below the top of the part; below it qsin stays qsik.
        const double capDepth = (qsik - f.top) / (xi * unitWeight);
        const double capped = std::max(length - capDepth, 0.0);
        f.usedTop = f.top;
        f.usedBottom = f.max = qsik;
        f.maxPosition = layerThickness - capped;
        f.mean = (capDepth * (f.top + qsik) / 2 + qsik * capped) / length;
        if (f.top > 0)
            f.shape = capped > 0 ? "梯形+矩形" : "梯形";
        else
            f.shape = capped > 0 ? "三角形+矩形" : "三角形";
    }
    return f;
}

} // namespace

DownDragResult computeDownDrag(const TextTable& layers, const DownDragInputs& in) {
    DownDragResult result;
    LayerRows rows = rowsOf(layers);
    clearColumnsFrom(rows, dragPerimeter);
    bool finite = true;
    const auto amount = [&finite](double v) {
        finite = finite && std::isfinite(v);
        return panelAmount(v);
    };

    PileState state = in.groundElevation < in.pileTopElevation ? PileState::Alongside : PileState::AbovePile;
    double top = in.groundElevation, deepestBottom = in.groundElevation;
    double stressTop = in.p;
    if (in.p < 0) {
        stressTop = 0;
        result.negativeLoad = true;
        result.message = "地面大面积荷载p<0,取0计算";
    }
    const double perimeter = in.d * std::numbers::pi / 1000;
    double total = 0;

    for (std::vector<std::string>& row : rows) {
        const std::string& k = row[dragLayerNumber];
        const double bottom = readLenient(row[dragBottomElevation]);
        double unitWeight = readLenient(row[dragUnitWeight]);
        double xi = readLenient(row[dragCoefficient]);
        double qsik = readLenient(row[dragQsik]);

        const double thickness = std::max(top - bottom, 0.0);
        double belowPileTop = in.pileTopElevation - bottom;
        if (thickness <= 0) {
            belowPileTop = 0;
            result.message = "第" + k + "层层底标高高于上一层底标高";
        } else if (top > deepestBottom) {
            result.overlapWarning = "第" + k + "层与上部土层重叠，重叠部分重复计算";
        }
        deepestBottom = std::min(deepestBottom, bottom);
        if (unitWeight < 0) {
            unitWeight = 0;
            result.message = "第" + k + "层土重度小于0,取0计算";
        }
        if (xi < 0) {
            xi = 0;
            result.message = "第" + k + "层土嵌岩桩系数小于0,取0计算";
        } else if (xi > 1) {
            result.message = "请注意第" + k + "层土嵌岩桩系数的合理性";
        }
        if (qsik < 0) {
            qsik = 0;
            result.message = "第" + k + "层土侧阻力值小于0,取0计算";
        }

        const Stresses layer = stressesBelow(stressTop, unitWeight, thickness);
        if (belowPileTop <= 0) {
            state = PileState::AbovePile;
            row[dragRemark] = "本层无桩";
        } else if (state == PileState::AbovePile) {
            state = PileState::PileTopInLayer;
            row[dragRemark] = "本层有桩";
        }
        row[dragPerimeter] = amount(perimeter);
        row[dragThickness] = amount(thickness);
        row[dragLayerTopStress] = amount(layer.top);
        row[dragLayerSelfStress] = amount(layer.self);
        row[dragLayerBottomStress] = amount(layer.bottom);
        row[dragLayerMeanStress] = amount(layer.mean);

        if (state == PileState::AbovePile) {
            row[dragLengthAlongPile] = row[dragLayerLoad] = row[dragRunningTotal] = panelAmount(0);
            for (std::size_t c = dragPartTopStress; c <= dragFrictionMean; ++c) row[c] = "-";
            row[dragShape] = "-";
        } else {
            double length = thickness;
            Stresses part = layer;
            if (state == PileState::PileTopInLayer) {
                // The pile top lies inside the layer, but never above the layer's own top.
                length = std::min(belowPileTop, thickness);
                part = stressesBelow(layer.top + unitWeight * (thickness - length), unitWeight, length);
                state = PileState::Alongside;
            }
            const Friction f = frictionAlong(part, length, thickness, xi, unitWeight, qsik);
            const double load = perimeter * length * f.mean;
            total += load;
            row[dragLengthAlongPile] = amount(length);
            row[dragPartTopStress] = amount(part.top);
            row[dragPartSelfStress] = amount(part.self);
            row[dragPartBottomStress] = amount(part.bottom);
            row[dragPartMeanStress] = amount(part.mean);
            row[dragFrictionTop] = amount(f.top);
            row[dragFrictionBottom] = amount(f.bottom);
            row[dragUsedFrictionTop] = amount(f.usedTop);
            row[dragUsedFrictionBottom] = amount(f.usedBottom);
            row[dragFrictionMax] = amount(f.max);
            row[dragFrictionMaxPosition] = amount(f.maxPosition);
            row[dragFrictionMean] = amount(f.mean);
            row[dragLayerLoad] = amount(load);
            row[dragRunningTotal] = amount(total);
            row[dragShape] = f.shape;
        }
        top = bottom;
        stressTop = layer.bottom;
    }

    if (finite && writeShares(rows, dragLayerLoad, dragShare, dragShareBar, total)) {
        result.total = total;
        if (!result.overlapWarning.empty()) result.message = result.overlapWarning;
    } else {
        clearColumnsFrom(rows, dragPerimeter);
        result.overlapWarning.clear();
        result.message = resultOutOfRangeError;
    }
    result.layers = tableOf(rows, dragColumnCount);
    return result;
}

} // namespace qianyan

#include "formula1_soil/soil_layer_sheets.h"

#include "formula1_soil/down_drag.h"
#include "formula1_soil/side_resistance.h"
#include "framework/number_text.h"
#include "framework/sheet_cells.h"
#include "framework/text_layout.h"

#include <initializer_list>

namespace qianyan {

namespace {

// A grid column in a layer table: right-aligned (or centred) in width, then gap blanks.
struct LayerCell {
    std::size_t column;
    int width, gap;
    bool centred = false;
};

// Two header lines, the rule, one row per layer (its number, then the cells) and the rule again.
DocLines layerTable(const TextTable& layers, std::string_view header1, std::string_view header2,
                    const std::string& rule, int numberGap, std::initializer_list<LayerCell> cells) {
    return docLayerTable(header1, header2, rule, layers, numberGap, [&](std::size_t r) {
        std::string row;
        for (const LayerCell& c : cells) {
            const std::string_view text = layers.cell(r, c.column);
            row += (c.centred ? centre(text, c.width) : padLeft(text, c.width)) + spaces(c.gap);
        }
        return row;
    });
}

// The eight down-drag tables that show three grid columns beside the layer number.
struct DownDragTable {
    std::string_view header1, header2;
    DownDragColumn a, b, c;
};
constexpr DownDragTable downDragTables[] = {
    {"      土     层底标高     土层厚度     层顶应力", "      层       Ei(m)      △zi(m)    σisu'(kPa)",
     dragBottomElevation, dragThickness, dragLayerTopStress},
    {"      土     自重应力     层底应力     平均应力", "      层    σris'(kPa) σisd'(kPa)  σisv'(kPa)",
     dragLayerSelfStress, dragLayerBottomStress, dragLayerMeanStress},
    {"      土     桩侧土厚     层顶应力     自重应力", "      层       li(m)    σipu'(kPa)  σrip'(kPa)",
     dragLengthAlongPile, dragPartTopStress, dragPartSelfStress},
    // The stresses of the part alongside the pile, under the header texts of the whole layer's.
    {"      土     层底应力     平均应力     嵌岩桩", "      层    σisd'(kPa)  σisv'(kPa)   系数ξni",
     dragPartBottomStress, dragPartMeanStress, dragCoefficient},
    {"      土     顶负摩阻     底负摩阻     土层侧阻", "      层      qsinpu       qsinpd      qsik(kPa)",
     dragFrictionTop, dragFrictionBottom, dragQsik},
    {"      土     顶计算用     底计算用     应力极值", "      层      qsinpu       qsinpd      qsinpmax",
     dragUsedFrictionTop, dragUsedFrictionBottom, dragFrictionMax},
    {"      土     极值初始     平均负摩     桩身周长", "      层     位置y(m)     阻qsinpv       μ(m) ",
     dragFrictionMaxPosition, dragFrictionMean, dragPerimeter},
    {"      土     下拉荷载     合计荷载     层荷比例", "      层     Qgin(kN)    ∑Qgin(kN)    Qgin/Qgn",
     dragLayerLoad, dragRunningTotal, dragShare},
};

} // namespace

DocLines downDragInputLines(const DownDragSheetInputs& in) {
    const std::string line = docRule(42);
    DocLines lines{
        docHeading("  2.4 桩侧土体嵌岩桩参数"),
        docValue("      地面大面积荷载p:             ", fixed(in.p, 10, 2), 10, " kN/m2"),
        docValue("      地面标高Eg:                  ", fixed(in.groundElevation, 10, 3), 10, " m"),
        docValue("      桩顶标高Ep:                  ", fixed(in.pileTopElevation, 10, 3), 10, " m"),
        docValue("      考虑嵌岩桩土层数m:         ", in.layerCount, 10),
        docTableHeader(line),
    };
    return joined({lines, layerTable(*in.layers, "      土  层底标高  土体重度  嵌岩桩  土层侧阻",
                                     "      层    Ei(m)  γi(kN/m3) 系数ξni  qsik(kPa)", line, 2,
                                     {{dragBottomElevation, 8, 2},
                                      {dragUnitWeight, 7, 3},
                                      {dragCoefficient, 6, 4},
                                      {dragQsik, 7, 1}})});
}

DocLines sideResistanceInputLines(const SideResistanceSheetInputs& in) {
    const std::string line = docRule(22);
    return joined({{docHeading("  2.5 桩侧土体侧阻力参数"),
                    docValue("      考虑侧阻力土层数n:           ", in.layerCount, 10), docTableHeader(line)},
                   layerTable(*in.layers, "      土  土层厚度  土层侧阻", "      层    li(m)  qsik(kPa)",
                              line, 2, {{sideThickness, 7, 2}, {sideQsik, 8, 1}})});
}

DocLines sideResistanceLines(const SideResistanceSheetInputs& in, double qsk) {
    const std::string line = docRule(32);
    return joined({
        {docHeading("  4.4 桩侧土侧阻力"), docTableHeader(line)},
        layerTable(*in.layers, "      土  土层厚度  土层侧阻  桩身周长",
                   "      层    li(m)   qsik(kPa)   μ(m) ", line, 2,
                   {{sideThickness, 7, 2}, {sideQsik, 8, 2}, {sidePerimeter, 8, 1}}),
        layerTable(*in.layers, "      土  分层侧阻  合计侧阻  侧阻比例",
                   "      层  Qsik(kN)   ∑Qsik   Qsik/Qsk", line, 2,
                   {{sideLayerResistance, 7, 2}, {sideRunningTotal, 8, 2}, {sideShare, 8, 1}}),
        {docValue("      土的总极限侧阻力标准值Qsk:   ", fixed(qsk, 10, 2), 10, " kN")},
    });
}

DocLines downDragLines(const DownDragSheetInputs& in, double qgn) {
    const std::string line = docRule(41);
    DocLines lines{docHeading("  4.6 桩侧土嵌岩桩"), docTableHeader(line)};
    for (const DownDragTable& t : downDragTables) {
        const DocLines table =
            layerTable(*in.layers, t.header1, t.header2, line, 5, {{t.a, 8, 5}, {t.b, 7, 6}, {t.c, 7, 1}});
        lines.insert(lines.end(), table.begin(), table.end());
    }
    const DocLines shapes =
        layerTable(*in.layers, "      土         计算下拉荷载采用的桩侧土      ",
                   "      层             负摩阻力分布图形          ", line, 9, {{dragShape, 24, 6, true}});
    lines.insert(lines.end(), shapes.begin(), shapes.end());
    // Overlapping layers count twice; the sheet says so next to the load they inflate.
    if (!in.overlapWarning.empty()) lines.push_back("      注意：" + in.overlapWarning);
    lines.push_back(docValue("      桩侧土体引起的下拉荷载Qgn:   ", fixed(qgn, 10, 2), 10, " kN"));
    return lines;
}

} // namespace qianyan

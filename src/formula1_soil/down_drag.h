#pragma once
// The down-drag panel: the negative skin friction qsin = ξni·σ' of settling soil layers, capped by their
// qsik, over the part of each layer that lies alongside the pile, and the down-drag load
// Qgn = μ·∑qsin·li. Every layer listed counts; bad values count as 0 with a message and never stop it.
#include "formula1_soil/layer_panel.h"

#include <array>

namespace qianyan {

enum DownDragColumn : std::size_t {
    dragLayerNumber,
    dragSoilName,        // never read
    dragBottomElevation, // Ei, m (input)
    dragUnitWeight,      // γi, kN/m³ (input)
    dragCoefficient,     // ξni (input)
    dragQsik,            // kPa (input): the cap of qsin
    dragPerimeter,       // μ, m
    dragThickness,       // Δzi, m
    dragLayerTopStress,
    dragLayerSelfStress,
    dragLayerBottomStress,
    dragLayerMeanStress,
    dragLengthAlongPile, // li, m
    dragPartTopStress,
    dragPartSelfStress,
    dragPartBottomStress,
    dragPartMeanStress,
    dragFrictionTop, // ξni·σ', before the cap
    dragFrictionBottom,
    dragUsedFrictionTop, // after the cap
    dragUsedFrictionBottom,
    dragFrictionMax,
    dragFrictionMaxPosition,
    dragFrictionMean,
    dragLayerLoad, // Qgin, kN
    dragRunningTotal,
    dragShare,
    dragShareBar,
    dragShape,
    dragRemark,
    dragColumnCount
};
extern const std::array<LayerColumn, dragColumnCount> downDragColumns;
// The inputs Ei, γi, ξni and qsik take edits, nothing else.
bool downDragCellEditable(int column);
// Folded, the grid shows only the layer number and the inputs; expanded, every column but the soil name.
void foldDownDragColumns(Grid& grid, bool expanded);

struct DownDragInputs {
    double d;                // pile diameter, mm
    double p;                // surface load, kN/m²
    double groundElevation;  // Eg, m
    double pileTopElevation; // Ep, m
};

struct DownDragResult : LayerPanelResult {
    bool negativeLoad = false; // p below 0 was taken as 0
    // Set when a layer starts above the bottom of a layer over it: the overlap counts twice. The panel's
    // message then keeps this warning whatever else is reported.
    std::string overlapWarning;
};

DownDragResult computeDownDrag(const TextTable& layers, const DownDragInputs& in);

} // namespace qianyan

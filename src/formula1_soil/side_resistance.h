#pragma once
// The soil side-resistance panel: Qsik = μ·qsik·li for each soil layer along the shaft and the total
// Qsk = μ·∑qsik·li. A bad layer value counts as 0 with a message; the computation never stops.
#include "formula1_soil/layer_panel.h"

#include <array>

namespace qianyan {

enum SideResistanceColumn : std::size_t {
    sideLayerNumber,
    sideThickness, // li, m (input)
    sideQsik,      // kPa (input)
    sidePerimeter, // μ, m
    sideLayerResistance,
    sideRunningTotal,
    sideShare,
    sideShareBar,
    sideRemark,
    sideColumnCount
};
extern const std::array<LayerColumn, sideColumnCount> sideResistanceColumns;
// The inputs li and qsik take edits, nothing else.
bool sideResistanceCellEditable(int column);
// Folded, the grid shows only the layer number and the inputs; expanded, every column.
void foldSideResistanceColumns(Grid& grid, bool expanded);

struct SideResistanceResult : LayerPanelResult {
    bool negativeQsik = false; // a layer's qsik below 0 was taken as 0
};

// For the pile diameter d (mm), from the thickness and qsik cells of every row of layers.
SideResistanceResult computeSideResistance(const TextTable& layers, double d);

} // namespace qianyan

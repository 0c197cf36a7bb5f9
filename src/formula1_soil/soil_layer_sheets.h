#pragma once
// The Doc block's sections about the soil panels: their input tables and their computed layer tables.
#include "formula1_soil/formula1_soil_sheets.h"

#include <string>
#include <vector>

namespace qianyan {

// "2.4": p, Eg, Ep and the layers' inputs.
DocLines downDragInputLines(const DownDragSheetInputs& in);
// "2.5": the layers' thickness and qsik.
DocLines sideResistanceInputLines(const SideResistanceSheetInputs& in);
// "4.4": the layer table of Qsik up to the total Qsk.
DocLines sideResistanceLines(const SideResistanceSheetInputs& in, double qsk);
// "4.6": the nine layer tables of the down-drag, any overlap warning and the total Qgn.
DocLines downDragLines(const DownDragSheetInputs& in, double qgn);

} // namespace qianyan

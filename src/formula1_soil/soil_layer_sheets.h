#pragma once
// The Doc block's sections about the soil panels: their input tables and their computed layer tables.
#include "formula1_soil/formula1_soil_sheets.h"

#include <string>
#include <vector>

namespace qianyan {

// "2.4": p, Eg, Ep and the layers' inputs.
std::vector<std::string> downDragInputLines(const DownDragSheetInputs& in);
// "2.5": the layers' thickness and qsik.
std::vector<std::string> sideResistanceInputLines(const SideResistanceSheetInputs& in);
// "4.4": the layer table of Qsik up to the total Qsk.
std::vector<std::string> sideResistanceLines(const SideResistanceSheetInputs& in, double qsk);
// "4.6": the nine layer tables of the down-drag, any overlap warning and the total Qgn.
std::vector<std::string> downDragLines(const DownDragSheetInputs& in, double qgn);

} // namespace qianyan

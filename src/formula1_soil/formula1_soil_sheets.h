#pragma once
// The Formula 1 with soil layers contributions to the calculation sheets: the Xls row and the Doc block
// of one design, with the soil panels' layer tables when their terms were considered.
#include "circular_pile/circular_pile_sheets.h"
#include "formula1_soil/net_capacity.h"
#include "framework/text_table.h"

#include <optional>
#include <string>

namespace qianyan {

struct SideResistanceSheetInputs {
    std::string layerCount;  // item text of the layer count
    const TextTable* layers; // the computed grid
};

struct DownDragSheetInputs {
    std::string layerCount;
    double p, groundElevation, pileTopElevation; // as entered
    const TextTable* layers;
    std::string overlapWarning; // empty when no layers overlap
};

// A term not considered has no inputs.
struct SoilSheetInputs {
    std::optional<SideResistanceSheetInputs> sideResistance;
    std::optional<DownDragSheetInputs> downDrag;
};

SheetDesign formula1SoilSheetDesign(const CircularPileSheetInputs& in, const Formula1Result& rock,
                                    const NetCapacity& net, const SoilSheetInputs& soil);

} // namespace qianyan

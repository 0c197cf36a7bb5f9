#pragma once
// The drawing of the soil window: the circular pile through the soil layers of the panels whose terms
// count, over its rock socket. The down-drag panel places the ground Eg, the pile top Ep and its settling
// layers down to the neutral plane (the deepest layer bottom, above which the soil drags the pile down);
// the side-resistance panel stacks its layer thicknesses from the pile top down to the rock.
#include "framework/pile_drawing.h"
#include "framework/text_table.h"

#include <string_view>

namespace qianyan {

struct SoilDrawingInputs {
    std::string_view d, hr, frk;
    const TextTable* sideLayers; // none when the side resistance does not count
    const TextTable* dragLayers; // none when the down-drag does not count
    std::string_view groundElevation, pileTopElevation;
};

// Nothing when the diameter or the socket depth would not pass the compute checks, or when the down-drag
// counts and Eg or Ep is not a number. Layer cells read as the panels read them.
PileDrawing soilPileDrawing(const SoilDrawingInputs& in);

} // namespace qianyan

#pragma once
// The drawing of Formula 3: the section in plan with its equivalent diameter, and the pile socketed
// through its rock layers with their strengths, the point the socket length is counted from and, where
// it falls inside the socket, the bound of the depth-ratio table counted from that point (8·deq in soft
// rock, 4·deq in harder rock, by the strength of the layer at the pile tip).
#include "formula3/rock_layers.h"
#include "formula3/section_geometry.h"
#include "framework/pile_drawing.h"

#include <string_view>

namespace qianyan {

struct Formula3DrawingInputs {
    int sectionType, algorithm;
    std::string_view first, second; // d or a, c or b, in mm
    const TextTable& layers;
    LengthStart start;
};

// Nothing when the section would not pass the compute checks, or a layer's length or strength is neither
// empty nor a number (an empty length is 0, as the compute takes it), or a length is below 0.
PileDrawing formula3Drawing(const Formula3DrawingInputs& in);

} // namespace qianyan

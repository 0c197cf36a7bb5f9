#pragma once
// The drawing of a circular pile socketed in rock, from the texts of its inputs as they stand: nothing
// when the diameter or the socket depth would not pass the compute checks.
#include "framework/pile_drawing.h"

#include <optional>
#include <string_view>

namespace qianyan {

// Diameter and socket depth in metres; the rock strength in MPa when it reads as one above 0.
struct CircularSocket {
    double d, hr;
    std::optional<double> frk;
};
std::optional<CircularSocket> readCircularSocket(std::string_view dText, std::string_view hrText,
                                                 std::string_view frkText);

// The plan of the circle with its diameter.
DrawingView circularSection(double d);
// How far the ground bands reach either side of the axis.
double groundReach(double d);
// The rock from rockTop down past the pile tip, the rock top and the socket depth.
void addRockSocket(Elevation& elevation, double rockTop, const CircularSocket& socket);

// The circular section and the pile in a short run of soil over its socket.
PileDrawing circularPileDrawing(std::string_view dText, std::string_view hrText, std::string_view frkText);

} // namespace qianyan

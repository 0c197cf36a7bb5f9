#include "circular_pile/circular_pile_drawing.h"

#include "circular_pile/socket_depth.h"
#include "framework/number_text.h"

#include <cmath>

namespace qianyan {

std::optional<CircularSocket> readCircularSocket(std::string_view dText, std::string_view hrText,
                                                 std::string_view frkText) {
    double d = 0;
    if (!tryReadWhole(dText, d) || !(d > 0) || !std::isfinite(d)) return std::nullopt;
    const SocketDepthText depth = readSocketDepth(hrText);
    if (!depth.hasNumber || depth.value < 0) return std::nullopt;
    const double hr = depth.notation == DepthNotation::Millimetres ? depth.value : depth.value * d;
    double frk = 0;
    const bool strength = tryReadWhole(frkText, frk) && frk > 0 && std::isfinite(frk);
    return CircularSocket{d / 1000, hr / 1000, strength ? std::optional(frk) : std::nullopt};
}

DrawingView circularSection(double d) {
    DrawingView view;
    addSection(view, d, d, d / 2, "d=" + drawnNumber(d * 1000) + "mm");
    return view;
}

double groundReach(double d) {
    return d;
}

void addRockSocket(Elevation& elevation, double rockTop, const CircularSocket& socket) {
    const double below = rockTop - socket.hr - socket.d / 2;
    elevation.band(rockTop, below, DrawingInk::Rock,
                   socket.frk ? "frk=" + drawnNumber(*socket.frk) + "MPa" : "");
    elevation.level(rockTop, DrawingInk::Level, "岩面");
    if (socket.hr > 0) elevation.depth(rockTop, rockTop - socket.hr, "hr=" + metres(socket.hr));
}

PileDrawing circularPileDrawing(std::string_view dText, std::string_view hrText, std::string_view frkText) {
    const std::optional<CircularSocket> socket = readCircularSocket(dText, hrText, frkText);
    if (!socket) return {};
    return drawnOrNothing([&socket = *socket] {
        // The soil above the rock is not an input: a short run of it shows where the socket starts.
        const double top = socket.d + socket.hr / 2;
        Elevation elevation(socket.d, groundReach(socket.d));
        elevation.band(top, 0, DrawingInk::Soil);
        addRockSocket(elevation, 0, socket);
        return PileDrawing{circularSection(socket.d), std::move(elevation).finish(top, -socket.hr)};
    });
}

} // namespace qianyan

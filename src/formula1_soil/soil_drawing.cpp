#include "formula1_soil/soil_drawing.h"

#include "circular_pile/circular_pile_drawing.h"
#include "formula1_soil/down_drag.h"
#include "formula1_soil/side_resistance.h"
#include "framework/number_text.h"

#include <algorithm>
#include <cmath>

namespace qianyan {

namespace {

DrawingInk alternate(std::size_t row) {
    return row % 2 == 0 ? DrawingInk::Soil : DrawingInk::SoilAlternate;
}

bool readElevation(std::string_view text, double& value) {
    return tryReadWhole(text, value) && std::isfinite(value);
}

// The side-resistance layers from top down, across the bands or on the right of the pile; the depth they
// reach.
double addSideLayers(Elevation& elevation, const TextTable& layers, double top, bool besideDownDrag) {
    double y = top;
    for (std::size_t row = 0; row < layers.rowCount(); ++row) {
        // A thickness below 0 counts as 0, as in the panel.
        const double li = std::max(readLenient(layers.cell(row, sideThickness)), 0.0);
        if (!(li > 0)) continue;
        std::string text = "土层" + std::to_string(row + 1) + " " + metres(li);
        if (besideDownDrag)
            elevation.sideBand(y, y - li, false, alternate(row), std::move(text));
        else
            elevation.band(y, y - li, alternate(row), std::move(text));
        y -= li;
    }
    return y;
}

// The settling layers from the ground down, across the bands or on the left of the pile; the neutral
// plane, their deepest bottom.
double addDragLayers(Elevation& elevation, const TextTable& layers, double ground, bool besideSide) {
    double top = ground, deepest = ground;
    for (std::size_t row = 0; row < layers.rowCount(); ++row) {
        const double bottom = readLenient(layers.cell(row, dragBottomElevation));
        if (bottom < top) {
            const std::string_view name = layers.cell(row, dragSoilName);
            std::string text = (name.empty() ? "土层" + std::to_string(row + 1) : std::string(name)) + " " +
                               metres(top - bottom);
            if (besideSide)
                elevation.sideBand(top, bottom, true, alternate(row), std::move(text));
            else
                elevation.band(top, bottom, alternate(row), std::move(text));
        }
        top = bottom;
        deepest = std::min(deepest, bottom);
    }
    return deepest;
}

} // namespace

PileDrawing soilPileDrawing(const SoilDrawingInputs& in) {
    const std::optional<CircularSocket> socket = readCircularSocket(in.d, in.hr, in.frk);
    if (!socket) return {};
    double ground = 0, pileTop = 0;
    if (in.dragLayers &&
        (!readElevation(in.groundElevation, ground) || !readElevation(in.pileTopElevation, pileTop)))
        return {};

    return drawnOrNothing([&] {
        Elevation elevation(socket->d, groundReach(socket->d));
        double rockTop = pileTop - socket->d - socket->hr / 2;
        std::optional<double> neutralPlane;
        if (in.dragLayers)
            neutralPlane = addDragLayers(elevation, *in.dragLayers, ground, in.sideLayers != nullptr);
        if (in.sideLayers)
            rockTop = addSideLayers(elevation, *in.sideLayers, pileTop, in.dragLayers != nullptr);
        else if (neutralPlane)
            rockTop = std::min(*neutralPlane, pileTop);
        else
            elevation.band(pileTop, rockTop, DrawingInk::Soil);

        addRockSocket(elevation, rockTop, *socket);
        if (in.dragLayers) {
            elevation.level(ground, DrawingInk::Ground, "地面");
            elevation.level(*neutralPlane, DrawingInk::Marker, "中性点");
            elevation.mark(pileTop, DrawingInk::Pile, "桩顶");
        }
        return PileDrawing{circularSection(socket->d),
                           std::move(elevation).finish(pileTop, rockTop - socket->hr)};
    });
}

} // namespace qianyan

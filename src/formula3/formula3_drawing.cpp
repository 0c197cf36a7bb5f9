#include "formula3/formula3_drawing.h"

#include "design_data/design_data.h"
#include "framework/number_text.h"

#include <cmath>
#include <optional>
#include <vector>

namespace qianyan {

namespace {

struct DrawnLayer {
    double length;             // m
    std::optional<double> frk; // MPa, when typed
};

// A cell as the drawing takes it: an empty one is none, a number is itself, anything else fails.
bool readCell(std::string_view text, std::optional<double>& value) {
    value.reset();
    if (text.find_first_not_of(' ') == std::string_view::npos) return true;
    double v = 0;
    if (!tryReadTrimmed(text, v) || !std::isfinite(v)) return false;
    value = v;
    return true;
}

std::optional<std::vector<DrawnLayer>> readLayers(const TextTable& layers) {
    std::vector<DrawnLayer> drawn;
    for (std::size_t row = 0; row < layers.rowCount(); ++row) {
        std::optional<double> length, frk;
        if (!readCell(layers.cell(row, layer_column::socketLength), length) || length.value_or(0) < 0 ||
            !readCell(layers.cell(row, layer_column::rockStrength), frk))
            return std::nullopt;
        drawn.push_back({length.value_or(0), frk && *frk > 0 ? frk : std::nullopt});
    }
    return drawn;
}

std::string sectionLabel(const SectionGeometry& g) {
    const auto mm = [](double v) { return drawnNumber(v, 0); };
    switch (g.type) {
    case SectionType::Circle:
        return "d=" + mm(g.first) + "mm";
    case SectionType::Obround:
        return "d=" + mm(g.first) + " c=" + mm(g.second) + " deq=" + mm(g.deq);
    case SectionType::Rectangle:
        break;
    }
    return mm(g.first) + "×" + mm(g.second) + " deq=" + mm(g.deq);
}

DrawingView section(const SectionGeometry& g) {
    const double first = g.first / 1000, second = g.second / 1000;
    DrawingView view;
    switch (g.type) {
    case SectionType::Circle:
        addSection(view, first, first, first / 2, sectionLabel(g));
        break;
    case SectionType::Obround:
        addSection(view, first + second, first, first / 2, sectionLabel(g));
        break;
    case SectionType::Rectangle:
        addSection(view, first, second, 0, sectionLabel(g));
        break;
    }
    return view;
}

// The pile as seen across its long side, through its rock layers.
DrawingView pileInRock(const SectionGeometry& g, const std::vector<DrawnLayer>& layers, LengthStart start) {
    const double width = (g.type == SectionType::Obround ? g.first + g.second : g.first) / 1000;
    const double deq = g.deq / 1000;
    double total = 0;
    for (const DrawnLayer& layer : layers) total += layer.length;
    const double soilTop = width + total / 2, tip = -total;

    Elevation elevation(width, width);
    elevation.band(soilTop, 0, DrawingInk::Soil);
    double y = 0;
    for (std::size_t row = 0; row < layers.size(); ++row) {
        const DrawnLayer& layer = layers[row];
        if (!(layer.length > 0)) continue;
        const std::string strength = layer.frk ? drawnNumber(*layer.frk) + "MPa " : "";
        elevation.band(y, y - layer.length, row % 2 == 0 ? DrawingInk::Rock : DrawingInk::RockAlternate,
                       strength + metres(layer.length));
        y -= layer.length;
    }
    elevation.band(tip, tip - width / 2,
                   layers.size() % 2 == 1 ? DrawingInk::Rock : DrawingInk::RockAlternate);
    elevation.level(0, DrawingInk::Level, "岩面");

    elevation.mark(start == LengthStart::Bottom ? tip : 0, DrawingInk::Marker, "起算点");
    if (const std::optional<double> tipStrength = layers.back().frk) {
        const double ratio =
            rockColumnOf(*tipStrength) == RockColumn::Soft ? softDepthRatioLimit : hardDepthRatioLimit;
        const double bound = ratio * deq;
        if (bound < total)
            elevation.level(start == LengthStart::Bottom ? tip + bound : -bound, DrawingInk::Bound,
                            "限值" + drawnNumber(ratio) + "deq");
    }
    if (total > 0) elevation.depth(0, tip, "Σlr=" + metres(total));
    return std::move(elevation).finish(soilTop, tip);
}

} // namespace

PileDrawing formula3Drawing(const Formula3DrawingInputs& in) {
    if (in.sectionType < 0 || in.sectionType > 2 || in.algorithm < 0 || in.algorithm > 7) return {};
    const auto type = static_cast<SectionType>(in.sectionType);
    const auto dimensions = readSectionDimensions(type, in.first, in.second);
    const auto* size = std::get_if<SectionDimensions>(&dimensions);
    const std::optional<std::vector<DrawnLayer>> layers = readLayers(in.layers);
    if (!size || !layers || layers->empty()) return {};
    const SectionGeometry g = sectionGeometry(type, size->first, size->second,
                                              static_cast<DeqAlgorithm>(in.algorithm), AreaMode::RealSection);
    return drawnOrNothing([&] { return PileDrawing{section(g), pileInRock(g, *layers, in.start)}; });
}

} // namespace qianyan

#pragma once
// Reading a pile drawing back in tests: the pile, the level or text of a name, every text.
#include "framework/pile_drawing.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan::testing {

// The pile is the last rectangle of the elevation.
inline const DrawingRect& pileOf(const PileDrawing& drawing) {
    return drawing.elevation.rects.back();
}

// The height of the first text that reads exactly `text`.
inline std::optional<double> heightOf(const DrawingView& view, std::string_view text) {
    for (const DrawingText& t : view.texts)
        if (t.text == text) return t.y;
    return std::nullopt;
}

inline std::vector<std::string> textsOf(const DrawingView& view) {
    std::vector<std::string> texts;
    for (const DrawingText& t : view.texts) texts.push_back(t.text);
    return texts;
}

} // namespace qianyan::testing

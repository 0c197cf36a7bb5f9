#pragma once
// The Formula 3 workbench's sweep: the parameters of option rows 1-11, the section kinds of row 0 with
// the nesting of loops each kind walks, and where a sweep stands.
#include "framework/workbench.h"

#include <array>
#include <span>
#include <string>
#include <vector>

namespace qianyan {

// The swept parameters; each is read from option row (parameter + 1).
enum class SweptParameter : std::size_t {
    Diameter,       // d of the circle and the obround
    StraightLength, // c of the obround
    LongSide,       // a of the rectangle
    ShortSide,      // b of the rectangle
    SquareSide,     // s of the square
    SocketDepth,    // multiple of the section's diameter or shorter side, or millimetres
    RockStrength,
    Grade,
    Process,
    Algorithm,
    AreaMode,
    Count
};
inline constexpr std::size_t sweptParameterCount = static_cast<std::size_t>(SweptParameter::Count);

// The section kinds of option row 0, by code 1-4.
enum class SweptSection { Circle = 1, Obround = 2, Rectangle = 3, Square = 4 };

// The loops of a section kind, outermost first.
std::span<const SweptParameter> sweptLoops(SweptSection section);

struct Formula3Sweep {
    std::array<SweepRange, sweptParameterCount> ranges;
    bool depthInMultiples = true;
    std::vector<SweptSection> sections; // one candidate kind each, in sweep order
    int circleAreaMode = 0;             // the item of the area list for circles: row 11's minimum less 1

    // The current candidate: its section, the value of each parameter and the depth label ("2.0d",
    // "2.0b" or "2000").
    SweptSection section = SweptSection::Circle;
    std::array<double, sweptParameterCount> values{};
    std::string depthLabel;

    SweepRange& range(SweptParameter p) { return ranges[static_cast<std::size_t>(p)]; }
    double& value(SweptParameter p) { return values[static_cast<std::size_t>(p)]; }
};

} // namespace qianyan

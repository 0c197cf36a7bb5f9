#pragma once
// The socket-depth text of the calculators: millimetres ("1500") or a multiple of the diameter
// ("1.5d"; anything after the first "d" is ignored).
#include <string_view>

namespace qianyan {

enum class DepthNotation { Millimetres, MultipleOfD };

struct SocketDepthText {
    DepthNotation notation;
    bool hasNumber; // false: no readable number where one must stand
    double value;   // millimetres, or the factor before "d"
};
SocketDepthText readSocketDepth(std::string_view text);

} // namespace qianyan

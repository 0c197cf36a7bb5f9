#include "circular_pile/socket_depth.h"

#include "framework/number_text.h"

#include <cmath>

namespace qianyan {

SocketDepthText readSocketDepth(std::string_view text) {
    const auto d = text.find('d');
    SocketDepthText depth{
        d == std::string_view::npos ? DepthNotation::Millimetres : DepthNotation::MultipleOfD, false, 0};
    depth.hasNumber = tryReadStrict(text.substr(0, d), depth.value) && std::isfinite(depth.value);
    return depth;
}

} // namespace qianyan

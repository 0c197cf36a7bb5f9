#pragma once
#include <cstdint>

namespace qianyan::argb {

// Text colours of the windows, as ARGB.
inline constexpr std::uint32_t red = 0xFFFF0000;     // errors and the offending input
inline constexpr std::uint32_t black = 0xFF000000;   // information and accepted input
inline constexpr std::uint32_t green = 0xFF008000;   // results
inline constexpr std::uint32_t magenta = 0xFFFF00FF; // results at a table bound, and the bound warning
inline constexpr std::uint32_t blue = 0xFF0000FF;    // check values
inline constexpr std::uint32_t white = 0xFFFFFFFF;

} // namespace qianyan::argb

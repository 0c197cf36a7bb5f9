#pragma once
// The launcher's texts A to F, kept in scrambled form with the launcher's own key table.
#include "framework/scrambled_text.h"

#include <string_view>

namespace qianyan::launcher_texts {

inline constexpr ScrambleKey key{0x5B3E, 0x19C4, 0x7A08, 0x2E6F, 0x4D91, 0x0B57, 0x63E2, 0x3F1A, 0x16CD};

inline constexpr std::string_view heading = "0672456D12614C10C2EC59CC";                     // A, 6 characters
inline constexpr std::string_view combinedCoefficient = "0A5246CB34082ED8336D5F5F1F195A6A"; // B, 8
inline constexpr std::string_view withoutSoil = "153392652D17722D02369D6C";                 // C, 6
inline constexpr std::string_view withSoil = "D09F4EDB264A7DA5C08E6F3EF5D9";                // D, 7
inline constexpr std::string_view separateCoefficients = "14998FFF00E7B8541F97932E1F195A6A"; // E, 8
inline constexpr std::string_view rockLayers = "0224456D264A716D12F3633E";                   // F, 6

} // namespace qianyan::launcher_texts

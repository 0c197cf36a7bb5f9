#pragma once
// Some interface texts are kept in scrambled form: four hexadecimal digits per UTF-16 unit, each
// exclusive-ored with one of nine key words in turn. Every window has its own key table.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qianyan {

using ScrambleKey = std::array<std::uint16_t, 9>;

// Digits beyond a multiple of four are ignored; a group that is not hexadecimal throws ConversionError.
std::string unscramble(std::string_view hexDigits, const ScrambleKey& key);
// The stored form of a text (upper-case digits); unscramble(scramble(t, k), k) == t.
std::string scramble(std::string_view text, const ScrambleKey& key);

} // namespace qianyan

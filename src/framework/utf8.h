#pragma once
// UTF-8 walking and the UTF-16 round trip shared by the layout and the scrambled texts. A byte that
// starts no valid sequence is taken on its own, so any text can be walked and counted.
#include <cstddef>
#include <string>
#include <string_view>

namespace qianyan {

struct Utf8Char {
    char32_t codePoint; // U+FFFD for a byte that starts no valid sequence
    std::size_t length; // bytes taken, at least 1
};

// The character starting at byte `pos` (< text.size()).
Utf8Char decodeUtf8(std::string_view text, std::size_t pos);

std::u16string utf8ToUtf16(std::string_view text);
// A lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view units);

// text without control characters and line breaks (C0, DEL, C1, U+2028, U+2029): what a one-line field
// may hold. Other bytes are kept as they are.
std::string withoutControlCharacters(std::string_view text);

} // namespace qianyan

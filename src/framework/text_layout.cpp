#include "framework/text_layout.h"

#include "framework/utf8.h"

namespace qianyan {
namespace {

// Columns of one character: each of its UTF-16 units takes one, a unit in U+1000..U+9FA5 two.
int columns(char32_t codePoint) {
    if (codePoint > 0xFFFF) return 2;
    return codePoint >= 0x1000 && codePoint <= 0x9FA5 ? 2 : 1;
}

} // namespace

int displayWidth(std::string_view text) {
    int width = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Char c = decodeUtf8(text, pos);
        width += columns(c.codePoint);
        pos += c.length;
    }
    return width;
}

std::string padLeft(std::string_view text, int width, char fill) {
    return repeated(fill, width - displayWidth(text)).append(text);
}

std::string padRight(std::string_view text, int width, char fill) {
    return std::string(text).append(repeated(fill, width - displayWidth(text)));
}

std::string centre(std::string_view text, int width) {
    const int surplus = width - displayWidth(text);
    if (surplus <= 0) return std::string(text);
    const int right = surplus / 2;
    return spaces(surplus - right).append(text).append(spaces(right));
}

std::string withoutControlCharacters(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Char c = decodeUtf8(text, pos);
        const char32_t u = c.codePoint;
        const bool control = u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
        if (!control) kept.append(text.substr(pos, c.length));
        pos += c.length;
    }
    return kept;
}

std::string spaces(int count) {
    return repeated(' ', count);
}

std::string repeated(char c, int count) {
    return count > 0 ? std::string(count, c) : std::string();
}

} // namespace qianyan

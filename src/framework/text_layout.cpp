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

std::string spaces(int count) {
    return repeated(' ', count);
}

std::string repeated(char c, int count) {
    return count > 0 ? std::string(count, c) : std::string();
}

std::string oneLine(std::string_view text) {
    const auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; };
    while (!text.empty() && control(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && control(text.back()))
        text.remove_suffix(1);
    std::string line(text);
    for (char& c : line)
        if (control(c)) c = ' ';
    return line;
}

} // namespace qianyan

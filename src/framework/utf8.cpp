#include "framework/utf8.h"

namespace qianyan {
namespace {

constexpr char32_t replacement = 0xFFFD;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

Utf8Char decodeUtf8(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) return {lead, 1};

    std::size_t length = 0;
    char32_t cp = 0;
    // The allowed range of the second byte excludes overlong forms, surrogates and values above U+10FFFF.
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return {replacement, 1};
    }
    if (pos + length > text.size() || byte(pos + 1) < low || byte(pos + 1) > high) return {replacement, 1};
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(byte(pos + i))) return {replacement, 1};
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    return {cp, length};
}

std::u16string utf8ToUtf16(std::string_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Char c = decodeUtf8(text, pos);
        if (c.codePoint < 0x10000) {
            units += static_cast<char16_t>(c.codePoint);
        } else {
            const char32_t v = c.codePoint - 0x10000;
            units += static_cast<char16_t>(0xD800 | (v >> 10));
            units += static_cast<char16_t>(0xDC00 | (v & 0x3FF));
        }
        pos += c.length;
    }
    return units;
}

std::string utf16ToUtf8(std::u16string_view units) {
    const auto isHigh = [](char16_t u) { return u >= 0xD800 && u <= 0xDBFF; };
    const auto isLow = [](char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; };
    std::string out;
    out.reserve(units.size() * 3);
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (isHigh(u) && i + 1 < units.size() && isLow(units[i + 1])) {
            appendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(units[i + 1]) - 0xDC00));
            ++i;
        } else {
            appendUtf8(out, isHigh(u) || isLow(u) ? replacement : char32_t(u));
        }
    }
    return out;
}

} // namespace qianyan

#include "framework/text_layout.h"

#include "framework/utf8.h"
#include "platform/legacy_text_file.h"

namespace qianyan {

int characterColumns(char32_t codePoint) {
    if (const int bytes = gbkLength(codePoint)) return bytes;
    if (codePoint > 0xFFFF) return 2;
    return codePoint >= 0x1000 && codePoint <= 0x9FA5 ? 2 : 1;
}

namespace {

// Whether a character is written wide in a label (CJK and beyond the basic plane), so that the blanks
// spreading two of them are layout, not a word break.
bool wideInLabel(char32_t codePoint) {
    return codePoint > 0xFFFF || (codePoint >= 0x1000 && codePoint <= 0x9FA5);
}

// The length in bytes of the run of blanks (ASCII and ideographic) at text[at].
std::size_t blanksAt(std::string_view text, std::size_t at) {
    std::size_t end = at;
    for (;;) {
        if (end < text.size() && (text[end] == ' ' || text[end] == '\t'))
            ++end;
        else if (text.substr(end).starts_with("\u3000"))
            end += 3;
        else
            return end - at;
    }
}

} // namespace

int displayWidth(std::string_view text) {
    int width = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) { // most cells are digits: one column a byte
            ++width;
            ++pos;
            continue;
        }
        const Utf8Char c = decodeUtf8(text, pos);
        width += characterColumns(c.codePoint);
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

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string spaces(int count) {
    return repeated(' ', count);
}

std::string repeated(char c, int count) {
    return count > 0 ? std::string(count, c) : std::string();
}

std::string oneLine(std::string_view text) {
    // C0, DEL, C1 and the Unicode line and paragraph separators.
    const auto control = [](char32_t u) {
        return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
    };
    std::string line;
    line.reserve(text.size());
    // Kept characters are copied a run at a time: a pasted text of megabytes costs one pass.
    std::size_t runStart = 0;
    std::size_t blanks = 0; // control characters since the last kept one: blanks unless at the end
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Char c = decodeUtf8(text, pos);
        if (control(c.codePoint)) {
            if (pos > runStart) {
                line.append(blanks, ' ').append(text.substr(runStart, pos - runStart));
                blanks = 0;
            }
            if (!line.empty()) ++blanks;
            runStart = pos + c.length;
        }
        pos += c.length;
    }
    if (text.size() > runStart) line.append(blanks, ' ').append(text.substr(runStart));
    return line;
}

std::string shortened(std::string_view text, int columns) {
    if (displayWidth(text) <= columns) return std::string(text);
    std::size_t end = 0;
    for (int width = 0; end < text.size();) {
        const std::size_t length = decodeUtf8(text, end).length;
        width += displayWidth(text.substr(end, length));
        if (width > columns) break;
        end += length;
    }
    return std::string(text.substr(0, end)) + "…";
}

std::string shownLabel(std::string_view label) {
    std::string shown;
    char32_t last = 0; // the last character shown
    for (std::size_t i = 0; i < label.size();) {
        if (const std::size_t blanks = blanksAt(label, i); blanks > 0) {
            i += blanks;
            if (last != 0 && i < label.size() &&
                !(wideInLabel(last) && wideInLabel(decodeUtf8(label, i).codePoint)))
                shown += ' ';
        } else {
            const Utf8Char c = decodeUtf8(label, i);
            shown.append(label.substr(i, c.length));
            last = c.codePoint;
            i += c.length;
        }
    }
    return shown;
}

} // namespace qianyan

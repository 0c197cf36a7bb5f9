#include "framework/scrambled_text.h"

#include "framework/number_text.h"
#include "framework/utf8.h"

namespace qianyan {

std::string unscramble(std::string_view hexDigits, const ScrambleKey& key) {
    const std::size_t count = hexDigits.size() / 4;
    std::u16string units;
    units.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        std::string group(1, '$');
        group.append(hexDigits.substr(4 * k, 4));
        const auto word = readInteger(group);
        units += static_cast<char16_t>(word ^ key[k % key.size()]);
    }
    return utf16ToUtf8(units);
}

std::string scramble(std::string_view text, const ScrambleKey& key) {
    static constexpr char hex[] = "0123456789ABCDEF";
    const std::u16string units = utf8ToUtf16(text);
    std::string digits;
    digits.reserve(units.size() * 4);
    for (std::size_t k = 0; k < units.size(); ++k) {
        const unsigned word = units[k] ^ key[k % key.size()];
        for (int shift = 12; shift >= 0; shift -= 4) digits += hex[(word >> shift) & 0xF];
    }
    return digits;
}

} // namespace qianyan

#include "framework/scrambled_text.h"

#include "framework/number_text.h"

#include <gtest/gtest.h>

namespace qianyan {
namespace {

constexpr ScrambleKey noKey{};
constexpr ScrambleKey key{0x1234, 0x0001, 0xABCD, 0x7F00, 0x00FF, 0xFFFF, 0x8000, 0x0F0F, 0x5A5A};

TEST(ScrambledText, UnscramblesGroupsOfFourDigits) {
    const struct {
        std::string digits;
        ScrambleKey key;
        std::string text;
    } cases[] = {
        {"", noKey, ""},
        {"004", noKey, ""},
        {"00410042", noKey, "AB"},
        {"12750043", key, "AB"}, // 0x41 ^ 0x1234, 0x42 ^ 0x0001
        {"006a", noKey, "j"},    // lower-case digits are hexadecimal too
        {"6869", noKey, "桩"},
        {"0041004100410041004100410041004100", noKey, "AAAAAAAA"}, // 34 digits: the last two ignored
        {"0041zz", noKey, "A"},
        {"D83DDE00", noKey, "😀"},
        {"D800", noKey, "\uFFFD"}, // a lone surrogate
        {"DC000041", noKey, "\uFFFDA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.digits);
        EXPECT_EQ(unscramble(c.digits, c.key), c.text);
    }
}

TEST(ScrambledText, GroupThatIsNotHexadecimalFails) {
    for (const std::string digits : {"00G1", "-001", "$001", " 041", "0041+041"}) {
        SCOPED_TRACE(digits);
        EXPECT_THROW(unscramble(digits, key), ConversionError);
    }
}

TEST(ScrambledText, ScrambleIsTheInverse) {
    for (const std::string text : {"", "计算", "嵌岩桩承载力计算 (JGJ94-2008)", "ζr≤▲ab😀c", "0123456789"}) {
        SCOPED_TRACE(text);
        const std::string digits = scramble(text, key);
        EXPECT_EQ(digits.find_first_not_of("0123456789ABCDEF"), std::string::npos);
        EXPECT_EQ(unscramble(digits, key), text);
    }
}

TEST(ScrambledText, KeyWordsRepeatEveryNineCharacters) {
    const std::string digits = scramble("aaaaaaaaaa", key);
    ASSERT_EQ(digits.size(), 40u);
    EXPECT_EQ(digits.substr(0, 8), "12550060");
    EXPECT_EQ(digits.substr(36, 4), digits.substr(0, 4));
}

TEST(ScrambledText, ScrambleReplacesBadUtf8) {
    EXPECT_EQ(scramble("\xFF", noKey), "FFFD");
}

} // namespace
} // namespace qianyan

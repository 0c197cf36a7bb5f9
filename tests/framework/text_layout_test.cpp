#include "framework/text_layout.h"
#include "platform/legacy_text_file.h"

#include <gtest/gtest.h>

namespace qianyan {
namespace {

// Columns are the bytes the saved GBK file holds, so that fixed-width columns line up in the file; what
// GBK cannot hold (it is never saved) takes a column per UTF-16 unit, two in U+1000..U+9FA5.
TEST(DisplayWidth, CountsColumnsAsTheGbkFileHoldsThem) {
    const struct {
        std::string text;
        int width;
    } cases[] = {
        {"", 0},
        {"桩编号", 6},
        {"d(mm)", 5},
        {"d(mm)▲", 7},
        {"计算时间：", 10}, // the full-width colon takes two bytes
        {"ζr", 3},
        {"圆  桩", 6},
        {"∑≤▼", 6},
        {"（μψ）", 8},
        {"€1", 2},           // GBK keeps the euro sign in one byte
        {"１２", 4},         // full-width digits in two each
        {"\u0FFF\u1000", 3}, // neither in GBK: both ends of the double-width range
        {"\u9FA5\u9FA6", 3},
        {"한국", 2},
        {"😀", 2}, // a surrogate pair: two units, one column each
        {"\xFF", 1},
        {"a\xE4\xB8", 3},        // truncated sequence: each byte on its own
        {"\xC0\xAF", 2},         // overlong form
        {"\xED\xA0\x80", 3},     // encoded surrogate
        {"\xF4\x90\x80\x80", 4}, // beyond U+10FFFF
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(displayWidth(c.text), c.width);
    }
    for (const std::string text : {"ZH-€１", "ζr ψc μ∑ ≤ ▲▼", "计算时间：2024/5/6", "Ω°±×÷"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(displayWidth(text), static_cast<int>(toGbk(text).size()));
        EXPECT_EQ(toGbk(padLeft(text, 30)).size(), 30u) << "a padded cell fills its columns in the file";
    }
}

TEST(Layout, AlignsInColumnsAndNeverCuts) {
    using Align = std::string (*)(std::string_view, int);
    const Align left = [](std::string_view s, int w) { return padLeft(s, w); };
    const Align right = [](std::string_view s, int w) { return padRight(s, w); };
    const Align middle = [](std::string_view s, int w) { return centre(s, w); };
    const struct {
        const char* name;
        Align align;
        std::string text;
        int width;
        std::string expected;
    } cases[] = {
        {"padLeft", left, "1000", 6, "  1000"},
        {"padLeft", left, "桩", 4, "  桩"},
        {"padLeft", left, "123456789", 6, "123456789"},
        {"padLeft", left, "", 0, ""},
        {"padLeft", left, "ab", -3, "ab"},
        {"padRight", right, "ZH1", 6, "ZH1   "},
        {"padRight", right, "计算", 5, "计算 "},
        {"padRight", right, "123456789", 6, "123456789"},
        {"centre", middle, "圆  桩", 8, " 圆  桩 "},
        {"centre", middle, "1000", 7, "  1000 "},
        {"centre", middle, "1000", 4, "1000"},
        {"centre", middle, "", 3, "   "},
        {"centre", middle, "123456789", 6, "123456789"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "(" + c.text + ", " + std::to_string(c.width) + ")");
        EXPECT_EQ(c.align(c.text, c.width), c.expected);
    }
}

TEST(Layout, FillCharacterIsRepeatedPerColumn) {
    EXPECT_EQ(padLeft("7", 4, '0'), "0007");
    EXPECT_EQ(padRight("桩", 5, '-'), "桩---");
}

TEST(Layout, SpacesAndRepeatedAreEmptyForNoCount) {
    EXPECT_EQ(spaces(0), "");
    EXPECT_EQ(spaces(-2), "");
    EXPECT_EQ(spaces(3), "   ");
    EXPECT_EQ(repeated('=', 4), "====");
    EXPECT_EQ(repeated('=', -1), "");
}

TEST(Layout, OneLineKeepsNoControlCharacter) {
    EXPECT_EQ(oneLine("1500\r\n"), "1500");
    EXPECT_EQ(oneLine("\t2.0d\n"), "2.0d");
    EXPECT_EQ(oneLine("15\n00"), "15 00");
    EXPECT_EQ(oneLine("C30\x7f"), "C30");
    EXPECT_EQ(oneLine("\r\n"), "");
    EXPECT_EQ(oneLine("桩 身"), "桩 身");
    EXPECT_EQ(oneLine("1\u2028\u00852"), "1  2");
}

// Messages name inputs by their labels without the blanks that only spread Chinese characters over a row;
// a blank beside a symbol or a Latin letter stays, as one.
TEST(Layout, ShownLabelKeepsOnlyTheBlanksThatSeparateWords) {
    EXPECT_EQ(shownLabel("桩  身   直   径    d (mm)"), "桩身直径 d (mm)");
    EXPECT_EQ(shownLabel("人工指定 ζs"), "人工指定 ζs");
    EXPECT_EQ(shownLabel("\u3000地\u3000面\u3000标\u3000高  Eg(m) "), "地面标高 Eg(m)");
    EXPECT_EQ(shownLabel("  "), "");
}

} // namespace
} // namespace qianyan

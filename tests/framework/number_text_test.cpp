#include "framework/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace qianyan {
namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

TEST(NumberText, FixedRoundsTheShortestDecimalHalfAwayFromZero) {
    const struct {
        double value;
        int precision, decimals;
        std::string expected;
    } cases[] = {
        {8410.3053, 7, 0, "8410"},
        {0.8566667, 7, 4, "0.8567"},
        {0.785398, 6, 2, "0.79"},
        {0.7, 3, 2, "0.70"},
        {123456.789, 7, 2, "123456.80"}, // seven significant digits, then two decimals
        {2.5, 7, 0, "3"},
        {-2.5, 7, 0, "-3"},
        {8419.9, 7, 0, "8420"},
        {0.285, 7, 2, "0.29"}, // binary value lies just below the tie
        {1.005, 7, 2, "1.01"},
        {0, 7, 2, "0.00"},
        {-0.0, 7, 2, "0.00"},
        {-0.001, 7, 2, "0.00"}, // rounds to zero: no sign
        {-0.005, 7, 2, "-0.01"},
        {0.004999, 7, 2, "0.00"},
        {0.995, 7, 2, "1.00"},
        {99.95, 7, 1, "100.0"},
        {0.125, 2, 3, "0.130"},
        {5e-324, 7, 2, "0.00"},
        {1234567, 7, 2, "1234567.00"},
        {9999999.7, 7, 0, "1E+7"}, // the carry makes eight integer digits
        {12345678.9, 7, 2, "1.234568E+7"},
        {-1.2345678e19, 7, 2, "-1.234568E+19"},
        {1234.5, 3, 2, "1.23E+3"},
        {1e300, 7, 2, "1E+300"},
        {infinity, 7, 2, "INF"},
        {-infinity, 7, 2, "-INF"},
        {std::nan(""), 7, 2, "NAN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(fixed(c.value, c.precision, c.decimals), c.expected);
    }
}

TEST(NumberText, GeneralShowsFifteenDigitsShortest) {
    const struct {
        double value;
        std::string expected;
    } cases[] = {
        {1000, "1000"},
        {1.5, "1.5"},
        {100.0 / 3, "33.3333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {0.1 + 0.2, "0.3"},
        {-1234.5, "-1234.5"},
        {0, "0"},
        {-0.0, "0"},
        {0.00001, "0.00001"},
        {0.0000099, "9.9E-6"},
        {1e-6, "1E-6"},
        {-2.5e-7, "-2.5E-7"},
        {123456789012345, "123456789012345"},
        {1e15, "1E15"},
        {999999999999999.9, "1E15"}, // rounding to fifteen digits carries into a sixteenth
        {1.5e20, "1.5E20"},
        {1.7976931348623157e308, "1.79769313486232E308"},
        {5e-324, "5E-324"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(general(c.value), c.expected);
    }
}

TEST(NumberText, StrictReadingAcceptsDecimalNumbers) {
    const struct {
        std::string text;
        double value;
    } cases[] = {
        {"1.5", 1.5},
        {"-2", -2},
        {"+3", 3},
        {"1.", 1},
        {".5", 0.5},
        {"-.5", -0.5},
        {"007", 7},
        {"1e3", 1000},
        {"1E+3", 1000},
        {"2.5e-3", 0.0025},
        {"1.e2", 100},
        {"1e-400", 0}, // too small for a double: zero
        {"1" + std::string(300, '0'), 1e300},
        {"0." + std::string(1000, '3'), 1.0 / 3},
        {"0e999999999999999999999", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        EXPECT_DOUBLE_EQ(readStrict(c.text), c.value);
        double value = -1;
        EXPECT_TRUE(tryReadStrict(c.text, value));
        EXPECT_DOUBLE_EQ(value, c.value);
    }
}

TEST(NumberText, StrictReadingRejectsEverythingElse) {
    const std::string cases[] = {
        "",
        "abc",
        "-",
        "+",
        ".",
        "-.",
        "1e",
        "1e+",
        "e5",
        " 1",
        "1 ",
        "1,5",
        "1.5.2",
        "--1",
        "+-1",
        "1e1.5",
        "nan",
        "inf",
        "-inf",
        "0x10",
        "１",
        "1e400",
        "-1e400",
        std::string(400, '9'),
        std::string(1000, '7'),
        std::string(10000, 'x'),
        "1" + std::string(9999, ' '),
    };
    for (const auto& text : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        try {
            readStrict(text);
            ADD_FAILURE() << "no ConversionError";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.what(), conversionMessage(text));
        }
        double value = 42;
        EXPECT_FALSE(tryReadStrict(text, value));
        EXPECT_EQ(value, 42);
    }
}

TEST(NumberText, LenientReadingTakesTheLongestNumericPrefix) {
    const struct {
        std::string text;
        double value;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {" \t ", 0},
        {"-", 0},
        {".", 0},
        {"x12", 0},
        {"  12.5kg", 12.5},
        {"\t-3", -3},
        {"+7", 7},
        {"-.5", -0.5},
        {"12e", 12}, // an incomplete exponent is not taken
        {"12e+", 12},
        {"1.5e2x", 150},
        {"1,5", 1},
        {"1.2.3", 1.2},
        {"1e-400", 0},
        {"1e400", infinity},
        {"-1e400", -infinity},
        {std::string(10000, '7'), infinity},
        {std::string(10000, ' '), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        EXPECT_DOUBLE_EQ(readLenient(c.text), c.value);
    }
}

TEST(NumberText, WholeReadingTakesOnlyATextThatIsOneNumber) {
    const struct {
        std::string text;
        bool reads;
        double value;
    } cases[] = {
        {"1500", true, 1500}, {" 1500 \t", true, 1500}, {"-.5", true, -0.5},  {"1e400", true, infinity},
        {"1,500", false, 0},  {"25,5", false, 0},       {"1500mm", false, 0}, {"", false, 0},
        {"   ", false, 0},    {"abc", false, 0},        {"1 500", false, 0},  {"12e", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        double value = 0;
        EXPECT_EQ(tryReadWhole(c.text, value), c.reads);
        if (c.reads) {
            EXPECT_DOUBLE_EQ(value, c.value);
        }
    }
}

TEST(NumberText, NonFiniteWordsAreRecognisedInAnyCaseWithBlanksAndASign) {
    for (const char* text : {"nan", "NaN", " -inf ", "+INF", "\tInfinity"}) {
        EXPECT_TRUE(namesNonFinite(text)) << text;
    }
    for (const char* text : {"", "  ", "-", "0", "1e400", "na", "info", "nan1", "abc"}) {
        EXPECT_FALSE(namesNonFinite(text)) << text;
    }
}

TEST(NumberText, IntegerReadingTakesDecimalOrDollarHex) {
    const struct {
        std::string text;
        long long value;
    } cases[] = {
        {"0", 0},
        {"42", 42},
        {"-42", -42},
        {"+42", 42},
        {"007", 7},
        {"$FF", 255},
        {"$ff", 255},
        {"$0041", 0x41},
        {"9223372036854775807", std::numeric_limits<long long>::max()},
        {"-9223372036854775808", std::numeric_limits<long long>::min()},
        {"$7FFFFFFFFFFFFFFF", std::numeric_limits<long long>::max()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readInteger(c.text), c.value);
    }
}

TEST(NumberText, IntegerReadingRejectsEverythingElse) {
    const std::string cases[] = {
        "",
        "$",
        "-",
        "+",
        "$-1",
        "$+1",
        "-$1",
        "$G1",
        " 1",
        "1 ",
        "1.0",
        "1e3",
        "0x10",
        "+-1",
        "--1",
        "abc",
        "9223372036854775808",
        "-9223372036854775809",
        "$8000000000000000",
        std::string(10000, '9'),
    };
    for (const auto& text : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        try {
            readInteger(text);
            ADD_FAILURE() << "no ConversionError";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.what(), conversionMessage(text));
        }
    }
}

TEST(NumberText, ConversionMessageShortensLongTextsAtACharacter) {
    const auto message = [](const std::string& shown) { return "“" + shown + "”不是有效的数值"; };
    std::string twentyPiles;
    for (int i = 0; i < 20; ++i) twentyPiles += "桩";
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"abc", "abc"},
        {"", ""},
        {std::string(40, 'a'), std::string(40, 'a')},
        {std::string(41, 'a'), std::string(40, 'a') + "…"},
        {std::string(10000, 'x'), std::string(40, 'x') + "…"},
        {twentyPiles, twentyPiles},
        {twentyPiles + "桩", twentyPiles + "…"},
        {"a" + twentyPiles,
         std::string("a").append(twentyPiles, 0, 19 * 3) + "…"}, // the twentieth would reach column 41
        {std::string(50, '\xFF'), std::string(40, '\xFF') + "…"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_EQ(conversionMessage(c.text), message(c.shown));
    }
}

TEST(NumberText, DateTimeTexts) {
    const DateTime may{2024, 5, 6, 14, 3, 27};
    const DateTime morning{2024, 12, 31, 9, 5, 7};
    EXPECT_EQ(dateTimeText(may), "2024/5/6 14:03:27");
    EXPECT_EQ(dateTimeText(morning), "2024/12/31 9:05:07");
    EXPECT_EQ(timeStamp14(may), "20240506140327");
    EXPECT_EQ(timeStamp14(morning), "20241231090507");
}

} // namespace
} // namespace qianyan

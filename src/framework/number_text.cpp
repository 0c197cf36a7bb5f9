#include "framework/number_text.h"

#include "framework/text_layout.h"
#include "framework/utf8.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace qianyan {
namespace {

constexpr int generalDigits = 15;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isHexDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool isSign(char c) {
    return c == '+' || c == '-';
}

// A decimal number as 0.DIGITS × 10^point. DIGITS has no leading or trailing zeros; it is empty for zero.
// The digits live in the object itself: formatting a number allocates nothing until its text is written.
struct Decimal {
    bool negative = false;
    char digits[24] = {};
    int size = 0;
    int point = 0;

    char digit(long long i) const { return i >= 0 && i < size ? digits[i] : '0'; }
    void dropTrailingZeros() {
        while (size > 0 && digits[size - 1] == '0') --size;
        if (size == 0) *this = Decimal{}; // a value rounded to zero loses its sign
    }
};

// The shortest decimal text that reads back as value, split into its parts.
Decimal shortestDecimal(double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
    std::string_view text(buffer, static_cast<std::size_t>(end - buffer)); // like "-8.4103053e+03"
    Decimal d;
    d.negative = text.front() == '-';
    if (d.negative) text.remove_prefix(1);
    const std::size_t e = text.find('e');
    for (char c : text.substr(0, e))
        if (c != '.') d.digits[d.size++] = c;
    int exponent = 0;
    std::from_chars(text.data() + e + 2, text.data() + text.size(), exponent);
    if (text[e + 1] == '-') exponent = -exponent;
    d.point = exponent + 1;
    d.dropTrailingZeros();
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero on the dropped ones.
void roundDigits(Decimal& d, long long keep) {
    if (keep >= d.size) return;
    const bool up = keep >= 0 && d.digits[keep] >= '5';
    d.size = static_cast<int>(std::max(keep, 0LL));
    if (up) {
        while (d.size > 0 && d.digits[d.size - 1] == '9') --d.size;
        if (d.size == 0) {
            d.digits[0] = '1';
            d.size = 1;
            ++d.point;
        } else {
            ++d.digits[d.size - 1];
        }
    }
    d.dropTrailingZeros();
}

// Appends the digits at positions [from, to), zeros outside the stored ones.
void appendDigits(std::string& out, const Decimal& d, long long from, long long to) {
    for (long long i = from; i < to; ++i) out += d.digit(i);
}

void appendExponentText(std::string& out, const Decimal& d, bool plusSign) {
    if (d.negative) out += '-';
    out += d.digits[0];
    if (d.size > 1) out.append(".").append(d.digits + 1, static_cast<std::size_t>(d.size - 1));
    const int exponent = d.point - 1;
    out += 'E';
    if (exponent < 0)
        out += '-';
    else if (plusSign)
        out += '+';
    char buffer[8];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, std::abs(exponent)).ptr);
}

std::string nonFiniteText(double value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

// The length of the number at the start of text: optional sign, digits with an optional "." fraction,
// and an exponent when it is complete. 0 when the mantissa has no digit.
std::size_t numberLength(std::string_view text) {
    const auto digitsEnd = [text](std::size_t i) {
        while (i < text.size() && isDigit(text[i])) ++i;
        return i;
    };
    std::size_t i = !text.empty() && isSign(text[0]) ? 1 : 0;
    const std::size_t integerEnd = digitsEnd(i);
    std::size_t mantissaDigits = integerEnd - i;
    i = integerEnd;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionEnd = digitsEnd(i + 1);
        mantissaDigits += fractionEnd - i - 1;
        i = fractionEnd;
    }
    if (mantissaDigits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        const std::size_t exponentStart = i + 1 < text.size() && isSign(text[i + 1]) ? i + 2 : i + 1;
        const std::size_t exponentEnd = digitsEnd(exponentStart);
        if (exponentEnd > exponentStart) i = exponentEnd;
    }
    return i;
}

// The decimal exponent of the leading non-zero digit of an unsigned number that numberLength accepts
// whole and that has such a digit.
long long leadingExponent(std::string_view number) {
    const std::size_t e = number.find_first_of("eE");
    long long exponent = 0;
    if (e != std::string_view::npos) {
        const bool negative = number[e + 1] == '-';
        for (char c : number.substr(e + 1))
            if (isDigit(c))
                exponent = std::min(exponent * 10 + (c - '0'), 1'000'000LL); // far beyond any double
        if (negative) exponent = -exponent;
    }
    const std::string_view mantissa = number.substr(0, e);
    const std::size_t integerDigits = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    const auto index = static_cast<long long>(first < integerDigits ? first : first - 1);
    return static_cast<long long>(integerDigits) - index - 1 + exponent;
}

struct Reading {
    double value;
    bool overflow;
};

// Converts a number that numberLength accepts whole. Overflow gives an infinity, underflow zero.
Reading convertNumber(std::string_view number) {
    const bool negative = number.front() == '-';
    if (isSign(number.front())) number.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    bool overflow = false;
    if (result.ec == std::errc::result_out_of_range) {
        overflow = leadingExponent(number) > 0;
        value = overflow ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return {negative ? -value : value, overflow};
}

} // namespace

void appendFixed(std::string& out, double value, int precision, int decimals) {
    if (!std::isfinite(value)) {
        out += nonFiniteText(value);
        return;
    }
    decimals = std::max(decimals, 0);
    Decimal d = shortestDecimal(value);
    roundDigits(d, std::min<long long>(precision, static_cast<long long>(d.point) + decimals));
    if (d.size > 0 && d.point > precision) {
        appendExponentText(out, d, true);
        return;
    }
    if (d.negative) out += '-';
    if (d.point > 0)
        appendDigits(out, d, 0, d.point);
    else
        out += '0';
    if (decimals > 0) {
        out += '.';
        appendDigits(out, d, d.point, static_cast<long long>(d.point) + decimals);
    }
}

std::string fixed(double value, int precision, int decimals) {
    std::string out;
    appendFixed(out, value, precision, decimals);
    return out;
}

void appendGeneral(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += nonFiniteText(value);
        return;
    }
    Decimal d = shortestDecimal(value);
    roundDigits(d, generalDigits);
    if (d.size == 0) {
        out += '0';
        return;
    }
    // Fixed notation from 0.00001 (0.1E-4) up to fifteen integer digits.
    if (d.point < -4 || d.point > generalDigits) {
        appendExponentText(out, d, false);
        return;
    }
    if (d.negative) out += '-';
    if (d.point <= 0) {
        out.append("0.")
            .append(static_cast<std::size_t>(-d.point), '0')
            .append(d.digits, static_cast<std::size_t>(d.size));
        return;
    }
    appendDigits(out, d, 0, d.point);
    if (d.size > d.point)
        out.append(".").append(d.digits + d.point, static_cast<std::size_t>(d.size - d.point));
}

std::string general(double value) {
    std::string out;
    appendGeneral(out, value);
    return out;
}

bool tryReadStrict(std::string_view text, double& value) {
    if (text.empty() || numberLength(text) != text.size()) return false;
    const Reading reading = convertNumber(text);
    if (reading.overflow) return false;
    value = reading.value;
    return true;
}

bool tryReadTrimmed(std::string_view text, double& value) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    return tryReadStrict(text.substr(first, text.find_last_not_of(' ') - first + 1), value);
}

double readStrict(std::string_view text) {
    double value = 0;
    if (!tryReadStrict(text, value)) throw ConversionError(conversionMessage(text));
    return value;
}

double readLenient(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return 0;
    text.remove_prefix(start);
    const std::size_t length = numberLength(text);
    return length == 0 ? 0.0 : convertNumber(text.substr(0, length)).value;
}

bool tryReadWhole(std::string_view text, double& value) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return false;
    text.remove_prefix(start);
    const std::size_t length = numberLength(text);
    if (length == 0 || text.find_first_not_of(" \t", length) != std::string_view::npos) return false;
    value = convertNumber(text.substr(0, length)).value;
    return true;
}

bool namesNonFinite(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return false;
    text = text.substr(start, text.find_last_not_of(" \t") - start + 1);
    if (isSign(text.front())) text.remove_prefix(1);
    std::string word(text);
    for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return word == "nan" || word == "inf" || word == "infinity";
}

long long readInteger(std::string_view text) {
    int base = 10;
    std::string_view digits = text;
    std::string_view number = text; // what from_chars reads: the digits, after "-" for a negative decimal
    if (!text.empty() && text.front() == '$') {
        base = 16;
        number = digits = text.substr(1);
    } else if (!text.empty() && isSign(text.front())) {
        digits = text.substr(1);
        if (text.front() == '+') number = digits;
    }
    const auto digitFits = base == 16 ? isHexDigit : isDigit;
    if (!digits.empty() && std::all_of(digits.begin(), digits.end(), digitFits)) {
        long long value = 0;
        const auto result = std::from_chars(number.data(), number.data() + number.size(), value, base);
        if (result.ec == std::errc{}) return value;
    }
    throw ConversionError(conversionMessage(text));
}

std::string conversionMessage(std::string_view text) {
    constexpr int shownColumns = 40;
    const std::string shown = shortened(text, shownColumns);
    return "“" + shown + "”不是有效的数值";
}

std::string dateTimeText(const DateTime& t) {
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%d/%d/%d %d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return buffer;
}

std::string timeStamp14(const DateTime& t) {
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return buffer;
}

} // namespace qianyan

#pragma once
// Number texts as the windows show them and the sheets print them: "." as decimal mark, no grouping,
// ties rounded away from zero on the decimal digits (the shortest decimal text of the double is what
// gets rounded, so 0.285 shows as 0.29 although its binary value lies just below).
#include "platform/date_time.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace qianyan {

// A text that is not the number it must be. The message is the Chinese report shown to the user and
// names the offending text (shortened when very long).
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& message) : std::runtime_error(message) {}
};

// At most `precision` significant digits and exactly `decimals` decimals; exponent form when the
// integer part needs more than `precision` digits. Non-finite values are the caller's concern.
std::string fixed(double value, int precision, int decimals);
// The same text appended to out, so that a caller writing many numbers reuses one buffer.
void appendFixed(std::string& out, double value, int precision, int decimals);
// Shortest text showing value to 15 significant digits: 1000, 1.5, 33.3333333333333, 1E-6, 1.5E20.
std::string general(double value);
void appendGeneral(std::string& out, double value);

// Optional sign, digits with an optional "." fraction, optional exponent. Anything else, or a value
// beyond the range of a double, throws ConversionError.
double readStrict(std::string_view text);
// Like readStrict but reports failure by returning false instead of throwing.
bool tryReadStrict(std::string_view text, double& value);
// The strict reading of what is left after blanks at either end: a typed "1000 " is 1000, "1,500" nothing.
bool tryReadTrimmed(std::string_view text, double& value);
// Skips leading blanks and reads the longest numeric prefix; empty or non-numeric text reads as 0.
// A prefix beyond the range of a double reads as an infinity, which the callers reject.
double readLenient(std::string_view text);
// The lenient reading of a text that is one number as a whole, blanks before and after allowed: "1500 "
// reads, "1,500" and "25,5" do not (a prefix of them is not what the person meant). False for an empty
// or blank text; a number beyond the range of a double reads as an infinity, which the callers reject.
bool tryReadWhole(std::string_view text, double& value);
// Whether the text is a word for a value no number can be: "nan", "inf", "-Infinity" …, in any case,
// blanks around allowed. It reads as 0 leniently, but shown in a number's place it would look like a failed
// result.
bool namesNonFinite(std::string_view text);
// A decimal integer, or a hexadecimal one after "$"; anything else throws ConversionError.
long long readInteger(std::string_view text);

// The message of a failed conversion of `text`.
std::string conversionMessage(std::string_view text);

// The Chinese short date and long time: 2024/5/6 14:03:27.
std::string dateTimeText(const DateTime& t);
// yyyymmddhhnnss, zero-padded: 20240506140327.
std::string timeStamp14(const DateTime& t);

} // namespace qianyan

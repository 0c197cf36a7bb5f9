// The strict, lenient and integer readers over any text: each either reads a number or refuses with a
// ConversionError, the strict ones never yield a non-finite value, and the forms that should agree do.
#include "framework/number_text.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstdint>
#include <string_view>

using namespace qianyan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    double strict = 0;
    bool strictRead = true;
    try {
        strict = readStrict(text);
    } catch (const ConversionError& e) {
        strictRead = false;
        FUZZ_CHECK(*e.what() != '\0');
    }
    double tried = 0;
    FUZZ_CHECK(tryReadStrict(text, tried) == strictRead);
    if (strictRead) {
        FUZZ_CHECK(std::isfinite(strict));
        FUZZ_CHECK(tried == strict);
        // What the program shows of a number it read is read again as the same text.
        const std::string shown = general(strict);
        FUZZ_CHECK(general(readStrict(shown)) == shown);
    }

    double trimmed = 0;
    if (tryReadTrimmed(text, trimmed)) FUZZ_CHECK(std::isfinite(trimmed));
    if (strictRead) FUZZ_CHECK(tryReadTrimmed(text, trimmed) && trimmed == strict);

    const double lenient = readLenient(text);
    FUZZ_CHECK(!std::isnan(lenient));
    if (strictRead) FUZZ_CHECK(lenient == strict);
    double whole = 0;
    if (tryReadWhole(text, whole)) {
        FUZZ_CHECK(!std::isnan(whole));
        FUZZ_CHECK(whole == lenient);
    }
    if (namesNonFinite(text)) FUZZ_CHECK(!strictRead);

    try {
        const long long integer = readInteger(text);
        if (strictRead) FUZZ_CHECK(static_cast<double>(integer) == strict);
    } catch (const ConversionError& e) {
        FUZZ_CHECK(*e.what() != '\0');
    }
    FUZZ_CHECK(!conversionMessage(text).empty());
    return 0;
}

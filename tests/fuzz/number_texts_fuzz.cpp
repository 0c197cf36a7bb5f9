// fixed and general over any finite double and any digit counts: a plain number text of bounded length,
// never a non-finite word or a control character, read back by the strict reader as the value shown.
#include "framework/number_text.h"
#include "fuzz_bytes.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

using namespace qianyan;

namespace {

// Shown to 15 digits, the largest doubles round beyond the range of a double; shown to fewer, any value
// from 1e307 up may round to 1E+308 and more.
constexpr double generalReadableLimit = 1.79769313486231e308;
constexpr double fixedReadableLimit = 1e307;

bool plainNumberText(const std::string& text) {
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'E')) return false;
    return !text.empty();
}

void checkShown(const std::string& text, double value, std::size_t longest, double readableLimit) {
    FUZZ_CHECK(plainNumberText(text));
    FUZZ_CHECK(text.size() <= longest);
    double back = 0;
    if (std::fabs(value) < readableLimit) FUZZ_CHECK(tryReadStrict(text, back) && std::isfinite(back));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::FuzzBytes bytes(data, size);
    const double value = bytes.number();
    if (!std::isfinite(value)) return 0; // the callers never format one
    const int precision = static_cast<std::int8_t>(bytes.byte());
    const int decimals = static_cast<std::int8_t>(bytes.byte());

    const std::string general = qianyan::general(value);
    checkShown(general, value, 22, generalReadableLimit); // -1.23456789012345E-308
    if (std::fabs(value) < generalReadableLimit) {
        const double back = readStrict(general);
        FUZZ_CHECK(qianyan::general(back) == general);
        if (std::fabs(value) >= std::numeric_limits<double>::min())
            FUZZ_CHECK(std::fabs(back - value) <= 1e-14 * std::fabs(value));
    }

    const std::string fixed = qianyan::fixed(value, precision, decimals);
    const std::size_t digits = static_cast<std::size_t>(std::max(precision, 1) + std::max(decimals, 0));
    checkShown(fixed, value, digits + 12, fixedReadableLimit);
    std::string appended = "x";
    appendFixed(appended, value, precision, decimals);
    FUZZ_CHECK(appended == "x" + fixed);
    return 0;
}

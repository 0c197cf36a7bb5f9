#include "framework/sort_keys.h"

#include "framework/huge_page_allocator.h"
#include "framework/number_text.h"

#include <array>
#include <cstring>

namespace qianyan {

namespace {

constexpr std::array<double, 16> powersOfTen{1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// An order-preserving map of a double to an unsigned integer (negative numbers below positive ones).
std::uint64_t orderedBits(double value) {
    if (value == 0) value = 0; // -0 and +0 are equal
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return (bits & 0x8000'0000'0000'0000ull) ? ~bits : bits | 0x8000'0000'0000'0000ull;
}

} // namespace

bool tryReadCellNumber(std::string_view cell, double& value) {
    // [-]digits[.digits] with at most fifteen digits: the digits are an exact integer and a power of ten
    // up to 1e15 is exact, so one division rounds exactly as the general reader does.
    std::size_t i = 0;
    const bool negative = !cell.empty() && cell[0] == '-';
    if (negative) i = 1;
    std::uint64_t digits = 0;
    int count = 0, decimals = 0;
    bool point = false, ok = i < cell.size();
    for (; ok && i < cell.size(); ++i) {
        const char c = cell[i];
        if (c >= '0' && c <= '9') {
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            ++count;
            if (point) ++decimals;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            ok = false;
        }
    }
    if (!ok || count == 0 || count > 15) return tryReadStrict(cell, value);
    value = static_cast<double>(digits) / powersOfTen[static_cast<std::size_t>(decimals)];
    if (negative) value = -value;
    return true;
}

double readCellNumber(std::string_view cell) {
    double value = 0;
    return tryReadCellNumber(cell, value) ? value : readStrict(cell);
}

RowOrder ascendingOrder(std::span<const double> keys) {
    // Least significant digit first, eleven bits at a time: six stable passes.
    constexpr int bits = 11, passes = 6;
    constexpr std::size_t buckets = 1u << bits;
    const std::size_t n = keys.size();
    LargeVector<std::uint64_t> key(n), keyOut(n);
    RowOrder order(n), orderOut(n);
    for (std::size_t i = 0; i < n; ++i) {
        key[i] = orderedBits(keys[i]);
        order[i] = static_cast<std::uint32_t>(i);
    }
    std::vector<std::size_t> start(buckets);
    for (int pass = 0; pass < passes; ++pass) {
        const int shift = pass * bits;
        std::fill(start.begin(), start.end(), 0);
        for (std::size_t i = 0; i < n; ++i) ++start[(key[i] >> shift) & (buckets - 1)];
        if (start[(n ? key[0] >> shift : 0) & (buckets - 1)] == n) continue; // every key has this digit
        std::size_t sum = 0;
        for (std::size_t& s : start) {
            const std::size_t c = s;
            s = sum;
            sum += c;
        }
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t at = start[(key[i] >> shift) & (buckets - 1)]++;
            keyOut[at] = key[i];
            orderOut[at] = order[i];
        }
        key.swap(keyOut);
        order.swap(orderOut);
    }
    return order;
}

} // namespace qianyan

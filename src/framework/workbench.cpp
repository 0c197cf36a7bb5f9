#include "framework/workbench.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace qianyan {

double SweepRange::valueAfter(double previous) const {
    if (twoValues) return last;
    return std::min(previous + step, last);
}

double SweepRange::valueAt(std::uint64_t index) const {
    double value = first;
    for (std::uint64_t i = 0; i < index; ++i) value = valueAfter(value);
    return value;
}

SweepRange rangeRule(double a, double b, double s) {
    if (a >= b) return {a, a, 0, 1, false};
    if (s <= 0 || s > b - a) return {a, b, b - a, 2, true};
    const double count = std::trunc((b - a) / s + 0.5) + 1;
    constexpr double twoTo64 = 18446744073709551616.0;
    return {a, b, s, count < twoTo64 ? static_cast<std::uint64_t>(count) : 0, false};
}

SweepRange integerRangeRule(long long first, long long last, long long step) {
    const auto a = static_cast<double>(first), b = static_cast<double>(last);
    if (first >= last) return {a, a, 0, 1, false};
    const long long r = last - first;
    if (step < 1 || step > r) return {a, b, b - a, 2, true};
    return {a, b, static_cast<double>(step), static_cast<std::uint64_t>(r / step) + 1, false};
}

void appendCandidateLabel(std::string& out, std::uint64_t number, std::uint64_t total) {
    char buffer[24];
    const auto width = std::to_chars(buffer, buffer + sizeof buffer, total).ptr - buffer;
    const auto length = std::to_chars(buffer, buffer + sizeof buffer, number).ptr - buffer;
    out += "ZH-";
    if (width > length) out.append(static_cast<std::size_t>(width - length), '0');
    out.append(buffer, static_cast<std::size_t>(length));
}

std::string candidateLabel(std::uint64_t number, std::uint64_t total) {
    std::string out;
    appendCandidateLabel(out, number, total);
    return out;
}

} // namespace qianyan

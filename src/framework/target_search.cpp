#include "framework/target_search.h"

#include <algorithm>
#include <cmath>

namespace qianyan {

namespace {

class Search {
public:
    Search(const CapacityAt& capacity, double target) : capacity_(capacity), target_(target) {}

    bool reaches(long long length) const { return valueAt(length) >= target_; }
    double valueAt(long long length) const {
        const std::optional<double> c = capacity_(length);
        if (!c || !std::isfinite(*c)) return -HUGE_VAL;
        if (!most_ || *c > *most_) most_ = c;
        return *c;
    }
    const std::optional<double>& most() const { return most_; }

    // The first length of (below, above] that reaches the target, where below does not and above does
    // and the lengths between do from some point on.
    long long bisect(long long below, long long above) const {
        while (above - below > 1) {
            const long long middle = below + (above - below) / 2;
            (reaches(middle) ? above : below) = middle;
        }
        return above;
    }

    // The first length of (a, b] that reaches the target, where a does not; none when none does.
    std::optional<long long> inSegment(long long a, double fa, long long b) const {
        if (b <= a) return std::nullopt;
        const double fb = valueAt(b);
        if (fb >= target_) return bisect(a, b);
        if (b - a < 2) return std::nullopt;
        const long long m = a + (b - a) / 2;
        const double fm = valueAt(m);
        if (fm >= target_) return bisect(a, m);
        // A hump between the samples: the vertex of the parabola through the three.
        const double h = static_cast<double>(m - a), k = static_cast<double>(b - m);
        const double curvature = ((fb - fm) / k - (fm - fa) / h) / (h + k);
        if (!(curvature < 0) || !std::isfinite(curvature)) return std::nullopt;
        const double slopeAtA = (fm - fa) / h - curvature * h;
        const double vertex = static_cast<double>(a) - slopeAtA / (2 * curvature);
        if (!(vertex > static_cast<double>(a) && vertex < static_cast<double>(b))) return std::nullopt;
        for (const long long v :
             {static_cast<long long>(std::floor(vertex)), static_cast<long long>(std::ceil(vertex))})
            if (v > a && v < b && reaches(v)) return bisect(a, v);
        return std::nullopt;
    }

private:
    const CapacityAt& capacity_;
    double target_;
    mutable std::optional<double> most_;
};

} // namespace

std::vector<long long> depthRatioBreakpoints(double diameter, double offset, double ratioStep,
                                             double ratioBound) {
    std::vector<long long> points{0};
    for (double ratio = ratioStep; ratio <= ratioBound + ratioStep / 2; ratio += ratioStep) {
        const double length = std::floor(ratio * diameter - offset);
        if (!std::isfinite(length) || length > 1e15) break;
        if (length > static_cast<double>(points.back())) points.push_back(static_cast<long long>(length));
    }
    return points;
}

LengthAnswer smallestLength(const LengthSearch& search, const CapacityAt& capacity, double target) {
    const Search s(capacity, target);
    std::vector<long long> points = search.breakpoints;
    if (points.empty()) points.push_back(0);
    if (search.growsBeyond)
        for (long long next = std::max<long long>(2 * points.back(), 1000); points.back() < search.maxLength;
             next *= 2)
            points.push_back(std::min(next, search.maxLength));

    LengthAnswer answer;
    answer.searchedTo = points.back();
    std::optional<long long> found;
    double fa = s.valueAt(points[0]);
    if (fa >= target) found = points[0];
    for (std::size_t i = 0; !found && i + 1 < points.size(); ++i) {
        found = s.inSegment(points[i], fa, points[i + 1]);
        fa = s.valueAt(points[i + 1]);
    }
    // One millimetre less must not reach it; where it does (a hump the samples missed), the search goes on
    // below, from the last breakpoint that does not reach the target.
    while (found && *found > 0 && s.reaches(*found - 1)) {
        const long long above = *found - 1;
        const auto next = std::ranges::lower_bound(points, above);
        long long below = next == points.begin() ? 0 : *std::prev(next);
        while (below > 0 && s.reaches(below)) {
            const auto at = std::ranges::lower_bound(points, below);
            below = at == points.begin() ? 0 : *std::prev(at);
        }
        found = s.reaches(below) ? below : s.bisect(below, above);
    }
    answer.length = found;
    answer.most = s.most();
    return answer;
}

} // namespace qianyan

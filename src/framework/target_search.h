#pragma once
// The smallest length (a socket depth, or the bottom layer of a layered socket) at which a capacity
// reaches a target, searched over whole millimetres with the window's own computation as the capacity.
//
// The capacity is read from a coefficient table by the depth ratio, so between two rows it is a smooth
// function of the length (linear, or a product of two linear factors) and may fall from one row to the
// next. The search therefore walks the table's segments in order and within a segment looks at both ends,
// the middle and the vertex of the parabola through them; the first segment that reaches the target is
// bisected. The answer is checked by the capacity itself: it reaches the target, one millimetre less
// does not.
#include <functional>
#include <optional>
#include <vector>

namespace qianyan {

// The capacity at a length in millimetres; none where the inputs do not compute there.
using CapacityAt = std::function<std::optional<double>(long long length)>;

struct LengthSearch {
    // Ascending lengths from 0 where the depth ratio meets a row of the table; the last is the table's
    // bound, past which the capacity stays as it is unless growsBeyond.
    std::vector<long long> breakpoints;
    // Past the bound the capacity still grows (a side resistance that takes the whole length): the search
    // goes on in doubling steps up to maxLength.
    bool growsBeyond = false;
    long long maxLength = 1'000'000;
};

struct LengthAnswer {
    std::optional<long long> length; // none: no length of the search reaches the target
    // The largest capacity the search met (the capacity may fall where the bound limits the lengths of
    // the layers above); none when it computed nowhere.
    std::optional<double> most;
    long long searchedTo = 0;
};

// The breakpoints of a depth ratio read in rows of ratioStep up to ratioBound, for a ratio of
// (length + offset) / diameter: lengths from 0, rounded down to whole millimetres.
std::vector<long long> depthRatioBreakpoints(double diameter, double offset, double ratioStep,
                                             double ratioBound);

LengthAnswer smallestLength(const LengthSearch& search, const CapacityAt& capacity, double target);

} // namespace qianyan

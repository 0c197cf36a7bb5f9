#pragma once
// The two interpolation formulas of the coefficient tables. Neither checks its range: outside the end
// points the straight line is extended; equal end points are the caller's concern.

namespace qianyan {

inline double linearInterpolation(double x, double x1, double y1, double x2, double y2) {
    return y1 + (y2 - y1) / (x2 - x1) * (x - x1);
}

// fab is the value at (pa, qb).
inline double bilinearInterpolation(double p, double q, double p1, double p2, double q1, double q2,
                                    double f11, double f12, double f21, double f22) {
    const double a = f11 + (f12 - f11) / (q2 - q1) * (q - q1);
    const double b = f21 + (q - q1) * (f22 - f21) / (q2 - q1);
    return a + (b - a) / (p2 - p1) * (p - p1);
}

} // namespace qianyan

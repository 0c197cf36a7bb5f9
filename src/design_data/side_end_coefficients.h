#pragma once
// Separate side (zeta s) and end (zeta p) coefficients of the rock socket, with the combined coefficient
// zeta r beside them as a check value.
#include "design_data/design_data.h"

namespace qianyan {

inline constexpr CoefficientColumn zetaPSoft{0.60,  0.70, 0.73, 0.73, 0.73,  0.715, 0.70, 0.68, 0.66,
                                             0.635, 0.61, 0.58, 0.55, 0.515, 0.48,  0.45, 0.42, 0.42};
inline constexpr CoefficientColumn zetaPHard{0.45, 0.55, 0.60, 0.55, 0.50, 0.48, 0.46, 0.43, 0.40,
                                             0.40, 0.40, 0.40, 0.40, 0.40, 0.40, 0.40, 0.40, 0.40};
inline constexpr CoefficientColumn zetaSSoft{0,     0.052,  0.056, 0.056,  0.056, 0.055,
                                             0.054, 0.0525, 0.051, 0.0495, 0.048, 0.0465,
                                             0.045, 0.0435, 0.042, 0.041,  0.040, 0.040};
inline constexpr CoefficientColumn zetaSHard{0,     0.050, 0.052, 0.051, 0.050, 0.0475, 0.045, 0.0425, 0.040,
                                             0.040, 0.040, 0.040, 0.040, 0.040, 0.040,  0.040, 0.040,  0.040};

enum class SideCoefficientMethod { Converted = 0, Table = 1 };

struct SideEndCoefficients {
    double zetaS; // side coefficient used, after the process factor
    double zetaP; // after the process factor
    double zetaR; // after the process factor
    double effectiveRatio;
    double effectiveSocketDepth; // mm
    bool clamped;
};
// Requires frk > 0, hr >= 0, d > 0, processIndex 0..2.
SideEndCoefficients lookupSideEndCoefficients(double frk, double hr, double d, int processIndex,
                                              SideCoefficientMethod method);

} // namespace qianyan

#include "design_data/side_end_coefficients.h"

namespace qianyan {

SideEndCoefficients lookupSideEndCoefficients(double frk, double hr, double d, int processIndex,
                                              SideCoefficientMethod method) {
    const DepthRatioUse use = depthRatioUse(frk, hr / d);
    const double tableZetaS = lookupCoefficient(zetaSSoft, zetaSHard, frk, use);
    const double zetaP = lookupCoefficient(zetaPSoft, zetaPHard, frk, use);
    const double zetaR = lookupCoefficient(zetaRSoft, zetaRHard, frk, use);
    const double effectiveSocketDepth = use.effectiveRatio * d;

    // On a circular section zetaR = 4 (hr/d) zetaS + zetaP, so the side coefficient can be recovered
    // from the other two; it is formed from the table values, before the process factor.
    const double convertedZetaS =
        effectiveSocketDepth > 0 ? (zetaR - zetaP) / (4 * effectiveSocketDepth / d) : 0.0;
    const double zetaS = method == SideCoefficientMethod::Converted ? convertedZetaS : tableZetaS;

    const double factor = constructionProcesses.at(static_cast<std::size_t>(processIndex)).factor;
    return {zetaS * factor,     zetaP * factor,       zetaR * factor,
            use.effectiveRatio, effectiveSocketDepth, use.clamped};
}

} // namespace qianyan

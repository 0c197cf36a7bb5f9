#include "formula2/formula2_evaluation.h"

#include "design_data/design_data.h"

#include <numbers>

namespace qianyan {

Formula2Result evaluateFormula2(const Formula2Design& design) {
    const double d = design.d;
    Formula2Result r{};
    r.depthRatio = design.hr / d;
    r.rockClass = rockClassName(design.frk).value_or("");
    r.coefficients = lookupSideEndCoefficients(design.frk, design.hr, d, design.processIndex, design.method);
    r.body = circularPileBody(d, design.gradeIndex, design.processIndex);
    const SideEndCoefficients& c = r.coefficients;
    r.qrs = c.zetaS * design.frk * std::numbers::pi * d * c.effectiveSocketDepth / 1000;
    r.qrp = sectionArea(d) * c.zetaP * design.frk / 1000;
    r.qrk = r.qrs + r.qrp;
    r.endShare = r.qrp / r.qrk * 100;
    r.sideShare = 100 - r.endShare;
    r.quk = r.qrk; // the soil side resistance Qsk is not considered
    r.ra = r.quk / 2;
    r.qrkz = sectionArea(d) * c.zetaR * design.frk / 1000;
    r.raByZetaR = r.qrkz / 2;
    r.qrkToQrkz = r.qrk / r.qrkz * 100;
    return r;
}

} // namespace qianyan

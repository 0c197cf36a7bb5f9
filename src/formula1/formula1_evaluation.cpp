#include "formula1/formula1_evaluation.h"

#include "formula1/design_data.h"

#include <numbers>

namespace qianyan {

Formula1Result evaluateFormula1(const Formula1Design& design) {
    const double d = design.d;
    const ConstructionProcess& process = constructionProcesses.at(static_cast<std::size_t>(design.processIndex));
    Formula1Result r{};
    r.depthRatio = design.hr / d;
    r.rockClass = rockClassName(design.frk).value_or("");
    const ZetaRLookup lookup = lookupZetaR(design.frk, r.depthRatio);
    r.clamped = lookup.clamped;
    r.effectiveRatio = lookup.effectiveRatio;
    r.effectiveSocketDepth = lookup.effectiveRatio * d;
    r.processFactor = process.factor;
    r.psiC = process.psiC;
    r.fc = concreteGrades.at(static_cast<std::size_t>(design.gradeIndex)).fc;
    r.zetaR = process.factor * lookup.zetaR;
    const double section = std::numbers::pi * d * d / 4; // mm²
    r.area = section / 1e6;
    r.perimeter = std::numbers::pi * d / 1000;
    r.qrk = section * r.zetaR * design.frk / 1000;
    r.quk = r.qrk;
    r.ra = r.quk / 2;
    r.rc = section * r.psiC * r.fc / 1000;
    return r;
}

} // namespace qianyan

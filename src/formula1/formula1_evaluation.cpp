#include "formula1/formula1_evaluation.h"

#include "design_data/design_data.h"
#include "design_data/pile_body.h"

namespace qianyan {

Formula1Result evaluateFormula1(const Formula1Design& design) {
    const double d = design.d;
    const ConstructionProcess& process =
        constructionProcesses.at(static_cast<std::size_t>(design.processIndex));
    Formula1Result r{};
    r.depthRatio = design.hr / d;
    r.rockClass = rockClassName(design.frk).value_or("");
    const ZetaRLookup lookup = lookupZetaR(design.frk, r.depthRatio);
    r.clamped = lookup.clamped;
    r.effectiveRatio = lookup.effectiveRatio;
    r.effectiveSocketDepth = lookup.effectiveRatio * d;
    r.processFactor = process.factor;
    r.zetaR = process.factor * lookup.zetaR;
    const CircularPileBody body = circularPileBody(d, design.gradeIndex, design.processIndex);
    r.psiC = body.psiC;
    r.fc = body.fc;
    r.area = body.area;
    r.perimeter = body.perimeter;
    r.qrk = sectionArea(d) * r.zetaR * design.frk / 1000;
    r.quk = r.qrk;
    r.ra = r.quk / 2;
    r.rc = body.rc;
    return r;
}

} // namespace qianyan

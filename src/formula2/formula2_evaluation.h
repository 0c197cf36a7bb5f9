#pragma once
// Formula 2: the socket resistance split into a side part Qrs = ζs·frk·μ·hr and an end part
// Qrp = ζp·frk·Ap, Ra = (Qrs + Qrp)/2, the pile-body capacity Rc, and the capacity by the combined
// coefficient ζr beside them as a check value, for checked inputs.
#include "design_data/pile_body.h"
#include "design_data/side_end_coefficients.h"

#include <string_view>

namespace qianyan {

struct Formula2Design {
    double d;         // mm, > 0
    double hr;        // mm, >= 0
    double frk;       // MPa, > 0
    int gradeIndex;   // 0..7
    int processIndex; // 0..2
    SideCoefficientMethod method;
};

struct Formula2Result {
    double depthRatio; // hr/d as entered
    std::string_view rockClass;
    SideEndCoefficients coefficients; // ζs used, ζp, ζr after the process factor; effective depth; clamp
    CircularPileBody body;            // Ap, μ, ψc, fc, Rc
    double qrs, qrp, qrk;             // kN
    double endShare, sideShare;       // per cent of Qrk
    double quk, ra;                   // kN
    double qrkz, raByZetaR;           // by the combined coefficient, kN
    double qrkToQrkz;                 // per cent
};

Formula2Result evaluateFormula2(const Formula2Design& design);

} // namespace qianyan

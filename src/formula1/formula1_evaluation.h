#pragma once
// Formula 1: Qrk = ζr·frk·Ap, Quk = Qrk (soil side resistance not considered), Ra = Quk/2 and the
// pile-body capacity Rc = ψc·fc·Aps, for checked inputs.
#include <string_view>

namespace qianyan {

struct Formula1Design {
    double d;         // mm, > 0
    double hr;        // mm, >= 0
    double frk;       // MPa, > 0
    int gradeIndex;   // 0..7
    int processIndex; // 0..2
};

struct Formula1Result {
    double depthRatio; // hr/d as entered
    std::string_view rockClass;
    bool clamped;
    double effectiveRatio;       // the ratio the table lookup used
    double effectiveSocketDepth; // mm
    double processFactor, psiC, fc;
    double zetaR;            // after the process factor
    double area;             // Ap = Aps, m²
    double perimeter;        // μ, m
    double qrk, quk, ra, rc; // kN
};

Formula1Result evaluateFormula1(const Formula1Design& design);

} // namespace qianyan

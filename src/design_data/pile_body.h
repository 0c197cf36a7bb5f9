#pragma once
// The circular section of a pile and its pile-body compressive capacity Rc = ψc·fc·Aps, which every
// circular-pile calculator computes alike.
namespace qianyan {

struct CircularPileBody {
    double area;      // Ap = Aps, m²
    double perimeter; // μ, m
    double psiC, fc;
    double rc; // kN
};

// π·d²/4 in mm² for d in mm: times a stress in MPa it is a force in N.
double sectionArea(double d);
// Requires gradeIndex 0..7 and processIndex 0..2.
CircularPileBody circularPileBody(double d, int gradeIndex, int processIndex);

} // namespace qianyan

#pragma once
// Formula 1 with the soil terms: Quk = Qsk + Qrk, Ra = Quk/2, and the net capacity Ra' = Ra − Qgn left
// for the structure once the down-drag is taken off, with its share of Ra.
#include "formula1/formula1_evaluation.h"

namespace qianyan {

struct NetCapacity {
    double qsk, quk, ra; // kN
    double qgn, raNet;   // kN
    double percent;      // Ra'/Ra in per cent; not finite when Ra is 0
};

// qsk and qgn are 0 when their term is not considered.
NetCapacity netCapacity(const Formula1Result& rock, double qsk, double qgn);

} // namespace qianyan

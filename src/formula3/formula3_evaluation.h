#pragma once
// Formula 3: the side resistance of every rock layer and the end resistance at the pile tip add up to
// Qrk, Ra = Qrk/2; beside them the check by the combined coefficient ζr of the bearing layer, the
// pile-body capacity Rc and the verdict whether the design stays within what the code covers.
#include "design_data/design_data.h"
#include "formula3/rock_layers.h"
#include "formula3/section_geometry.h"

#include <optional>
#include <variant>

namespace qianyan {

struct Formula3Design {
    SectionGeometry geometry;
    RockLayerOptions options;
    int gradeIndex; // 0..7
};

// How the capacity fields are drawn: within the code (green), a single layer computed at a table bound or
// with typed coefficients (magenta), beyond the code (red).
enum class ResultTone { WithinCode, AtBound, BeyondCode };

struct Formula3Result {
    SectionGeometry geometry;
    RockLayerQuantities layers;
    double sideResistance; // Qrs = ΣQrsi, kN
    double endResistance;  // Qrp, kN
    double qrk, ra;        // kN
    // Per cent of Qrk; none when Qrk is 0.
    std::optional<double> sideShare, endShare;
    ZetaRLookup check; // ζr of the bearing layer before the process factor, its clamp and ratio used
    double zetaRCheck; // times the process factor
    double qrkz;       // kN
    std::optional<double> qrkToQrkz; // per cent
    double fc, rc;                   // MPa, kN
    bool compliant;                  // 合规 rather than 超规
    ResultTone tone;
};

// Runs the layer steps on the table, then writes the resistances (columns 14-19) and computes the rest.
// A failure is a check of the layer steps or a result beyond the range of numbers.
std::variant<Formula3Result, LayerFailure> evaluateFormula3(TextTable& layers, const Formula3Design& design);

// part/whole·100, none for a whole of 0.
std::optional<double> percentOf(double part, double whole);

} // namespace qianyan

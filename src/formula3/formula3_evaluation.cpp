#include "formula3/formula3_evaluation.h"

#include "framework/number_text.h"

#include <cmath>
#include <initializer_list>

namespace qianyan {

namespace col = layer_column;

namespace {

struct OutOfRange {};

void requireFinite(std::initializer_list<double> values) {
    for (const double v : values)
        if (!std::isfinite(v)) throw OutOfRange{};
}

void requireFinite(const std::optional<double>& value) {
    if (value) requireFinite({*value});
}

// The code covers one circular layer with interpolated coefficients, past the bound only when the length
// is limited; several layers only when they are equally strong, within the bounds, with the total length
// or the bearing run as depth; typed coefficients on one layer only when none of them is taken.
bool isCompliant(const Formula3Design& design, const RockLayerQuantities& q) {
    if (design.geometry.nonCircular) return false;
    const CoefficientSource source = design.options.source;
    const bool interpolated = source == CoefficientSource::Interpolated;
    if (q.layerCount == 1) {
        if (interpolated) return !design.options.beyondCodeDepth || q.limitMark == 0;
        return source != CoefficientSource::Typed && q.limitMark == 0;
    }
    return interpolated && !q.mixed && q.limitMark == 0 && design.options.depth != DepthRule::OwnLength;
}

ResultTone toneOf(const Formula3Design& design, const Formula3Result& r) {
    if (r.compliant) return ResultTone::WithinCode;
    const bool singleAtBound = !design.geometry.nonCircular && r.layers.layerCount == 1 &&
                               design.options.source != CoefficientSource::Interpolated &&
                               r.layers.limitMark >= 1;
    return singleAtBound ? ResultTone::AtBound : ResultTone::BeyondCode;
}

// Side resistances (columns 16, 17), then at the last layer the end resistance and Qrk (columns 14, 15).
void writeResistances(TextTable& layers, const SectionGeometry& g, Formula3Result& r) {
    const std::size_t n = layers.rowCount();
    double sum = 0;
    for (std::size_t row = 0; row < n; ++row) {
        // ζs·frk·μ·lr: N/mm² times mm times m is kN.
        const double qrsi = cellNumber(layers, row, col::sideUsed) *
                            cellNumber(layers, row, col::sideStrength) * g.perimeter *
                            cellNumber(layers, row, col::sideLength);
        sum += qrsi;
        requireFinite({qrsi, sum});
        layers.setCell(row, col::sideRunningSum, general(sum));
        layers.setCell(row, col::sideResistance, general(qrsi));
    }
    const std::size_t last = n - 1;
    // The end takes the interpolation strength of the last layer.
    r.endResistance = cellNumber(layers, last, col::endUsed) *
                      cellNumber(layers, last, col::interpolationStrength) * g.area / 1000;
    r.sideResistance = sum;
    r.qrk = sum + r.endResistance;
    r.ra = r.qrk / 2;
    requireFinite({r.endResistance, r.qrk});
    layers.setCell(last, col::totalResistance, general(r.qrk));
    layers.setCell(last, col::endResistance, general(r.endResistance));
}

void writeShares(TextTable& layers, double qrk) {
    for (std::size_t row = 0; row < layers.rowCount(); ++row) {
        const std::optional<double> share = percentOf(cellNumber(layers, row, col::sideResistance), qrk);
        requireFinite(share);
        layers.setCell(row, col::shareText, share ? fixed(*share, 7, 2) + "%" : "-");
        layers.setCell(row, col::shareBar, share ? general(*share) : "");
    }
}

} // namespace

std::optional<double> percentOf(double part, double whole) {
    if (whole == 0) return std::nullopt;
    return part / whole * 100;
}

std::variant<Formula3Result, LayerFailure> evaluateFormula3(TextTable& layers, const Formula3Design& design) {
    const SectionGeometry& g = design.geometry;
    const RockLayerOutcome outcome = runRockLayers(layers, design.options, g.deq);
    if (outcome.failure) return *outcome.failure;
    Formula3Result r{};
    r.geometry = g;
    r.layers = outcome.quantities;
    try {
        requireFinite({g.deq, g.area, g.perimeter});
        writeResistances(layers, g, r);
        r.compliant = isCompliant(design, r.layers);
        r.tone = toneOf(design, r);
        writeShares(layers, r.qrk);

        const RockLayerQuantities& q = r.layers;
        r.check = lookupZetaR(q.bearingStrength, q.bearingRatio);
        r.zetaRCheck = q.processFactor * r.check.zetaR;
        r.qrkz = r.zetaRCheck * q.bearingStrength * g.area / 1000;
        r.fc = concreteGrades.at(static_cast<std::size_t>(design.gradeIndex)).fc;
        r.rc = q.psiC * r.fc * g.area / 1000;
        r.endShare = percentOf(r.endResistance, r.qrk);
        r.sideShare = percentOf(r.sideResistance, r.qrk);
        r.qrkToQrkz = percentOf(r.qrk, r.qrkz);
        requireFinite({r.ra, r.qrkz, r.rc});
        for (const auto& share : {r.endShare, r.sideShare, r.qrkToQrkz}) requireFinite(share);
    } catch (const OutOfRange&) {
        return LayerFailure{std::string(outOfRangeMessage)};
    }
    return r;
}

} // namespace qianyan

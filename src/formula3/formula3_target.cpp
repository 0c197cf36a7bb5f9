// Formula 3's side of the target: the bottom layer's length is what the search varies.
#include "formula3/formula3_window.h"
#include "framework/number_text.h"

#include <cmath>

namespace qianyan {

namespace col = layer_column;

std::optional<TargetCalculator::Axis> TVOR_FRM_KELD3::targetAxis() {
    const auto type = static_cast<SectionType>(cbb_jmlx.itemIndex);
    const auto read = readSectionDimensions(type, cbe_dd.text, cbe_tyzd.text);
    const auto* dimensions = std::get_if<SectionDimensions>(&read);
    if (!dimensions) return std::nullopt;
    const double deq = sectionGeometry(type, dimensions->first, dimensions->second,
                                       static_cast<DeqAlgorithm>(cbb_deqcheck.itemIndex),
                                       static_cast<AreaMode>(cbb_JmApU.itemIndex))
                           .deq;
    // The bottom layer's depth ratio counts the layers above it as the depth rule says: all of them, none,
    // or those of the bearing run (as strong as the bottom one).
    const TextTable& layers = StringGrid_KELD3.rows;
    const std::size_t last = layers.rowCount() - 1;
    const auto rule = static_cast<DepthRule>(cbb_qianyanshengdu.itemIndex);
    double above = 0;
    try {
        double bottomStrength = 0;
        const bool bottomReads = tryReadTrimmed(layers.cell(last, col::rockStrength), bottomStrength);
        for (std::size_t row = last; row-- > 0;) {
            double strength = 0;
            const bool inRun = bottomReads && tryReadTrimmed(layers.cell(row, col::rockStrength), strength) &&
                               strength == bottomStrength;
            if (rule == DepthRule::BearingLength && !inRun) break;
            if (rule != DepthRule::OwnLength) above += cellNumber(layers, row, col::socketLength);
        }
    } catch (const ConversionError&) {
        return std::nullopt;
    }
    if (!std::isfinite(deq) || !(deq > 0) || !std::isfinite(above)) return std::nullopt;
    // Typed coefficients, or a side resistance beyond the code, take the whole length past the bound.
    const bool growsBeyond =
        static_cast<CoefficientSource>(cbb_chezhuxishu.itemIndex) == CoefficientSource::Typed ||
        ckb_chaoguifan.checked;
    return Axis{deq, above * 1000, growsBeyond};
}

std::string TVOR_FRM_KELD3::targetLengthText(long long length) const {
    return fixed(static_cast<double>(length) / 1000, 15, 3);
}

void TVOR_FRM_KELD3::putTargetLength(long long length) {
    StringGrid_KELD3.rows.setCell(StringGrid_KELD3.rows.rowCount() - 1, col::socketLength,
                                  targetLengthText(length));
}

void TVOR_FRM_KELD3::adoptTargetLength(long long length) {
    // As a person edits the cell.
    const int last = static_cast<int>(StringGrid_KELD3.rows.rowCount()) - 1;
    const int column = static_cast<int>(col::socketLength);
    StringGrid_KELD3SelectCell(last, column);
    putTargetLength(length);
    StringGrid_KELD3EditingDone(last, column);
}

std::vector<std::string> TVOR_FRM_KELD3::targetDiameters(std::string& whyNone) const {
    if (static_cast<SectionType>(cbb_jmlx.itemIndex) != SectionType::Circle) {
        whyNone = "非圆截面：桩径列表只对圆桩适用";
        return {};
    }
    return cbe_dd.items;
}

TargetCapacity TVOR_FRM_KELD3::targetCapacity() {
    const Formula3Result r = evaluated().r;
    return {r.ra, r.rc};
}

} // namespace qianyan

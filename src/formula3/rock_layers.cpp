#include "formula3/rock_layers.h"

#include "design_data/design_data.h"
#include "design_data/side_end_coefficients.h"
#include "framework/number_text.h"

#include <algorithm>
#include <cmath>

namespace qianyan {

namespace col = layer_column;

std::vector<GridColumn> layerTableColumns() {
    return {
        {"strgrd00_Int_Num", "岩层"},
        {"strgrd01_Flo_lr", "嵌岩 lr(m)"},
        {"strgrd02_Flo_frk", "岩石强度frk (MPa)"},
        {"strgrd03_Flo_KesaisZD", "人工指定 ζs"},
        {"strgrd04_Flo_KesaipZD", "人工指定 ζp"},
        {"strgrd05_Flo_hr_xs", "hr(m)[插值用]"},
        {"strgrd06_Flo_sjb_xs", "深径比[插值用]"},
        {"strgrd07_Flo_frk_xs", "frk(MPa)[插值用]"},
        {"strgrd08_Flo_Kesais", "插值侧阻 ζs"},
        {"strgrd09_Flo_Kesaip", "插值端阻 ζp"},
        {"strgrd10_Flo_Kesais_js", "计算侧阻 ζs"},
        {"strgrd11_Flo_Kesaip_js", "计算端阻 ζp"},
        {"strgrd12_Flo_lr_js", "侧阻计算用 lr"},
        {"strgrd13_Flo_frk_js", "承载力计算用 frk"},
        {"strgrd14_Flo_Qrk", "总阻力 Qrk(kN)"},
        {"strgrd15_Flo_Qrp", "端阻力 Qrp(kN)"},
        {"strgrd16_Flo_SegemaQrsi", "      ∑Qrsi(kN)"},
        {"strgrd17_Flo_Qrs", "侧阻力 Qrsi(kN)"},
        {"strgrd18_Str_percent", "     Qrsi/Qrk"},
        {"strgrd19_Pic_percent", "侧阻占比图例"},
        {"strgrd20_Str_beizhu", "       备        注"},
    };
}

double cellNumber(const TextTable& layers, std::size_t row, std::size_t column) {
    const std::string_view text = layers.cell(row, column);
    if (text.find_first_not_of(' ') == std::string_view::npos) return 0;
    double value = 0;
    if (!tryReadTrimmed(text, value)) throw ConversionError(conversionMessage(text));
    return value;
}

namespace {

// Thrown by a failing check inside the steps; runRockLayers turns it into the outcome's failure.
struct StepFailure {
    std::string message;
};

std::string layerMessage(std::size_t row, std::string_view what) {
    return "第" + std::to_string(row + 1) + "层" + std::string(what);
}

class LayerSteps {
public:
    LayerSteps(TextTable& layers, const RockLayerOptions& options, double deq)
        : t_(layers), o_(options), deq_(deq), n_(layers.rowCount()) {}

    RockLayerQuantities run() {
        q_.layerCount = static_cast<int>(n_);
        prepare();
        for (std::size_t k = 0; k < n_; ++k) coefficientTurn(k);
        return q_;
    }

private:
    double number(std::size_t row, std::size_t column) const { return cellNumber(t_, row, column); }
    std::string_view text(std::size_t row, std::size_t column) const { return t_.cell(row, column); }
    // Cell (row, column) takes the text of cell (fromRow, fromColumn) as it stands.
    void copy(std::size_t fromRow, std::size_t fromColumn, std::size_t row, std::size_t column) {
        t_.setCell(row, column, std::string(text(fromRow, fromColumn)));
    }
    void copyTypedLength(std::size_t row) { copy(row, col::socketLength, row, col::sideLength); }
    void put(std::size_t row, std::size_t column, double value) {
        t_.setCell(row, column, general(finite(value)));
    }
    static double finite(double value) {
        if (!std::isfinite(value)) throw StepFailure{std::string(outOfRangeMessage)};
        return value;
    }
    // The typed strength compared as a number, before it is checked; nothing for a text that is none.
    std::optional<double> typedStrength(std::size_t row) const {
        double value = 0;
        if (tryReadTrimmed(text(row, col::rockStrength), value)) return value;
        return std::nullopt;
    }

    void prepare() {
        for (std::size_t row = 0; row < n_; ++row)
            for (std::size_t c = col::interpolationDepth; c < col::count; ++c) t_.setCell(row, c, "");
        readSocketLengths();
        findBearingRun();
        applyDepthRule();
        readStrengths();
        applyStrengthRule(o_.resistanceStrength, col::sideStrength);
        const ConstructionProcess& process =
            constructionProcesses.at(static_cast<std::size_t>(o_.processIndex));
        q_.processFactor = process.factor;
        q_.psiC = process.psiC;
        for (std::size_t row = 0; row < n_; ++row) copyTypedLength(row);
    }

    void readSocketLengths() {
        double total = 0;
        for (std::size_t row = 0; row < n_; ++row) {
            if (text(row, col::socketLength).find_first_not_of(' ') == std::string_view::npos)
                t_.setCell(row, col::socketLength, "0.00");
            const double lr = number(row, col::socketLength);
            if (lr < 0) throw StepFailure{layerMessage(row, "岩石嵌岩深度<0")};
            total += lr;
        }
        q_.totalLength = finite(total);
    }

    // The bottom run of layers exactly as strong as the last one carries the pile.
    void findBearingRun() {
        const std::size_t last = n_ - 1;
        const std::optional<double> bearing = typedStrength(last);
        q_.bearingLength = number(last, col::socketLength);
        std::size_t row = last;
        while (row > 0 && bearing && typedStrength(row - 1) == bearing)
            q_.bearingLength += number(--row, col::socketLength);
        q_.mixed = n_ < 2 || row > 0 || !bearing;
        q_.bearingRatio = finite(q_.bearingLength * 1000 / deq_);
    }

    void applyDepthRule() {
        for (std::size_t row = 0; row < n_; ++row) {
            const double h = o_.depth == DepthRule::TotalLength ? q_.totalLength
                             : o_.depth == DepthRule::OwnLength ? number(row, col::socketLength)
                                                                : q_.bearingLength;
            put(row, col::interpolationDepth, h);
            put(row, col::interpolationRatio, h * 1000 / deq_);
        }
    }

    void readStrengths() {
        for (std::size_t row = 0; row < n_; ++row) {
            const std::optional<double> frk = typedStrength(row);
            if (!frk || !(*frk > 0)) throw StepFailure{layerMessage(row, "岩石单轴抗压强度值错")};
            t_.setCell(row, col::rockClass, *rockClassName(*frk));
            if (copiesTypedText(o_.interpolationStrength))
                copyStrength(o_.interpolationStrength, row, col::interpolationStrength);
        }
        q_.bearingStrength = *typedStrength(n_ - 1);
        if (!copiesTypedText(o_.interpolationStrength))
            applyStrengthRule(o_.interpolationStrength, col::interpolationStrength);
    }

    static bool copiesTypedText(StrengthRule rule) {
        return rule == StrengthRule::LastLayer || rule == StrengthRule::FirstLayer ||
               rule == StrengthRule::OwnLayer;
    }

    void copyStrength(StrengthRule rule, std::size_t row, std::size_t to) {
        const std::size_t source = rule == StrengthRule::LastLayer    ? n_ - 1
                                   : rule == StrengthRule::FirstLayer ? 0
                                                                      : row;
        copy(source, col::rockStrength, row, to);
    }

    // Fills a strength column of every row once every strength has been checked.
    void applyStrengthRule(StrengthRule rule, std::size_t to) {
        if (copiesTypedText(rule)) {
            for (std::size_t row = 0; row < n_; ++row) copyStrength(rule, row, to);
            return;
        }
        double value = *typedStrength(0), sum = 0, weighted = 0;
        for (std::size_t row = 0; row < n_; ++row) {
            const double frk = *typedStrength(row);
            if (rule == StrengthRule::Minimum && frk < value) value = frk;
            if (rule == StrengthRule::Maximum && frk > value) value = frk;
            sum += frk;
            weighted += number(row, col::socketLength) * frk;
        }
        if (rule == StrengthRule::Mean) value = sum / static_cast<double>(n_);
        if (rule == StrengthRule::WeightedMean) {
            if (!(q_.totalLength > 0)) throw StepFailure{"各岩层嵌岩长度总和为0，不能按加权平均值取岩石强度"};
            value = weighted / q_.totalLength;
        }
        for (std::size_t row = 0; row < n_; ++row) put(row, to, value);
    }

    void coefficientTurn(std::size_t k) {
        const double w = number(k, col::interpolationRatio);
        const double f = number(k, col::interpolationStrength);
        if (!(f > 0)) throw StepFailure{"岩石单轴抗压强度值有错"};
        const DepthRatioUse use = depthRatioUse(f, w);
        const double zetaR = lookupCoefficient(zetaRSoft, zetaRHard, f, use);
        double zetaP = lookupCoefficient(zetaPSoft, zetaPHard, f, use);
        // On a circle ζr = 4·(hr/d)·ζs + ζp; the side coefficient is recovered from the other two.
        const double zetaS = use.effectiveRatio != 0 ? (zetaR - zetaP) / (4 * use.effectiveRatio) : 0.0;
        q_.limitMark = 0;
        if (use.clamped) zetaP *= limitSocketLength(k, use.effectiveRatio);

        const double interpolatedSide = q_.processFactor * zetaS;
        const double interpolatedEnd = q_.processFactor * zetaP;
        put(k, col::interpolatedSide, interpolatedSide);
        put(k, col::interpolatedEnd, interpolatedEnd);

        const double typedSide = number(k, col::typedSide);
        if (typedSide < 0) throw StepFailure{layerMessage(k, "岩石人工指定的侧阻系数小于0")};
        const double typedEnd = number(k, col::typedEnd);
        if (typedEnd < 0) throw StepFailure{layerMessage(k, "岩石人工指定的端阻系数小于0")};

        double side = interpolatedSide, end = interpolatedEnd;
        switch (o_.source) {
        case CoefficientSource::Typed:
            // Typed coefficients are the engineer's own: no length is limited.
            for (std::size_t row = 0; row < n_; ++row) copyTypedLength(row);
            side = typedSide;
            end = typedEnd;
            ++q_.limitMark;
            break;
        case CoefficientSource::Interpolated:
            break;
        case CoefficientSource::Larger:
        case CoefficientSource::Smaller: {
            const bool larger = o_.source == CoefficientSource::Larger;
            if (larger ? typedSide > side : typedSide < side) side = typedSide, ++q_.limitMark;
            if (larger ? typedEnd > end : typedEnd < end) end = typedEnd, ++q_.limitMark;
            break;
        }
        }
        put(k, col::sideUsed, side);
        put(k, col::endUsed, end);
    }

    // Layer k is past the bound of its depth ratio: either the side resistance takes its full length
    // beyond the code, or the length it may use is limited to bound·deq counted from the chosen end. The
    // factor that then applies to the end coefficient.
    double limitSocketLength(std::size_t k, double bound) {
        if (o_.beyondCodeDepth) {
            copyTypedLength(k);
            q_.limitMark = 1;
            return o_.endReduction;
        }
        q_.limitMark = q_.mixed ? 1 : 0;
        double budget = finite(bound * deq_ / 1000);
        const auto take = [&](std::size_t row, bool write) {
            const double lr = number(row, col::socketLength);
            if (budget - lr >= 0) {
                if (write) copyTypedLength(row);
                budget -= lr;
            } else {
                if (write) put(row, col::sideLength, budget);
                budget = 0;
            }
        };
        if (o_.start == LengthStart::Bottom) {
            for (std::size_t row = n_; row-- > 0;) take(row, true);
        } else {
            for (std::size_t row = 0; row <= k; ++row) take(row, row == k);
        }
        return 1;
    }

    TextTable& t_;
    const RockLayerOptions& o_;
    double deq_;
    std::size_t n_;
    RockLayerQuantities q_{};
};

} // namespace

RockLayerOutcome runRockLayers(TextTable& layers, const RockLayerOptions& options, double deq) {
    try {
        return {std::nullopt, LayerSteps(layers, options, deq).run()};
    } catch (const StepFailure& failure) {
        return {LayerFailure{failure.message}, {}};
    }
}

} // namespace qianyan

#include "design_data/design_data.h"

#include "framework/interpolation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qianyan {

std::vector<std::string> gradeItems() {
    std::vector<std::string> items;
    for (const ConcreteGrade& g : concreteGrades) items.emplace_back(g.text);
    return items;
}

std::vector<std::string> processItems() {
    std::vector<std::string> items;
    for (const ConstructionProcess& p : constructionProcesses) items.emplace_back(p.itemText);
    return items;
}

namespace {

constexpr double rowStep = 0.5;
constexpr double softUpperFrk = 15.0;
constexpr double transitionUpperFrk = 30.0;

struct RockClass {
    double upperFrk; // inclusive
    std::string_view name;
};
constexpr std::array<RockClass, 5> rockClasses{{{5.0, "极软岩"},
                                                {softUpperFrk, "软岩"},
                                                {transitionUpperFrk, "较软岩"},
                                                {60.0, "较硬岩"},
                                                {std::numeric_limits<double>::infinity(), "坚硬岩"}}};

// Linear interpolation between the two rows around the ratio. The row index is kept within the table
// (and NaN or a negative ratio reads from row 0) so that no ratio can index outside it.
double columnValue(const CoefficientColumn& column, double ratio) {
    const double s = ratio / rowStep;
    constexpr auto lastLowerRow = static_cast<double>(std::tuple_size_v<CoefficientColumn> - 2);
    const double row = s >= 0 ? std::min(std::trunc(s), lastLowerRow) : 0.0;
    const auto i = static_cast<std::size_t>(row);
    return linearInterpolation(s, row, column[i], row + 1, column[i + 1]);
}

} // namespace

int processIndexOfShortName(std::string_view shortName) {
    const auto found =
        std::find_if(constructionProcesses.begin(), constructionProcesses.end(),
                     [shortName](const ConstructionProcess& p) { return p.shortName == shortName; });
    return found == constructionProcesses.end() ? -1
                                                : static_cast<int>(found - constructionProcesses.begin());
}

std::optional<std::string_view> rockClassName(double frk) {
    if (!(frk > 0)) return std::nullopt;
    for (const RockClass& rockClass : rockClasses) {
        if (frk <= rockClass.upperFrk) return rockClass.name;
    }
    return std::nullopt;
}

RockColumn rockColumnOf(double frk) {
    if (frk <= softUpperFrk) return RockColumn::Soft;
    if (frk <= transitionUpperFrk) return RockColumn::Transition;
    return RockColumn::Hard;
}

DepthRatioUse depthRatioUse(double frk, double x) {
    const RockColumn column = rockColumnOf(frk);
    const double limit = column == RockColumn::Soft ? softDepthRatioLimit : hardDepthRatioLimit;
    const bool clamped = x > limit;
    return {column, clamped ? limit : x, clamped};
}

double lookupCoefficient(const CoefficientColumn& soft, const CoefficientColumn& hard, double frk,
                         const DepthRatioUse& use) {
    switch (use.column) {
    case RockColumn::Soft:
        return columnValue(soft, use.effectiveRatio);
    case RockColumn::Hard:
        return columnValue(hard, use.effectiveRatio);
    case RockColumn::Transition:
        break;
    }
    // Transition rock lies between the soft column at 15 MPa and the hard column at 30 MPa.
    return linearInterpolation(frk, softUpperFrk, columnValue(soft, use.effectiveRatio), transitionUpperFrk,
                               columnValue(hard, use.effectiveRatio));
}

ZetaRLookup lookupZetaR(double frk, double x) {
    const DepthRatioUse use = depthRatioUse(frk, x);
    return {lookupCoefficient(zetaRSoft, zetaRHard, frk, use), use.clamped, use.effectiveRatio};
}

} // namespace qianyan

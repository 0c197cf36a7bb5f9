#include "formula3/section_geometry.h"

#include "framework/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace qianyan {

namespace {

constexpr double pi = std::numbers::pi;

double obroundArea(double d, double c) {
    return pi * d * d / 4 + d * c;
}

// deq by the six direct algorithms A-F.
double directDiameter(SectionType type, double first, double second, DeqAlgorithm algorithm) {
    if (type == SectionType::Obround) {
        const double d = first, c = second;
        switch (algorithm) {
        case DeqAlgorithm::EqualArea:
            return std::sqrt(4 * obroundArea(d, c) / pi);
        case DeqAlgorithm::EqualPerimeter:
            return (pi * d + 2 * c) / pi;
        case DeqAlgorithm::LargestGyration:
            return d * std::sqrt(((4 * c * c / (d * d) + 1 + 32 * c / (3 * pi * d)) * (pi * d * d / 4) +
                                  4 * c * c * c / (3 * d)) /
                                 (pi * d * d / 4 + c * d));
        case DeqAlgorithm::SmallestGyration:
            return d * std::sqrt((16 * c / 3 + pi * d) / (pi * d + 4 * c));
        case DeqAlgorithm::LongSide:
            return d + c;
        default:
            return d;
        }
    }
    const double a = first, b = second;
    switch (algorithm) {
    case DeqAlgorithm::EqualArea:
        return std::sqrt(4 * a * b / pi);
    case DeqAlgorithm::EqualPerimeter:
        return 2 * (a + b) / pi;
    case DeqAlgorithm::LargestGyration:
        return 2 * a / std::sqrt(3.0);
    case DeqAlgorithm::SmallestGyration:
        return 2 * b / std::sqrt(3.0);
    case DeqAlgorithm::LongSide:
        return a;
    default:
        return b;
    }
}

std::optional<double> positiveNumber(std::string_view text) {
    double value = 0;
    if (tryReadTrimmed(text, value) && value > 0) return value;
    return std::nullopt;
}

} // namespace

double equivalentDiameter(SectionType type, double first, double second, DeqAlgorithm algorithm) {
    if (algorithm != DeqAlgorithm::LargestOfAToD && algorithm != DeqAlgorithm::SmallestOfAToD)
        return directDiameter(type, first, second, algorithm);
    // The envelope of A-D, compared in that order; only a strictly larger (smaller) one replaces.
    const bool largest = algorithm == DeqAlgorithm::LargestOfAToD;
    double result = directDiameter(type, first, second, DeqAlgorithm::EqualArea);
    for (const DeqAlgorithm candidate :
         {DeqAlgorithm::EqualPerimeter, DeqAlgorithm::LargestGyration, DeqAlgorithm::SmallestGyration}) {
        const double v = directDiameter(type, first, second, candidate);
        if (largest ? v > result : v < result) result = v;
    }
    return result;
}

SectionGeometry sectionGeometry(SectionType type, double first, double second, DeqAlgorithm algorithm,
                                AreaMode areaMode) {
    SectionGeometry g{.type = type,
                      .first = first,
                      .second = second,
                      .area0 = 0,
                      .perimeter0 = 0,
                      .deq = first,
                      .algorithm = algorithm,
                      .areaMode = areaMode,
                      .area = 0,
                      .perimeter = 0,
                      .nonCircular = type != SectionType::Circle};
    switch (type) {
    case SectionType::Circle:
        g.second = 0;
        g.areaMode = AreaMode::RealSection;
        g.area0 = pi * first * first / 4;
        g.perimeter0 = pi * first;
        break;
    case SectionType::Obround:
        g.area0 = obroundArea(first, second);
        g.perimeter0 = pi * first + 2 * second;
        break;
    case SectionType::Rectangle:
        g.area0 = first * second;
        g.perimeter0 = 2 * (first + second);
        break;
    }
    if (g.nonCircular) g.deq = equivalentDiameter(type, first, second, algorithm);
    const bool virtualCircle = g.areaMode == AreaMode::VirtualCircle;
    g.area = virtualCircle ? pi * g.deq * g.deq / 4 : g.area0;
    g.perimeter = virtualCircle ? pi * g.deq : g.perimeter0;
    return g;
}

std::variant<SectionDimensions, DimensionFailure>
readSectionDimensions(SectionType type, std::string_view firstText, std::string_view secondText) {
    const bool rectangle = type == SectionType::Rectangle;
    const std::optional<double> first = positiveNumber(firstText);
    if (!first)
        return DimensionFailure{DimensionInput::First,
                                rectangle ? "矩形长边尺寸数据有错" : "桩身直径数据有错"};
    if (type == SectionType::Circle) return SectionDimensions{*first, 0, false, {}, {}};
    const std::optional<double> second = positiveNumber(secondText);
    if (!second)
        return DimensionFailure{DimensionInput::Second,
                                rectangle ? "矩形短边尺寸数据有错" : "椭圆直段长度数据有错"};
    // The long side comes first; sides entered the other way round (or equal) are written back ordered.
    if (rectangle && *second >= *first)
        return SectionDimensions{*second, *first, true, general(*second), general(*first)};
    return SectionDimensions{*first, *second, false, {}, {}};
}

} // namespace qianyan

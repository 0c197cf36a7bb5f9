#pragma once
// Pile cross-sections of Formula 3: the circle, the obround (two half circles of diameter d joined by
// straight sides of length c) and the rectangle (sides a >= b). A non-circular section is reduced to an
// equivalent diameter deq, which replaces d in every depth ratio and, by choice, in the area and the
// perimeter. Everything is in millimetres.
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace qianyan {

enum class SectionType { Circle = 0, Obround = 1, Rectangle = 2 };

// The items of the algorithm list: A-H.
enum class DeqAlgorithm {
    EqualArea = 0,
    EqualPerimeter = 1,
    LargestGyration = 2,  // four times the largest radius of gyration
    SmallestGyration = 3, // four times the smallest
    LongSide = 4,
    ShortSide = 5,
    LargestOfAToD = 6,
    SmallestOfAToD = 7,
};

// The items of the area list: the real section, or the virtual circle of diameter deq.
enum class AreaMode { RealSection = 0, VirtualCircle = 1 };

struct SectionGeometry {
    SectionType type;
    double first, second;     // d and c, or a and b after the ordering
    double area0, perimeter0; // of the real section, mm² and mm
    double deq;               // d for the circle
    DeqAlgorithm algorithm;   // meaningless for the circle
    AreaMode areaMode;        // RealSection for the circle
    double area, perimeter;   // Ap and μ used by the resistances
    bool nonCircular;
};

// deq of an obround (d, c) or a rectangle (a >= b) by one algorithm, in the arrangement of the formulas
// the engineers check against.
double equivalentDiameter(SectionType type, double first, double second, DeqAlgorithm algorithm);

// The geometry of checked dimensions (both > 0, a >= b for the rectangle; c is ignored for the circle).
SectionGeometry sectionGeometry(SectionType type, double first, double second, DeqAlgorithm algorithm,
                                AreaMode areaMode);

// The dimension texts as the geometry step reads them: failing the first check in order, or the two values
// with, for a rectangle entered short side first, the texts to write back.
enum class DimensionInput { First, Second }; // the diameter (or long side) field, the second field
struct DimensionFailure {
    DimensionInput input;
    std::string_view message;
};
struct SectionDimensions {
    double first, second;
    bool exchanged; // a rectangle whose sides were exchanged (equal sides too): write the texts back
    std::string firstText, secondText;
};
std::variant<SectionDimensions, DimensionFailure>
readSectionDimensions(SectionType type, std::string_view firstText, std::string_view secondText);

} // namespace qianyan

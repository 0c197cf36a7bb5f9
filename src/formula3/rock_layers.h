#pragma once
// The rock layers of a Formula 3 socket, up to nine, and the per-layer side and end coefficients. The
// layer table is both the form the engineer fills in (columns 1-4) and the working storage of the
// computation: each step writes its values into the read-only columns as the texts the expanded table
// shows, and the next step reads them back from there.
#include "framework/controls.h"
#include "framework/text_table.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

// Columns of the layer table.
namespace layer_column {
inline constexpr std::size_t number = 0;
inline constexpr std::size_t socketLength = 1;          // lr, m, typed
inline constexpr std::size_t rockStrength = 2;          // frk, MPa, typed
inline constexpr std::size_t typedSide = 3;             // ζs typed
inline constexpr std::size_t typedEnd = 4;              // ζp typed
inline constexpr std::size_t interpolationDepth = 5;    // h, m
inline constexpr std::size_t interpolationRatio = 6;    // w = h·1000/deq
inline constexpr std::size_t interpolationStrength = 7; // f, MPa
inline constexpr std::size_t interpolatedSide = 8;      // ζs of the table times the process factor
inline constexpr std::size_t interpolatedEnd = 9;
inline constexpr std::size_t sideUsed = 10; // ζs used for the resistance
inline constexpr std::size_t endUsed = 11;
inline constexpr std::size_t sideLength = 12;      // lr used for the side resistance, m
inline constexpr std::size_t sideStrength = 13;    // frk used for the side resistance, MPa
inline constexpr std::size_t totalResistance = 14; // Qrk, last layer only
inline constexpr std::size_t endResistance = 15;   // Qrp, last layer only
inline constexpr std::size_t sideRunningSum = 16;
inline constexpr std::size_t sideResistance = 17;
inline constexpr std::size_t shareText = 18;
inline constexpr std::size_t shareBar = 19;
inline constexpr std::size_t rockClass = 20;
inline constexpr std::size_t count = 21;
} // namespace layer_column

// The 21 columns of the layer table, names and headers as shown.
std::vector<GridColumn> layerTableColumns();
inline constexpr int maxRockLayers = 9;

// The items of the option lists.
enum class CoefficientSource { Typed = 0, Interpolated = 1, Larger = 2, Smaller = 3 };
enum class StrengthRule {
    LastLayer = 0,
    FirstLayer = 1,
    OwnLayer = 2,
    Minimum = 3,
    Maximum = 4,
    Mean = 5,
    WeightedMean = 6
};
enum class DepthRule { TotalLength = 0, OwnLength = 1, BearingLength = 2 };
enum class LengthStart { Bottom = 0, Top = 1 };

struct RockLayerOptions {
    CoefficientSource source = CoefficientSource::Interpolated;
    StrengthRule interpolationStrength = StrengthRule::LastLayer;
    StrengthRule resistanceStrength = StrengthRule::OwnLayer;
    DepthRule depth = DepthRule::TotalLength;
    LengthStart start = LengthStart::Bottom;
    bool beyondCodeDepth = false; // the side resistance takes the full socket length past the bound
    double endReduction = 1;      // η applied to ζp past the bound, when the socket goes beyond the code
    int processIndex = 1;
};

// What the layer steps leave beside the table.
struct RockLayerQuantities {
    int layerCount;
    double totalLength;     // Σlr, m
    double bearingLength;   // hb: the bottom run of layers as strong as the last one, m
    double bearingRatio;    // hb·1000/deq
    double bearingStrength; // frk of the last layer
    bool mixed;             // not every one of two or more layers as strong as the last; a single layer too
    int limitMark;          // of the last layer's turn: 0 within the table bounds and code
    double processFactor, psiC;
};

// A failed check: the message for the status line.
struct LayerFailure {
    std::string message;
};

// The preparation (columns 5, 6, 7, 12, 13, 20) and the coefficient pass (columns 8-12) over every row of
// the table (at least one row), with deq in mm. Every limited length (column 12) is final when this returns.
// On a failure the columns written so far keep their texts. A typed cell that is not a number throws
// ConversionError.
struct RockLayerOutcome {
    std::optional<LayerFailure> failure;
    RockLayerQuantities quantities{};
};
RockLayerOutcome runRockLayers(TextTable& layers, const RockLayerOptions& options, double deq);

// Reads a cell the steps wrote or a typed one: blanks around a number allowed, an empty cell is 0, anything
// else throws ConversionError.
double cellNumber(const TextTable& layers, std::size_t row, std::size_t column);

// The report of a value beyond the range of numbers.
inline constexpr std::string_view outOfRangeMessage = "计算结果超出数值范围，请检查输入数据";

} // namespace qianyan

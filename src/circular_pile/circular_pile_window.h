#pragma once
// What the circular-pile calculators share on top of the frame: the five design inputs (diameter,
// socket depth, rock strength, grade, process), their checks and their change-handler marks.
#include "circular_pile/circular_pile_sheets.h"
#include "circular_pile/circular_pile_workbench.h"
#include "circular_pile/socket_depth.h"
#include "framework/calculator_frame.h"

#include <initializer_list>

namespace qianyan {

inline constexpr std::string_view depthRatioClampWarning = "深径比超界，结果取边界值";
inline constexpr std::string_view diameterError = "桩身直径数据有错";
inline constexpr std::string_view resultOutOfRangeError = "计算结果超出数值范围，请检查输入数据";

class CircularPileWindow : public CalculatorFrame, public WorkbenchCalculator, public TargetCalculator {
public:
    CircularPileWindow(Platform& platform, std::string_view windowName, const Titles& titles);

    Control cbe_dd, cbe_hr, edt_frk, cbe_hnt, cbb_czgy;

    // The workbench adapter's shared half: both calculators sweep the same five inputs.
    WorkbenchCalculator* workbenchAdapter() override { return this; }
    PileDrawing pileDrawing() const override;
    std::vector<LoopCounts> readOptionRows() override { return {readCircularPileOptions()}; }
    void writeCandidate(std::size_t /*kind*/, const CandidateStep& step) override {
        writeCircularPileCandidate(step);
    }
    // The target's half all three share: the socket depth is searched and written in millimetres, the
    // diameters are the list's; each calculator computes the capacity (targetCapacity).
    TargetCalculator* targetAdapter() override { return this; }
    std::optional<Axis> targetAxis() override;
    std::string targetLengthText(long long length) const override { return std::to_string(length); }
    void putTargetLength(long long length) override { cbe_hr.text = targetLengthText(length); }
    void adoptTargetLength(long long length) override { writeInput(cbe_hr, targetLengthText(length)); }
    std::vector<std::string> targetDiameters(std::string& /*whyNone*/) const override { return cbe_dd.items; }
    void putTargetDiameter(const std::string& text) override { cbe_dd.text = text; }

    // Texts of the candidate just evaluated, for the table cells.
    std::string_view candidateDepthRatio() const { return circularSweep_.depthRatio; }
    std::string_view candidateProcessName() const;
    std::string_view candidatePsiC() const;

protected:
    struct CheckedInputs {
        double d, hr, frk;
        DepthNotation notation;
    };
    // Reads and checks diameter, socket depth and rock strength in that order under the error
    // convention, showing the rock class on the way.
    CheckedInputs checkInputs();
    // The inputs of a checked design as the sheets print them, under the next pile label.
    CircularPileSheetInputs sheetInputs(const CheckedInputs& in) const;
    // The error convention on input when any value is not finite (a result beyond the range of numbers).
    void requireFinite(Control& input, std::initializer_list<double> values);

    // The marks of the diameter and rock-strength change handlers; they stop nothing.
    void markDiameterText();
    void markRockStrengthText();
    // A read-only result field.
    static Control resultOutput();

    // The five inputs on the main page.
    void declare(WindowDeclaration& d) override;

    // --- The workbench part both circular-pile calculators share ---
    // Reads option rows 0-4 (the rules of diameter, depth, strength, grade and process): the value
    // counts in loop order.
    LoopCounts readCircularPileOptions();
    // Writes the candidate's diameter, depth, strength, grade and process, in this order.
    void writeCircularPileCandidate(const CandidateStep& step);
    // Loads the five inputs back from their columns (circular_pile_columns.h) of a table row.
    void loadCircularPileInputs(const TextTable& table, std::size_t row);

private:
    CircularPileSweep circularSweep_;
};

} // namespace qianyan

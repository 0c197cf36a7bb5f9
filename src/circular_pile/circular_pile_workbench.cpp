// The option rows of the circular-pile workbenches, with their conversions and rules, and how a
// candidate is written into the five inputs and loaded back from a table row.
#include "circular_pile/circular_pile_columns.h"
#include "circular_pile/circular_pile_window.h"
#include "design_data/design_data.h"
#include "framework/number_text.h"

#include <algorithm>

namespace qianyan {

namespace {

constexpr int firstProcessCode = 1, lastProcessCode = 3;

} // namespace

LoopCounts CircularPileWindow::readCircularPileOptions() {
    const TextTable& grid = workbench.Grid1_Youhuaxuanxiang.rows;
    CircularPileSweep& sweep = circularSweep_;
    sweep.ranges[sweptDiameter] = numberRange(workbench, sweptDiameter, "桩径不能为负值", readStrict);
    const bool dNotation = optionCells(grid, sweptDepth).minimum.find('d') != std::string_view::npos;
    sweep.depthNotation = dNotation ? DepthNotation::MultipleOfD : DepthNotation::Millimetres;
    sweep.ranges[sweptDepth] =
        numberRange(workbench, sweptDepth, "嵌岩深度不能为负值", dNotation ? depthFactor : readStrict);
    sweep.ranges[sweptStrength] =
        numberRange(workbench, sweptStrength, "岩石单轴抗压强度不能为负值", readStrict);
    sweep.ranges[sweptGrade] = gradeRange(grid, sweptGrade);
    sweep.ranges[sweptProcess] = codeRange(grid, sweptProcess, firstProcessCode, lastProcessCode);

    LoopCounts counts;
    for (const SweepRange& r : sweep.ranges) counts.push_back(r.count);
    return counts;
}

void CircularPileWindow::writeCircularPileCandidate(const CandidateStep& step) {
    CircularPileSweep& sweep = circularSweep_;
    const std::size_t firstChanged = step.firstChanged;
    for (std::size_t i = firstChanged; i < sweep.values.size(); ++i)
        sweep.values[i] = step.value(sweep.ranges[i], i, sweep.values[i]);
    const double d = sweep.values[sweptDiameter], depth = sweep.values[sweptDepth];
    const bool dNotation = sweep.depthNotation == DepthNotation::MultipleOfD;

    // Inputs before firstChanged already hold their texts; writing them again would change nothing.
    if (firstChanged <= sweptDiameter) writeInput(cbe_dd, general(d));
    if (firstChanged <= sweptDepth)
        writeInput(cbe_hr, dNotation ? fixed(depth, 10, 1) + "d" : general(depth));
    if (firstChanged <= sweptDepth) sweep.depthRatio = fixed(dNotation ? depth : depth / d, 10, 2);
    if (firstChanged <= sweptStrength) writeInput(edt_frk, fixed(sweep.values[sweptStrength], 10, 2));
    if (firstChanged <= sweptGrade)
        selectInputItem(cbe_hnt, gradeIndexOfNumber(static_cast<int>(sweep.values[sweptGrade])));
    selectInputItem(cbb_czgy, static_cast<int>(sweep.values[sweptProcess]) - firstProcessCode);
}

std::string_view CircularPileWindow::candidateProcessName() const {
    return constructionProcesses[static_cast<std::size_t>(cbb_czgy.itemIndex)].shortName;
}

std::string_view CircularPileWindow::candidatePsiC() const {
    return psiCText(cbb_czgy.itemIndex);
}

void CircularPileWindow::loadCircularPileInputs(const TextTable& table, std::size_t row) {
    const std::span<const WorkbenchColumn> columns = workbench.declaration().columns;
    const auto cell = [&](std::string_view name) { return table.cell(row, columnIndex(columns, name)); };
    writeInput(cbe_dd, cell(circular_pile_columns::diameter.name));
    writeInput(cbe_hr, cell(circular_pile_columns::depth.name));
    writeInput(edt_frk, cell(circular_pile_columns::strength.name));
    selectInputItem(cbe_hnt, gradeIndexOfNumber(static_cast<int>(
                                 gradeNumberOfText(cell(circular_pile_columns::grade.name)))));
    const int process = processIndexOfShortName(cell(circular_pile_columns::process.name));
    if (process >= 0) selectInputItem(cbb_czgy, process);
}

} // namespace qianyan

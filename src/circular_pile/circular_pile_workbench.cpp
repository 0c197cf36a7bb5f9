// The option rows of the circular-pile workbenches, with their conversions and rules, and how a
// candidate is written into the five inputs and loaded back from a table row.
#include "circular_pile/circular_pile_window.h"
#include "design_data/design_data.h"
#include "framework/number_text.h"
#include "framework/utf8.h"

#include <algorithm>

namespace qianyan {

namespace {

constexpr int minGrade = 25, maxGrade = 60, gradeStep = 5;
constexpr int firstProcessCode = 1, lastProcessCode = 3;

struct OptionCells {
    std::string_view minimum, maximum, step;
};

OptionCells optionCells(const TextTable& grid, std::size_t row) {
    return {grid.cell(row, 1), grid.cell(row, 2), grid.cell(row, 3)};
}

} // namespace

double depthFactor(std::string_view cell) {
    const std::size_t d = cell.find('d');
    if (d == std::string_view::npos) throw ConversionError(conversionMessage(cell));
    return readStrict(cell.substr(0, d));
}

long long gradeNumberOfText(std::string_view text) {
    std::size_t start = text.empty() ? 0 : decodeUtf8(text, 0).length;
    std::size_t end = start;
    for (int n = 0; n < 2 && end < text.size(); ++n) end += decodeUtf8(text, end).length;
    return readInteger(text.substr(start, end - start));
}

LoopCounts CircularPileWindow::readCircularPileOptions() {
    const TextTable& grid = workbench.Grid1_Youhuaxuanxiang.rows;
    CircularPileSweep& sweep = circularSweep_;
    const auto decimalRow = [&](std::size_t row, std::string_view message, auto read) {
        const OptionCells c = optionCells(grid, row);
        const double a = read(c.minimum), b = read(c.maximum), s = read(c.step);
        if (a < 0 || b < 0) workbench.refuse(message);
        return rangeRule(a, b, s);
    };
    const auto strict = [](std::string_view cell) { return readStrict(cell); };

    sweep.ranges[sweptDiameter] = decimalRow(sweptDiameter, "桩径不能为负值", strict);
    const bool dNotation = optionCells(grid, sweptDepth).minimum.find('d') != std::string_view::npos;
    sweep.depthNotation = dNotation ? DepthNotation::MultipleOfD : DepthNotation::Millimetres;
    sweep.ranges[sweptDepth] = dNotation ? decimalRow(sweptDepth, "嵌岩深度不能为负值", depthFactor)
                                         : decimalRow(sweptDepth, "嵌岩深度不能为负值", strict);
    sweep.ranges[sweptStrength] = decimalRow(sweptStrength, "岩石单轴抗压强度不能为负值", strict);

    const OptionCells grade = optionCells(grid, sweptGrade);
    long long g1 = gradeNumberOfText(grade.minimum) / gradeStep * gradeStep;
    long long g2 = gradeNumberOfText(grade.maximum) / gradeStep * gradeStep;
    long long step = readInteger(grade.step);
    step = step < gradeStep ? gradeStep : step / gradeStep * gradeStep;
    // The minimum is limited from above too, so that no grade beyond the list is ever evaluated.
    g1 = std::clamp<long long>(g1, minGrade, maxGrade);
    g2 = std::min<long long>(g2, maxGrade);
    sweep.ranges[sweptGrade] = integerRangeRule(g1, g2, step);

    const OptionCells process = optionCells(grid, sweptProcess);
    const long long p1 =
        std::clamp<long long>(readInteger(process.minimum), firstProcessCode, lastProcessCode);
    const long long p2 =
        std::clamp<long long>(readInteger(process.maximum), firstProcessCode, lastProcessCode);
    sweep.ranges[sweptProcess] = integerRangeRule(p1, p2, readInteger(process.step));

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
    static const std::array<std::string, 3> texts{fixed(constructionProcesses[0].psiC, 10, 2),
                                                  fixed(constructionProcesses[1].psiC, 10, 2),
                                                  fixed(constructionProcesses[2].psiC, 10, 2)};
    return texts[static_cast<std::size_t>(cbb_czgy.itemIndex)];
}

void CircularPileWindow::loadCircularPileInputs(const TextTable& table, std::size_t row,
                                                const LoadColumns& columns) {
    writeInput(cbe_dd, table.cell(row, columns.d));
    writeInput(cbe_hr, table.cell(row, columns.hr));
    writeInput(edt_frk, table.cell(row, columns.frk));
    selectInputItem(cbe_hnt,
                    gradeIndexOfNumber(static_cast<int>(gradeNumberOfText(table.cell(row, columns.grade)))));
    const int process = processIndexOfShortName(table.cell(row, columns.process));
    if (process >= 0) selectInputItem(cbb_czgy, process);
}

} // namespace qianyan

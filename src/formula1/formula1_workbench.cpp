// Formula 1's workbench: its twelve table columns, the load-back mapping and the 120-column table file.
#include "formula1/formula1_window.h"

namespace qianyan {

namespace {

using Shown = WorkbenchColumn::Shown;

constexpr std::array<WorkbenchColumn, 12> columns{{
    {"01_Str_YHzhuangbianhao", "桩编号", Shown::Always},
    {"02_Str_YHzhuangD", "d(mm)", Shown::Always},
    {"03_Str_YHRa", "Ra(kN)", Shown::Always},
    {"04_Str_YHRc", "Rc(kN)", Shown::Always},
    {"05_Str_YHzhuangHr", "hr(mm)", Shown::Expanded},
    {"06_Str_YHfrk", "frk(MPa)", Shown::Expanded},
    {"07_Str_YHhnt", "混凝土", Shown::Expanded},
    {"08_Str_YHczgy", "成桩工艺", Shown::Expanded},
    {"09_Str_YHsjb", "hr/d", Shown::Expanded},
    {"10_Str_YHkesair", "ζr", Shown::Expanded},
    {"11_Str_YHPsai", "ψc", Shown::Expanded},
    {"12_Str_YHBeizhu", "备注", Shown::Expanded},
}};
enum Column : std::size_t {
    label,
    diameter,
    ra,
    rc,
    depth,
    strength,
    grade,
    process,
    depthRatio,
    zetaR,
    psiC
};

constexpr std::array<TableFileCell, 11> fileCells{{
    {-1, 8, true, 2, "圆  桩"},
    {diameter, 6, false, 4},
    {depth, 6, false, 4},
    {strength, 6, false, 4},
    {process, 8, true, 2},
    {depthRatio, 6, false, 4},
    {zetaR, 7, false, 3},
    {ra, 7, false, 3},
    {grade, 6, false, 4},
    {psiC, 6, false, 4},
    {rc, 7, false, 2},
}};

} // namespace

const WorkbenchDeclaration& TVOR_FRM_KELD1::workbenchDeclaration() {
    static const WorkbenchDeclaration layout{
        circularPileOptionGrid,
        columns,
        circularPileSortColumns,
        circularPileFilters,
        circularPileBounds,
        {},
        120,
        " 基    桩  桩身截面  桩身直径  嵌岩深度  岩石强度  成    桩  深 径 比  综合系数  桩承载力  桩混凝土 "
        " "
        "工艺系数  桩身强度 ",
        " 编    号  类    型    d(mm)    hr(mm)   frk(MPa)  工    艺    hr/d      ζr      Ra(kN)   强度等级  "
        "  ψc      Rc(kN)  ",
        fileCells,
        standardTableFileNote,
        {diameter, ra, {process, strength}},
    };
    return layout;
}

std::unique_ptr<CalculatorFrame> TVOR_FRM_KELD1::clone() const {
    return std::make_unique<TVOR_FRM_KELD1>(*this);
}

void TVOR_FRM_KELD1::appendCandidateRow(TextTable& table, std::string_view candidate) {
    const std::array<std::string_view, 12> cells{candidate,
                                                 cbe_dd.text,
                                                 edt_ra.text,
                                                 edt_rc.text,
                                                 cbe_hr.text,
                                                 edt_frk.text,
                                                 cbe_hnt.text,
                                                 candidateProcessName(),
                                                 candidateDepthRatio(),
                                                 edt_kesair.text,
                                                 candidatePsiC(),
                                                 {}};
    table.appendRow(cells);
}

void TVOR_FRM_KELD1::loadCandidate(const TextTable& table, std::size_t row) {
    loadCircularPileInputs(table, row, {diameter, depth, strength, grade, process});
}

} // namespace qianyan

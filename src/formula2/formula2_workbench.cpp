// Formula 2's workbench: its nineteen table columns (the last, never shown, carries the side-coefficient
// method), the load-back mapping and the 180-column table file.
#include "formula2/formula2_sheets.h"
#include "formula2/formula2_window.h"
#include "framework/number_text.h"

#include <cmath>

namespace qianyan {

namespace {

using Shown = WorkbenchColumn::Shown;

constexpr std::array<WorkbenchColumn, 19> columns{{
    {"01_Str_YHzhuangbianhao", "桩编号", Shown::Always},
    {"02_Str_YHzhuangD", "d(mm)", Shown::Always},
    {"03_Str_YHRa", "Ra(kN)", Shown::Always},
    {"04_Str_YHRc", "Rc(kN)", Shown::Always},
    {"05_Str_YHzhuangHr", "hr(mm)", Shown::Expanded},
    {"06_Str_YHfrk", "frk(MPa)", Shown::Expanded},
    {"07_Str_YHczgy", "成桩工艺", Shown::Expanded},
    {"08_Str_YHsjb", "hr/d", Shown::Expanded},
    {"09_Str_YHkesais", "ζs", Shown::Expanded},
    {"10_Str_YHQrs", "Qrs(kN)", Shown::Expanded},
    {"11_Str_YHQrsper", "侧阻占比", Shown::Expanded},
    {"12_Str_YHkesaip", "ζp", Shown::Expanded},
    {"13_Str_YHQrp", "Qrp(kN)", Shown::Expanded},
    {"14_Str_YHQrpper", "端阻占比", Shown::Expanded},
    {"15_Str_YHQrk", "Qrk(kN)", Shown::Expanded},
    {"16_Str_YHhnt", "混凝土", Shown::Expanded},
    {"17_Str_YHPsai", "ψc", Shown::Expanded},
    {"18_Str_YHBeizhu", "备注", Shown::Expanded, {}, 120},
    {"19_Int_YHczxsxx", "侧阻系数取值", Shown::Never},
}};
enum Column : std::size_t {
    label,
    diameter,
    ra,
    rc,
    depth,
    strength,
    process,
    depthRatio,
    zetaS,
    qrs,
    sideShare,
    zetaP,
    qrp,
    endShare,
    qrk,
    grade,
    psiC,
    remark,
    method
};

constexpr std::array<TableFileCell, 17> fileCells{{
    {-1, 8, true, 2, "圆  桩"},
    {diameter, 6, false, 4},
    {depth, 6, false, 4},
    {strength, 6, false, 4},
    {process, 8, true, 2},
    {depthRatio, 6, false, 4},
    {zetaS, 7, false, 3},
    {qrs, 7, false, 3},
    {sideShare, 6, false, 4},
    {zetaP, 7, false, 3},
    {qrp, 7, false, 3},
    {endShare, 6, false, 4},
    {qrk, 7, false, 3},
    {ra, 7, false, 3},
    {grade, 6, false, 4},
    {psiC, 6, false, 4},
    {rc, 7, false, 2},
}};

// A share of Qrk from the shown texts, without decimals. When the mode has cut Qrk to 0 there is no
// share to give, and the cell stays empty rather than showing a number that is not one.
std::string shareOfShown(const std::string& part, const std::string& whole) {
    const double share = readStrict(part) / readStrict(whole) * 100;
    return std::isfinite(share) ? fixed(share, 10, 0) + "%" : std::string();
}

} // namespace

const WorkbenchDeclaration& TVOR_FRM_KELD2::workbenchDeclaration() {
    static const WorkbenchDeclaration layout{
        circularPileOptionGrid, columns,   circularPileSortColumns, circularPileFilters,
        circularPileBounds,     {},        formula2XlsWidth,        formula2XlsColumns1,
        formula2XlsColumns2,    fileCells, standardTableFileNote,   {diameter, ra, {process, strength}},
    };
    return layout;
}

std::unique_ptr<CalculatorFrame> TVOR_FRM_KELD2::clone() const {
    return std::make_unique<TVOR_FRM_KELD2>(*this);
}

void TVOR_FRM_KELD2::appendCandidateRow(TextTable& table, std::string_view candidate) {
    const std::string sideShareText = shareOfShown(edt_Qrs.text, edt_Qrk.text);
    const std::string endShareText = shareOfShown(edt_Qrp.text, edt_Qrk.text);
    const std::string methodText = std::to_string(cbb_chezhuxishu.itemIndex);
    const std::array<std::string_view, 19> cells{candidate,
                                                 cbe_dd.text,
                                                 edt_ra.text,
                                                 edt_rc.text,
                                                 cbe_hr.text,
                                                 edt_frk.text,
                                                 candidateProcessName(),
                                                 candidateDepthRatio(),
                                                 edt_kesais.text,
                                                 edt_Qrs.text,
                                                 sideShareText,
                                                 edt_kesaip.text,
                                                 edt_Qrp.text,
                                                 endShareText,
                                                 edt_Qrk.text,
                                                 cbe_hnt.text,
                                                 candidatePsiC(),
                                                 {},
                                                 methodText};
    table.appendRow(cells);
}

void TVOR_FRM_KELD2::loadCandidate(const TextTable& table, std::size_t row) {
    loadCircularPileInputs(table, row, {diameter, depth, strength, grade, process});
    selectInputItem(cbb_chezhuxishu, static_cast<int>(readInteger(table.cell(row, method))));
}

} // namespace qianyan

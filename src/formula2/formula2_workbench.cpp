// Formula 2's workbench: the circular-pile columns it shares in its own order with its side and end
// resistances between them (the last column, never shown, carries the side-coefficient method), the
// load-back and the 180-column table file.
#include "circular_pile/circular_pile_columns.h"
#include "formula2/formula2_sheets.h"
#include "formula2/formula2_window.h"
#include "framework/number_text.h"

#include <cmath>

namespace qianyan {

namespace {

namespace cp = circular_pile_columns;
using Shown = WorkbenchColumn::Shown;
using W = TVOR_FRM_KELD2;

// A share of Qrk from the shown texts, without decimals. When the mode has cut Qrk to 0 there is no
// share to give, and the cell stays empty rather than showing a number that is not one.
std::string shareOfShown(const std::string& part, const std::string& whole) {
    const double share = readStrict(part) / readStrict(whole) * 100;
    return std::isfinite(share) ? fixed(share, 10, 0) + "%" : std::string();
}

// The table-file cells of these columns stand between hr/d and Ra of the circular-pile columns.
constexpr TableFileCell fileCell(int place, int width, std::string_view header1, std::string_view header2) {
    return {.place = place, .width = width, .blanksAfter = 10 - width, .header = {header1, header2}};
}

constexpr WorkbenchColumn method{
    .name = "Int_YHczxsxx",
    .header = "侧阻系数取值",
    .shown = Shown::Never,
    .source = [](const CalculatorFrame& w, std::string& scratch) -> std::string_view {
        return scratch = std::to_string(static_cast<const W&>(w).cbb_chezhuxishu.itemIndex);
    },
};

constexpr std::array<WorkbenchColumn, 19> columns{{
    candidateLabelColumn,
    cp::diameter,
    cp::ra<W>,
    cp::rc<W>,
    cp::depth,
    cp::strength,
    cp::process,
    cp::depthRatio,
    {.name = "Str_YHkesais",
     .header = "ζs",
     .file = fileCell(61, 7, "侧阻系数  ", "  ζs     "),
     .source = controlText<&W::edt_kesais>},
    {.name = "Str_YHQrs",
     .header = "Qrs(kN)",
     .file = fileCell(62, 7, "极限侧阻  ", " Qrs(kN)  "),
     .source = controlText<&W::edt_Qrs>},
    {.name = "Str_YHQrsper",
     .header = "侧阻占比",
     .file = fileCell(63, 6, "极限侧阻  ", "占百分比  "),
     .source = [](const CalculatorFrame& w, std::string& scratch) -> std::string_view {
         const W& window = static_cast<const W&>(w);
         return scratch = shareOfShown(window.edt_Qrs.text, window.edt_Qrk.text);
     }},
    {.name = "Str_YHkesaip",
     .header = "ζp",
     .file = fileCell(64, 7, "端阻系数  ", " ζp      "),
     .source = controlText<&W::edt_kesaip>},
    {.name = "Str_YHQrp",
     .header = "Qrp(kN)",
     .file = fileCell(65, 7, "极限端阻  ", "Qrp(kN)   "),
     .source = controlText<&W::edt_Qrp>},
    {.name = "Str_YHQrpper",
     .header = "端阻占比",
     .file = fileCell(66, 6, "极限端阻  ", "占百分比  "),
     .source = [](const CalculatorFrame& w, std::string& scratch) -> std::string_view {
         const W& window = static_cast<const W&>(w);
         return scratch = shareOfShown(window.edt_Qrp.text, window.edt_Qrk.text);
     }},
    {.name = "Str_YHQrk",
     .header = "Qrk(kN)",
     .file = fileCell(67, 7, "嵌岩阻力  ", " Qrk(kN)  "),
     .source = controlText<&W::edt_Qrk>},
    cp::grade,
    cp::psiC,
    {.name = "Str_YHBeizhu", .header = "备注", .width = 120},
    method,
}};

} // namespace

const std::array<std::string, 2>& formula2XlsColumns() {
    static const std::array<std::string, 2> lines = tableFileHeader(columns, cp::sectionFileCell);
    return lines;
}

const WorkbenchDeclaration& TVOR_FRM_KELD2::workbenchDeclaration() {
    static const WorkbenchDeclaration layout{
        .options = circularPileOptionGrid,
        .columns = columns,
        .filters = circularPileFilters,
        .bounds = circularPileBounds,
        .fileWidth = formula2XlsWidth,
        .fileOnlyCells = cp::sectionFileCell,
        .chart = cp::chartColumns(columns, cp::ra<W>),
    };
    return layout;
}

std::unique_ptr<CalculatorFrame> TVOR_FRM_KELD2::clone() const {
    return std::make_unique<TVOR_FRM_KELD2>(*this);
}

void TVOR_FRM_KELD2::loadCandidate(const TextTable& table, std::size_t row) {
    loadCircularPileInputs(table, row);
    selectInputItem(cbb_chezhuxishu,
                    static_cast<int>(readInteger(table.cell(row, columnIndex(columns, method.name)))));
}

} // namespace qianyan

// Formula 1's workbench: the circular-pile columns and a remark, the load-back and the 120-column table
// file.
#include "circular_pile/circular_pile_columns.h"
#include "formula1/formula1_window.h"

namespace qianyan {

namespace {

namespace cp = circular_pile_columns;
using W = TVOR_FRM_KELD1;

constexpr auto columns = joinedColumns(
    cp::circularPileColumns<W>, std::array<WorkbenchColumn, 1>{{{.name = "Str_YHBeizhu", .header = "备注"}}});

} // namespace

const WorkbenchDeclaration& TVOR_FRM_KELD1::workbenchDeclaration() {
    static const WorkbenchDeclaration layout{
        .options = circularPileOptionGrid,
        .columns = columns,
        .filters = circularPileFilters,
        .bounds = circularPileBounds,
        .fileWidth = 120,
        .fileOnlyCells = cp::sectionFileCell,
        .chart = cp::chartColumns(columns, cp::ra<W>),
    };
    return layout;
}

std::unique_ptr<CalculatorFrame> TVOR_FRM_KELD1::clone() const {
    return std::make_unique<TVOR_FRM_KELD1>(*this);
}

void TVOR_FRM_KELD1::loadCandidate(const TextTable& table, std::size_t row) {
    loadCircularPileInputs(table, row);
}

} // namespace qianyan

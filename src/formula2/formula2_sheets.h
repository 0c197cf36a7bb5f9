#pragma once
// Formula 2's contributions to the calculation sheets: the 180-column Xls row and the Doc block of one
// design; its Xls column headers are those of the workbench's table files.
#include "circular_pile/circular_pile_sheets.h"
#include "formula2/formula2_evaluation.h"

#include <array>
#include <string>
#include <string_view>

namespace qianyan {

inline constexpr int formula2XlsWidth = 180;
// The Xls column headers: those of the workbench's table file, made from its columns
// (formula2_workbench.cpp).
const std::array<std::string, 2>& formula2XlsColumns();

// methodText is the item text of the side-coefficient method.
SheetDesign formula2SheetDesign(const CircularPileSheetInputs& in, std::string_view methodText,
                                const Formula2Result& r);

} // namespace qianyan

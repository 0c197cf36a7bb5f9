#pragma once
// Formula 1's contributions to the calculation sheets: the Xls row and the Doc block of one design.
#include "circular_pile/circular_pile_sheets.h"
#include "formula1/formula1_evaluation.h"

namespace qianyan {

SheetDesign formula1SheetDesign(const CircularPileSheetInputs& in, const Formula1Result& r);

} // namespace qianyan

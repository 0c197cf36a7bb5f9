#pragma once
// Formula 2's contributions to the calculation sheets: the 180-column Xls row and the Doc block of one
// design, and the Xls column headers its workbench table files repeat.
#include "circular_pile/circular_pile_sheets.h"
#include "formula2/formula2_evaluation.h"

#include <string_view>

namespace qianyan {

inline constexpr int formula2XlsWidth = 180;
inline constexpr std::string_view formula2XlsColumns1 =
    " 基    桩  桩身截面  桩身直径  嵌岩深度  岩石强度  成    桩  深 径 比  侧阻系数  极限侧阻  极限侧阻  "
    "端阻系数  极限端阻  极限端阻  嵌岩阻力  桩承载力  桩混凝土  工艺系数  桩身强度 ";
inline constexpr std::string_view formula2XlsColumns2 =
    " 编    号  类    型    d(mm)    hr(mm)   frk(MPa)  工    艺    hr/d      ζs      Qrs(kN)  占百分比   "
    "ζp      Qrp(kN)   占百分比   Qrk(kN)   Ra(kN)   强度等级    ψc      Rc(kN)  ";

// methodText is the item text of the side-coefficient method.
SheetDesign formula2SheetDesign(const CircularPileSheetInputs& in, std::string_view methodText,
                                const Formula2Result& r);

} // namespace qianyan

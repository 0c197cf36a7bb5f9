#pragma once
// Formula 3's contributions to the calculation sheets: the 240-column Xls row and the Doc block of one
// design, with the section, the options and five tables of the rock layers.
#include "formula3/formula3_evaluation.h"
#include "framework/calculation_sheet.h"
#include "framework/calculator_frame.h"

#include <array>
#include <string>
#include <string_view>

namespace qianyan {

// The equivalent-diameter algorithms A-H as the tables name them, 8 columns wide.
inline constexpr std::array<std::string_view, 8> algorithmShortNames{
    "面积相等", "周长相等", "回转imax", "回转imin", "截面长边", "截面短边", "最大包络", "最小包络"};

inline constexpr int formula3XlsWidth = 240;
// The note under the tables of the sheets and the workbench.
inline constexpr std::string_view formula3Note = " 注: 采用《建筑桩基技术规范》(JGJ 94-2008)条文说明公式计算";
// As the column headers have always been printed: the second line is one column short of the rule.
inline constexpr std::string_view formula3XlsColumns1 =
    " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  等效直径  等效直径  截面计算  嵌岩深度  "
    "成    桩  极限侧阻  极限侧阻  极限端阻  极限端阻  嵌岩阻力  桩承载力  综合计算  综合计算  两者比较  "
    "桩混凝土  工艺系数  桩身强度  计算结果 ";
inline constexpr std::string_view formula3XlsColumns2 =
    " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)   算    法   deq(mm)  取值依据    hr(m)   "
    "工    艺   Qrs(kN)  占百分比   Qrp(kN)  占百分比   Qrk(kN)   Ra(kN)   Qrkz(kN)   Raz(kN)   Ra/Raz   "
    "强度等级    ψc      Rc(kN)   合规判定 ";

// The design as the sheets print it: control texts as typed, item texts of the lists, and the table of
// the layers as the computation left it.
struct Formula3SheetInputs {
    std::string pileLabel;
    PrecisionMode mode;
    std::string firstText, secondText;  // the diameter (or long side) and the second dimension
    std::string deqText, raByZetaRText; // the output fields of deq and Qrkz/2
    std::string gradeText, processText;
    int processIndex;
    std::string layerCountText, sourceText, interpolationStrengthText, resistanceStrengthText, depthRuleText,
        lengthStartText;
    RockLayerOptions options;
    bool endReductionTicked;
    std::string endReductionText;
    const TextTable& layers;
};

SheetDesign formula3SheetDesign(const Formula3SheetInputs& in, const Formula3Result& r);

} // namespace qianyan

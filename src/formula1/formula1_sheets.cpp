#include "formula1/formula1_sheets.h"

#include "formula1/design_data.h"
#include "framework/number_text.h"
#include "framework/text_layout.h"

namespace qianyan {

namespace {

const std::string sectionText = "圆  桩";

// A capacity in the sheets: the precision mode with precision 10.
std::string amount(double value, PrecisionMode mode) { return modeAmount(value, mode, 10); }

bool wideAmounts(PrecisionMode mode) {
    return mode == PrecisionMode::TwoDecimals || mode == PrecisionMode::OneDecimal;
}

std::string xlsRow(const Formula1SheetValues& v) {
    const Formula1Result& r = v.result;
    const bool wide = wideAmounts(v.mode);
    const auto cell = [](const std::string& text, int width, int gap) { return padLeft(text, width) + spaces(gap); };
    const auto amountCell = [&](double value, int lastGap) {
        return wide ? cell(amount(value, v.mode), 8, 2 - lastGap) : cell(amount(value, v.mode), 7, 3 - lastGap);
    };
    std::string row = spaces(3);
    row += padRight(v.pileLabel, 6) + spaces(2);
    row += centre(sectionText, 8) + spaces(2);
    row += cell(v.diameterText, 6, 4);
    row += cell(v.depthText, 6, 4);
    row += cell(fixed(v.frk, 6, 2), 6, 4);
    row += std::string(constructionProcesses[static_cast<std::size_t>(v.processIndex)].shortName) + spaces(2);
    row += cell(fixed(r.depthRatio, 6, 2), 6, 4);
    row += cell(fixed(r.zetaR, 5, 4), 7, 3);
    row += amountCell(r.qrk, 0);
    row += amountCell(r.ra, 0);
    row += cell(v.gradeText, 6, 4);
    row += cell(fixed(r.psiC, 3, 2), 6, 4);
    row += amountCell(r.rc, 1);
    return row;
}

std::vector<std::string> docBlock(const Formula1SheetValues& v) {
    const Formula1Result& r = v.result;
    const auto value = [](const char* label, const std::string& text, int width, const char* unit = "") {
        return std::string(label) + padLeft(text, width) + unit;
    };
    const std::string d39 = spaces(6) + repeated('-', 39);
    std::vector<std::string> b{
        "================== 嵌岩桩计算书 ==================",
        "1.基桩编号: " + v.pileLabel,
        "2.输入数据",
        "  2.1 基桩参数",
        "      桩身截面类型:                      圆桩",
        value("      桩身直径d:                   ", v.diameterText, 10, " mm"),
        value("      桩身嵌岩深度hr:              ", v.depthText, 10,
              v.notation == DepthNotation::Millimetres ? " mm" : ""),
        value("      桩身混凝土强度等级:          ", v.gradeText, 10),
        "  2.2 基岩参数",
        value("      岩石单轴抗压强度标准值frk:   ", fixed(v.frk, 6, 2), 10, " MPa"),
        value("  2.3 基桩成桩工艺:", v.processText, 26),
        "3.采用规范及公式",
        "  3.1 采用规范: 《建筑桩基技术规范》",
        "                   (JGJ 94-2008)",
        "  3.2 规范公式:  Ra=Quk/K             (5.2.2)",
        "                 Quk=Qsk+Qrk        (5.3.9-1)",
        "                 Qsk=μ∑qsik.li    (5.3.9-2)",
        "                 Qrk=ζr.frk.Ap     (5.3.9-3)",
        "                 N≤ψc.fc.Aps      (5.8.2-2)",
        "4.承载力计算",
        value("  4.1 桩身直径d:                   ", v.diameterText, 10, " mm"),
        value("      桩身截面面积Ap(Aps):         ", fixed(r.area, 6, 2), 10, " m^2"),
        value("      桩身截面周长μ:              ", fixed(r.perimeter, 6, 2), 10, " m"),
        value("  4.2 岩石坚硬程度:              ", std::string(r.rockClass), 12),
        value("  4.3 嵌岩深径比hr/d:              ", fixed(r.depthRatio, 6, 2), 10),
    };
    if (r.clamped) b.push_back(value("      计算承载力采用的嵌岩深径比:  ", fixed(r.effectiveRatio, 6, 2), 10));
    const std::vector<std::string> rest{
        value("      嵌岩段侧阻和端阻综合系数ζr: ", fixed(r.zetaR, 5, 4), 10),
        value("      嵌岩段总极限阻力标准值Qrk:   ", fixed(r.qrk, 10, 2), 10, " kN"),
        "  4.4 土的总极限侧阻力标准值Qsk(不考虑): 0.00 kN",
        value("  4.5 桩竖向极限承载力标准值Quk:   ", fixed(r.quk, 10, 2), 10, " kN"),
        "      安全系数K:                         2.00",
        value("      单桩竖向承载力特征值Ra:      ", fixed(r.ra, 10, 2), 10, " kN"),
        value("  4.6 基桩成桩工艺:", v.processText, 26),
        value("      基桩成桩工艺系数ψc:         ", fixed(r.psiC, 3, 2), 10),
        value("      桩身混凝土强度设计值fc:      ", fixed(r.fc, 6, 2), 10, " MPa"),
        value("      桩身正截面受压承载力设计值Rc:", fixed(r.rc, 10, 2), 10, " kN"),
        "5.基桩主要数据汇总",
        d39,
        "      基    桩  桩身截面  桩身直径  嵌岩深度 ",
        "      编    号  类    型    d(mm)    hr(mm)  ",
        d39,
        spaces(8) + padRight(v.pileLabel, 6) + spaces(2) + centre(sectionText, 8) + spaces(2) +
            centre(v.diameterText, 8) + spaces(2) + centre(v.depthText, 8) + spaces(1),
        d39,
        "      岩石强度  桩承载力  桩混凝土  桩身强度 ",
        "      frk(MPa)   Ra(kN)   强度等级   Rc(kN)  ",
        d39,
        spaces(6) + centre(fixed(v.frk, 6, 2), 8) + spaces(2) + centre(amount(r.ra, v.mode), 8) + spaces(2) +
            centre(v.gradeText, 8) + spaces(2) + centre(amount(r.rc, v.mode), 8) + spaces(1),
        d39,
        blockRule(),
    };
    b.insert(b.end(), rest.begin(), rest.end());
    return b;
}

} // namespace

SheetDesign formula1SheetDesign(const Formula1SheetValues& v) {
    const std::string r130 = repeated('-', 130);
    return SheetDesign{
        {
            repeated('=', 58) + " 嵌岩桩计算书 " + repeated('=', 58),
            r130,
            " 基    桩  桩身截面  桩身直径  嵌岩深度  岩石强度  成    桩  深 径 比  综合系数  嵌岩阻力  桩承载力  "
            "桩混凝土  工艺系数  桩身强度 ",
            " 编    号  类    型    d(mm)    hr(mm)   frk(MPa)  工    艺    hr/d      ζr      Qrk(kN)   Ra(kN)   "
            "强度等级    ψc      Rc(kN)  ",
            r130,
        },
        xlsRow(v),
        {r130, "注: 采用《建筑桩基技术规范》(JGJ 94-2008)公式计算", repeated('=', 130)},
        docBlock(v),
    };
}

} // namespace qianyan

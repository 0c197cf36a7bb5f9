#include "formula3/formula3_window.h"

#include "design_data/design_data.h"
#include "formula3/formula3_drawing.h"
#include "formula3/formula3_sheets.h"
#include "framework/number_text.h"

#include <cmath>

namespace qianyan {

namespace {

constexpr CalculatorFrame::Titles titles{
    {0x2C7B, 0x5A19, 0x13E6, 0x6F42, 0x0B8D, 0x74A3, 0x39D0, 0x4E5F, 0x1A2C},
    "713706B07B8F0D3D84F02638B27135C8",
    "713706B07B8F205A589BFF1DB271",
    "A7DA218E6D3508DE",
};

constexpr std::string_view endReductionError = "端阻折减系数有错";

std::vector<std::string> strengthRuleItems() {
    return {"最下层(桩端)岩石强度", "最上层(第1层)岩石强度",  "各层岩石自身强度",      "各层岩石强度最小值",
            "各层岩石强度最大值",   "各层岩石强度算术平均值", "各层岩石强度加权平均值"};
}

// first, first + step, ... as texts with the given decimals.
std::vector<std::string> numberItems(double first, double step, int count, int decimals) {
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) items.push_back(fixed(first + step * i, 15, decimals));
    return items;
}

} // namespace

TVOR_FRM_KELD3::TVOR_FRM_KELD3(Platform& platform)
    : CalculatorFrame(platform, "TVOR_FRM_KELD3", titles), lb_jmlx(Control::label("桩身截面类型")),
      cbb_jmlx(Control::list(ControlKind::ComboBox, {"圆桩", "椭圆桩", "矩形桩"}, 0)),
      lb_dd(Control::label("桩  身   直   径    d (mm)")),
      cbe_dd(Control::list(ControlKind::EditableCombo, numberItems(1000, 100, 11, 0), 0)),
      lb_tyzd(Control::label("椭圆直段长度    c (mm)")),
      cbe_tyzd(Control::list(ControlKind::EditableCombo, numberItems(100, 100, 12, 0), -1).disabled()),
      lb_deqcheck(Control::label("等效直径算法")),
      cbb_deqcheck(
          Control::list(ControlKind::ComboBox,
                        {"A-面积相等折算", "B-周长相等折算", "C-最大回转半径折算", "D-最小回转半径折算",
                         "E-取截面长边尺寸", "F-取截面短边尺寸", "G-Max(A,B,C,D)", "H-Min(A,B,C,D)"},
                        0)
              .disabled()),
      lb_jmApU(Control::label("截面面积周长")),
      cbb_JmApU(Control::list(ControlKind::ComboBox, {"按基桩原始截面尺寸计算", "按等效直径虚拟圆桩计算"}, 0)
                    .disabled()),
      lb_hnt(Control::label("桩身混凝土强度等级")),
      cbb_hnt(Control::list(ControlKind::ComboBox, gradeItems(), 1)), lb_czgy(Control::label("基桩成桩工艺")),
      cbb_czgy(Control::list(ControlKind::ComboBox, processItems(), 1)),
      gpb_yscs(Control::make(ControlKind::GroupBox, "基岩参数")),
      StringGrid_KELD3(layerGrid(layerTableColumns(), {"1", "1.00", "25.00", "0.0100", "0.5000"})),
      lb_yanchengshu(Control::label("基桩嵌岩段岩层数")),
      cbb_yanchengshu(Control::list(ControlKind::ComboBox, numberItems(1, 1, maxRockLayers, 0), 0)),
      lb_chezhuxishu(Control::label("桩嵌岩段侧阻端阻系数")),
      cbb_chezhuxishu(Control::list(
          ControlKind::ComboBox,
          {"人工指定系数", "程序自动插值", "自动插值与人工指定取大值", "自动插值与人工指定取小值"}, 1)),
      lb_yanshiqiangdu(Control::label("岩石强度取值")), lb_qiangduquzhi(Control::label("定侧阻端阻系数")),
      cbb_qiangduzhi(Control::list(ControlKind::ComboBox, strengthRuleItems(), 0).disabled()),
      lb_qiangduquzhi_daxjs(Control::label("计算嵌岩段阻力")),
      cbb_qiangduquzhi_daxjs(Control::list(ControlKind::ComboBox, strengthRuleItems(), 2).disabled()),
      lb_qianyanchangdu(Control::label("嵌岩深度取值")), lb_qianyanshengdu(Control::label("定各岩层深径比")),
      cbb_qianyanshengdu(Control::list(ControlKind::ComboBox,
                                       {"各岩层嵌岩长度总和", "各岩层自身嵌岩长度", "最下层(桩端)嵌岩长度"},
                                       0)
                             .disabled()),
      lb_qianyanshengdu_daxjs(Control::label("嵌岩长度起算点")),
      cbb_qianyanshengdu_daxjs(
          Control::list(ControlKind::ComboBox, {"最下层(桩端)岩石", "最上层(第1层)岩石"}, 0).disabled()),
      ckb_chaoguifan(Control::checkBox("侧阻力计算采用的嵌岩深度突破规范限值", argb::red)),
      ckb_duanzhuzhejian(Control::checkBox("突破限值时端阻系数折减", argb::red).disabled()),
      cbe_duanzhuzhejian(Control::list(ControlKind::EditableCombo, numberItems(0, 0.1, 11, 2), 0).disabled()),
      cbt_kuozhanbiaoge(Control::make(ControlKind::Button, "展开")),
      lb_ddeq(Control::label("按特定算法等效直径 deq(mm)")), edt_ddeq(Control::output(argb::red)),
      lb_ra(Control::label("单桩竖向承载力特征值Ra(kN)")), edt_ra(Control::output(argb::red)),
      lb_percent(Control::label("其中总极限端阻力所占百分比")), edt_percent(Control::output(argb::red)),
      lb_RaZW1(Control::label("规范综合系数法确定的承载力(kN)", argb::blue)),
      edt_RaZW(Control::output(argb::blue)), lb_Rc(Control::label("桩 身 承 载 力 设 计 值 Rc(kN)")),
      edt_Rc(Control::output(argb::green)), lb_Quk(Control::label("嵌岩段总极限阻力值  Qrk(kN)")),
      edt_Quk(Control::output(argb::red, false)), edt_kersair(Control::output(argb::red, false)) {
    gpb_srcs.text = "基桩参数";
    gpb_scjg.text = "计算结果";
    cbe_tyzd.text = std::string("0"); // a plain literal trips a false -Wrestrict in GCC 12 at -O2
    lb_tyzd.enabled = false;
    cbe_duanzhuzhejian.color = argb::red;
    lb_Quk.visible = false;
    tcb_meoFontSize.value = meo_jisuanjieguo_Doc.value = meo_jisuanjieguo_Xls.value = 14;

    showLayerColumns();
    workbench.declare(workbenchDeclaration());
}

void TVOR_FRM_KELD3::declare(WindowDeclaration& d) {
    CalculatorFrame::declare(d);
    d.add(&MainFormLayer, {{"lb_jmlx", &lb_jmlx},
                           {"cbb_jmlx", &cbb_jmlx},
                           {"lb_dd", &lb_dd},
                           {"cbe_dd", &cbe_dd},
                           {"lb_tyzd", &lb_tyzd},
                           {"cbe_tyzd", &cbe_tyzd},
                           {"lb_deqcheck", &lb_deqcheck},
                           {"cbb_deqcheck", &cbb_deqcheck},
                           {"lb_jmApU", &lb_jmApU},
                           {"cbb_JmApU", &cbb_JmApU},
                           {"lb_hnt", &lb_hnt},
                           {"cbb_hnt", &cbb_hnt},
                           {"lb_czgy", &lb_czgy},
                           {"cbb_czgy", &cbb_czgy},
                           {"gpb_yscs", &gpb_yscs},
                           {"StringGrid_KELD3", &StringGrid_KELD3},
                           {"lb_yanchengshu", &lb_yanchengshu},
                           {"cbb_yanchengshu", &cbb_yanchengshu},
                           {"lb_chezhuxishu", &lb_chezhuxishu},
                           {"cbb_chezhuxishu", &cbb_chezhuxishu},
                           {"lb_yanshiqiangdu", &lb_yanshiqiangdu},
                           {"lb_qiangduquzhi", &lb_qiangduquzhi},
                           {"cbb_qiangduzhi", &cbb_qiangduzhi},
                           {"lb_qiangduquzhi_daxjs", &lb_qiangduquzhi_daxjs},
                           {"cbb_qiangduquzhi_daxjs", &cbb_qiangduquzhi_daxjs},
                           {"lb_qianyanchangdu", &lb_qianyanchangdu},
                           {"lb_qianyanshengdu", &lb_qianyanshengdu},
                           {"cbb_qianyanshengdu", &cbb_qianyanshengdu},
                           {"lb_qianyanshengdu_daxjs", &lb_qianyanshengdu_daxjs},
                           {"cbb_qianyanshengdu_daxjs", &cbb_qianyanshengdu_daxjs},
                           {"ckb_chaoguifan", &ckb_chaoguifan},
                           {"ckb_duanzhuzhejian", &ckb_duanzhuzhejian},
                           {"cbe_duanzhuzhejian", &cbe_duanzhuzhejian},
                           {"cbt_kuozhanbiaoge", &cbt_kuozhanbiaoge},
                           {"lb_ddeq", &lb_ddeq},
                           {"edt_ddeq", &edt_ddeq},
                           {"lb_ra", &lb_ra},
                           {"edt_ra", &edt_ra},
                           {"lb_percent", &lb_percent},
                           {"edt_percent", &edt_percent},
                           {"lb_RaZW1", &lb_RaZW1},
                           {"edt_RaZW", &edt_RaZW},
                           {"lb_Rc", &lb_Rc},
                           {"edt_Rc", &edt_Rc},
                           {"lb_Quk", &lb_Quk},
                           {"edt_Quk", &edt_Quk},
                           {"edt_kersair", &edt_kersair},
                           // This window's name for the frame's line under the outputs.
                           {"lb_guifan1", &lb_guifan}});
    declareInputs(d);
}

PileDrawing TVOR_FRM_KELD3::pileDrawing() const {
    return formula3Drawing(
        {cbb_jmlx.itemIndex, cbb_deqcheck.itemIndex, cbe_dd.text, cbe_tyzd.text, StringGrid_KELD3.rows,
         cbb_qianyanshengdu_daxjs.itemIndex == 1 ? LengthStart::Top : LengthStart::Bottom});
}

TVOR_FRM_KELD3::Evaluated TVOR_FRM_KELD3::evaluated() {
    const SectionGeometry geometry = checkSection();
    const RockLayerOptions options = checkedLayerOptions();
    const auto outcome = evaluateFormula3(StringGrid_KELD3.rows, {geometry, options, cbb_hnt.itemIndex});
    if (const auto* failure = std::get_if<LayerFailure>(&outcome)) {
        showStatus(failure->message, argb::red);
        throw SilentAbort{};
    }
    return {options, std::get<Formula3Result>(outcome)};
}

void TVOR_FRM_KELD3::cbt_computeClick() {
    popbox_jingdu.visible = false;
    const auto [options, r] = evaluated();
    writeOutputs(r);
    lastCompliant_ = r.compliant;
    if (workbenchOpen()) return;
    appendDesign(sheetDesign(options, r), {r.ra, r.rc});
}

SectionGeometry TVOR_FRM_KELD3::checkSection() {
    const auto type = static_cast<SectionType>(cbb_jmlx.itemIndex);
    const auto read = readSectionDimensions(type, cbe_dd.text, cbe_tyzd.text);
    if (const auto* failure = std::get_if<DimensionFailure>(&read)) {
        if (failure->input == DimensionInput::Second) accept(cbe_dd);
        fail(failure->input == DimensionInput::First ? cbe_dd : cbe_tyzd, failure->message);
    }
    const SectionDimensions& dimensions = std::get<SectionDimensions>(read);
    accept(cbe_dd);
    if (type != SectionType::Circle) accept(cbe_tyzd);
    if (dimensions.exchanged) {
        cbe_dd.text = dimensions.firstText;
        cbe_tyzd.text = dimensions.secondText;
    }
    return sectionGeometry(type, dimensions.first, dimensions.second,
                           static_cast<DeqAlgorithm>(cbb_deqcheck.itemIndex),
                           static_cast<AreaMode>(cbb_JmApU.itemIndex));
}

RockLayerOptions TVOR_FRM_KELD3::checkedLayerOptions() {
    RockLayerOptions o;
    o.source = static_cast<CoefficientSource>(cbb_chezhuxishu.itemIndex);
    o.interpolationStrength = static_cast<StrengthRule>(cbb_qiangduzhi.itemIndex);
    o.resistanceStrength = static_cast<StrengthRule>(cbb_qiangduquzhi_daxjs.itemIndex);
    o.depth = static_cast<DepthRule>(cbb_qianyanshengdu.itemIndex);
    o.start = static_cast<LengthStart>(cbb_qianyanshengdu_daxjs.itemIndex);
    o.beyondCodeDepth = ckb_chaoguifan.checked;
    o.processIndex = cbb_czgy.itemIndex;
    // A reduction outside 0...1 would multiply the end resistance; it is refused, not used.
    if (ckb_chaoguifan.checked && ckb_duanzhuzhejian.checked) {
        double eta = 0;
        if (!tryReadTrimmed(cbe_duanzhuzhejian.text, eta) || eta < 0 || eta > 1)
            fail(cbe_duanzhuzhejian, endReductionError);
        o.endReduction = eta;
    }
    return o;
}

void TVOR_FRM_KELD3::writeOutputs(const Formula3Result& r) {
    const PrecisionMode mode = precisionMode();
    edt_ddeq.text = fixed(r.geometry.deq, 7, 0);
    edt_kersair.text = fixed(r.zetaRCheck, 7, 4);
    edt_Quk.text = modeAmount(r.qrk, mode, 7);
    edt_ra.text = modeAmount(r.ra, mode, 7);
    edt_Rc.text = modeAmount(r.rc, mode, 7);
    // Qrkz/2 cut to tens or hundreds is trunc(Qrkz/20)·10 or trunc(Qrkz/200)·100: halving is exact.
    edt_RaZW.text = modeAmount(r.qrkz / 2, mode, 7);
    // The share is cut to whole per cent in the two coarsest modes.
    edt_percent.text = !r.endShare ? "-"
                       : mode == PrecisionMode::Tens || mode == PrecisionMode::Hundreds
                           ? fixed(std::trunc(*r.endShare), 7, 0) + "%"
                           : modeAmount(*r.endShare, mode, 7) + "%";

    const bool nonCircular = r.geometry.nonCircular;
    edt_ddeq.color = nonCircular ? argb::red : argb::green;
    edt_RaZW.color = nonCircular ? argb::red : argb::blue;
    const std::uint32_t tone = r.tone == ResultTone::WithinCode ? argb::green
                               : r.tone == ResultTone::AtBound  ? argb::magenta
                                                                : argb::red;
    edt_Quk.color = edt_ra.color = edt_percent.color = tone;
}

SheetDesign TVOR_FRM_KELD3::sheetDesign(const RockLayerOptions& options, const Formula3Result& r) const {
    return formula3SheetDesign({.pileLabel = sheet().nextPileLabel(),
                                .mode = precisionMode(),
                                .firstText = cbe_dd.text,
                                .secondText = cbe_tyzd.text,
                                .deqText = edt_ddeq.text,
                                .raByZetaRText = edt_RaZW.text,
                                .gradeText = cbb_hnt.text,
                                .processText = cbb_czgy.text,
                                .processIndex = cbb_czgy.itemIndex,
                                .layerCountText = cbb_yanchengshu.text,
                                .sourceText = cbb_chezhuxishu.text,
                                .interpolationStrengthText = cbb_qiangduzhi.text,
                                .resistanceStrengthText = cbb_qiangduquzhi_daxjs.text,
                                .depthRuleText = cbb_qianyanshengdu.text,
                                .lengthStartText = cbb_qianyanshengdu_daxjs.text,
                                .options = options,
                                .endReductionTicked = ckb_duanzhuzhejian.checked,
                                .endReductionText = cbe_duanzhuzhejian.text,
                                .layers = StringGrid_KELD3.rows},
                               r);
}

} // namespace qianyan

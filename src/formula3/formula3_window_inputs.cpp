// The change handlers of the Formula 3 window: what each input's change empties, as a table, and what
// some changes do beyond it.
#include "formula3/formula3_window.h"

#include "framework/number_text.h"
#include "framework/utf8.h"

#include <array>

namespace qianyan {

namespace {

constexpr std::string_view beyondCodeWarning = "超规选项，谨慎抉择，结果仅供研究";
constexpr std::string_view typedCoefficientWarning = "提示：指定的系数需自行确定其合理性";

// What the section type sets: the two dimension labels, the items of the second field, and the warning.
struct SectionTypeFace {
    std::string_view firstLabel, secondLabel;
    double firstItem;
    int itemCount;
    int chosenItem; // -1: the field holds "0"
    std::string_view warning;
};
constexpr std::array<SectionTypeFace, 3> sectionTypeFaces{{
    {"桩  身   直   径    d (mm)", "椭圆直段长度    c (mm)", 100, 12, -1, ""},
    {"桩  身   直   径    d (mm)", "椭圆直段长度    c (mm)", 100, 12, 4, "规范不支持椭圆桩，结果仅供研究"},
    {"矩形长边尺寸    a (mm)", "矩形短边尺寸    b (mm)", 1000, 11, 0, "规范不支持矩形桩，结果仅供研究"},
}};

} // namespace

void TVOR_FRM_KELD3::declareInputs(WindowDeclaration& d) {
    const Outputs capacity = capacityOutputs(), section = sectionOutputs(), all = allOutputs();
    Outputs capacityAndRc = capacity;
    capacityAndRc.push_back(&edt_Rc);
    declareChanges(
        d,
        {
            {cbb_jmlx, all, [this] { cbb_jmlxChange(); }},
            {cbe_dd, all, [this] { cbe_ddChange(); }},
            {cbe_tyzd, all, [this] { cbe_tyzdChange(); }},
            {cbb_deqcheck, section, [this] { cbb_deqcheckChange(); }},
            {cbb_JmApU, section, [this] { cbb_JmApUChange(); }},
            {cbb_hnt, {&edt_Rc}},
            {cbb_czgy, capacityAndRc},
            {cbb_yanchengshu, capacity, [this] { cbb_yanchengshuChange(); }},
            {cbb_chezhuxishu, capacity, [this] { cbb_chezhuxishuChange(); }},
            {cbb_qiangduzhi, capacity, [this] { cbb_qiangduzhiChange(); }},
            {cbb_qiangduquzhi_daxjs, capacity, [this] { cbb_qiangduquzhi_daxjsChange(); }},
            {cbb_qianyanshengdu, capacity},
            {cbb_qianyanshengdu_daxjs, capacity},
            {ckb_chaoguifan, capacity, [this] { ckb_chaoguifanChange(); }},
            {ckb_duanzhuzhejian, capacity, [this] { ckb_duanzhuzhejianChange(); }},
            {cbe_duanzhuzhejian, {&edt_Quk, &edt_ra, &edt_percent}, [this] { cbe_duanzhuzhejianChange(); }},
        });
    const std::pair<const Control*, const Control*> labels[] = {
        {&cbb_jmlx, &lb_jmlx},
        {&cbe_dd, &lb_dd},
        {&cbe_tyzd, &lb_tyzd},
        {&cbb_deqcheck, &lb_deqcheck},
        {&cbb_JmApU, &lb_jmApU},
        {&cbb_hnt, &lb_hnt},
        {&cbb_czgy, &lb_czgy},
        {&cbb_yanchengshu, &lb_yanchengshu},
        {&cbb_chezhuxishu, &lb_chezhuxishu},
        {&cbb_qiangduzhi, &lb_qiangduquzhi},
        {&cbb_qiangduquzhi_daxjs, &lb_qiangduquzhi_daxjs},
        {&cbb_qianyanshengdu, &lb_qianyanshengdu},
        {&cbb_qianyanshengdu_daxjs, &lb_qianyanshengdu_daxjs},
    };
    for (const auto& [input, label] : labels) d.label(*input, *label);
    d.label(StringGrid_KELD3, gpb_yscs);
    d.label(cbe_duanzhuzhejian, "端阻折减系数"); // beside its check box, as its message names it
    d.rowCount(StringGrid_KELD3, cbb_yanchengshu);
    d.onClick(cbt_kuozhanbiaoge, [this] { cbt_kuozhanbiaogeClick(); });
    d.onGrid(StringGrid_KELD3, {[this](int row, int column) { StringGrid_KELD3SelectCell(row, column); },
                                [this](int row, int column) { StringGrid_KELD3EditingDone(row, column); },
                                {},
                                {},
                                [this](int, int column) {
                                    // The socket length, the strength and the typed coefficients, where they
                                    // are shown.
                                    return column >= static_cast<int>(layer_column::socketLength) &&
                                           column <= static_cast<int>(layer_column::typedEnd) &&
                                           StringGrid_KELD3.columns[static_cast<std::size_t>(column)].visible;
                                },
                                {}});
}

void TVOR_FRM_KELD3::clearStatusInBlack() {
    clearStatusText();
    lb_shuoming.color = argb::black;
}

void TVOR_FRM_KELD3::markDimension(Control& input, bool zeroAllowed, std::string_view message) {
    double value = 0;
    if (tryReadTrimmed(input.text, value) && (value > 0 || (zeroAllowed && value == 0))) {
        accept(input);
    } else {
        showStatus(message, argb::red);
        input.color = argb::red;
    }
}

// ---- Section ----

void TVOR_FRM_KELD3::cbb_jmlxChange() {
    const auto type = static_cast<SectionType>(cbb_jmlx.itemIndex);
    const SectionTypeFace& face = sectionTypeFaces.at(static_cast<std::size_t>(cbb_jmlx.itemIndex));
    const bool circle = type == SectionType::Circle;
    lb_dd.text = face.firstLabel;
    lb_tyzd.text = face.secondLabel;
    cbe_tyzd.items.clear();
    for (int i = 0; i < face.itemCount; ++i) cbe_tyzd.items.push_back(general(face.firstItem + 100 * i));
    cbe_tyzd.itemIndex = face.chosenItem;
    cbe_tyzd.text = circle ? "0" : cbe_tyzd.items[static_cast<std::size_t>(face.chosenItem)];
    cbe_tyzd.color = argb::black; // the text written is a valid one
    cbe_tyzd.enabled = lb_tyzd.enabled = !circle;
    cbb_deqcheck.enabled = cbb_JmApU.enabled = !circle;
    if (circle) {
        cbb_JmApU.itemIndex = 0;
        cbb_JmApU.text = cbb_JmApU.items[0];
    }
    showStatus(face.warning, circle ? argb::black : argb::red);
    lb_jmlx.color = lb_deqcheck.color = lb_jmApU.color = circle ? argb::black : argb::red;
}

void TVOR_FRM_KELD3::cbe_ddChange() {
    markDimension(cbe_dd, false, "桩身直径数据有错");
}

void TVOR_FRM_KELD3::cbe_tyzdChange() {
    markDimension(cbe_tyzd, true, "椭圆直段长度数据有错");
}

void TVOR_FRM_KELD3::cbb_deqcheckChange() {
    if (static_cast<SectionType>(cbb_jmlx.itemIndex) == SectionType::Circle) {
        clearStatusInBlack();
        lb_deqcheck.color = argb::black;
    } else {
        showStatus(beyondCodeWarning, argb::red);
        lb_deqcheck.color = argb::red;
    }
}

void TVOR_FRM_KELD3::cbb_JmApUChange() {
    if (cbb_JmApU.itemIndex == static_cast<int>(AreaMode::RealSection)) {
        clearStatusInBlack();
        lb_jmApU.color = argb::black;
    } else {
        showStatus(beyondCodeWarning, argb::red);
        lb_jmApU.color = argb::red;
    }
}

// ---- Rock layers and their options ----

void TVOR_FRM_KELD3::cbb_yanchengshuChange() {
    const auto count = static_cast<std::size_t>(cbb_yanchengshu.itemIndex + 1);
    setLayerRowCount(count);
    const bool several = count > 1;
    if (several) {
        showStatus("提示：规范不支持多层基岩嵌岩桩计算，计算结果仅供研究", argb::magenta);
    } else {
        clearStatusInBlack();
    }
    lb_yanchengshu.color = several ? argb::red : argb::black;
    for (Control* rule :
         {&cbb_qiangduzhi, &cbb_qiangduquzhi_daxjs, &cbb_qianyanshengdu, &cbb_qianyanshengdu_daxjs})
        rule->enabled = several;
}

// Rows beyond the new count are dropped with their texts; rows added start empty.
void TVOR_FRM_KELD3::setLayerRowCount(std::size_t count) {
    const TextTable& old = StringGrid_KELD3.rows;
    TextTable rows(layer_column::count);
    for (std::size_t row = 0; row < count; ++row) {
        if (row < old.rowCount()) {
            rows.appendRowFrom(old, row);
        } else {
            rows.appendLeadingCells({""});
        }
        rows.setCell(row, layer_column::number, std::to_string(row + 1));
    }
    StringGrid_KELD3.rows = std::move(rows);
    if (StringGrid_KELD3.selectedRow >= static_cast<int>(count)) StringGrid_KELD3.selectedRow = -1;
}

void TVOR_FRM_KELD3::cbb_chezhuxishuChange() {
    const auto source = static_cast<CoefficientSource>(cbb_chezhuxishu.itemIndex);
    const bool typed = source == CoefficientSource::Typed;
    showLayerColumns();
    for (Control* rule : {&cbb_qiangduzhi, &cbb_qianyanshengdu, &cbb_qianyanshengdu_daxjs})
        rule->enabled = !typed;
    ckb_chaoguifan.enabled = !typed;
    if (typed) ckb_chaoguifan.checked = ckb_duanzhuzhejian.checked = false;
    enableEndReduction();
    if (source == CoefficientSource::Interpolated) {
        lb_chezhuxishu.color = argb::black;
        clearStatusInBlack();
    } else {
        lb_chezhuxishu.color = argb::magenta;
        showStatus(typedCoefficientWarning, argb::magenta);
    }
}

void TVOR_FRM_KELD3::cbb_qiangduzhiChange() {
    if (StringGrid_KELD3.rows.rowCount() > 1)
        showStatus("提示：规范未明确支持多层不同强度基岩嵌岩桩深径比计算，计算结果仅供研究", argb::magenta);
}

void TVOR_FRM_KELD3::cbb_qiangduquzhi_daxjsChange() {
    if (StringGrid_KELD3.rows.rowCount() > 1)
        showStatus("提示：规范未明确支持多层不同强度基岩嵌岩桩阻力计算，计算结果仅供研究", argb::magenta);
}

void TVOR_FRM_KELD3::ckb_chaoguifanChange() {
    if (ckb_chaoguifan.checked) {
        showStatus(beyondCodeWarning, argb::red);
    } else {
        clearStatusInBlack();
        ckb_duanzhuzhejian.checked = false;
    }
    enableEndReduction();
}

void TVOR_FRM_KELD3::ckb_duanzhuzhejianChange() {
    enableEndReduction();
}

void TVOR_FRM_KELD3::enableEndReduction() {
    ckb_duanzhuzhejian.enabled = ckb_chaoguifan.checked;
    cbe_duanzhuzhejian.enabled = ckb_chaoguifan.checked && ckb_duanzhuzhejian.checked;
}

void TVOR_FRM_KELD3::cbe_duanzhuzhejianChange() {
    double eta = 0;
    const bool valid = tryReadTrimmed(cbe_duanzhuzhejian.text, eta) && eta >= 0 && eta <= 1;
    showStatus(valid ? beyondCodeWarning : "端阻折减系数有错", argb::red);
    cbe_duanzhuzhejian.color = argb::red;
}

void TVOR_FRM_KELD3::cbt_kuozhanbiaogeClick() {
    cbt_kuozhanbiaoge.text = layerTableExpanded() ? "展开" : "折叠";
    showLayerColumns();
}

// Collapsed: the layer, its length and strength, and the typed coefficients where they are used.
// Expanded: every column but the typed coefficients when interpolated, and the interpolation when typed.
void TVOR_FRM_KELD3::showLayerColumns() {
    const bool expanded = layerTableExpanded();
    const auto source = static_cast<CoefficientSource>(cbb_chezhuxishu.itemIndex);
    for (std::size_t c = 0; c < StringGrid_KELD3.columns.size(); ++c) {
        bool shown = expanded || c <= layer_column::rockStrength;
        if (c == layer_column::typedSide || c == layer_column::typedEnd)
            shown = source != CoefficientSource::Interpolated;
        else if (c >= layer_column::interpolationDepth && c <= layer_column::interpolatedEnd &&
                 source == CoefficientSource::Typed)
            shown = false;
        StringGrid_KELD3.columns[c].visible = shown;
    }
}

void TVOR_FRM_KELD3::StringGrid_KELD3SelectCell(int row, int column) {
    StringGrid_KELD3.selectedRow = row;
    StringGrid_KELD3.selectedColumn = column;
    StringGrid_KELD3.readOnly = column < static_cast<int>(layer_column::socketLength) ||
                                column > static_cast<int>(layer_column::typedEnd);
}

void TVOR_FRM_KELD3::StringGrid_KELD3EditingDone(int /*row*/, int /*column*/) {
    clearOutputs(capacityOutputs());
}

} // namespace qianyan

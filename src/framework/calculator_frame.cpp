#include "framework/calculator_frame.h"

#include "framework/number_text.h"

#include <algorithm>
#include <cmath>

namespace qianyan {

std::string modeAmount(double value, PrecisionMode mode, int precision) {
    switch (mode) {
    case PrecisionMode::TwoDecimals: return fixed(value, precision, 2);
    case PrecisionMode::OneDecimal: return fixed(value, precision, 1);
    case PrecisionMode::Units: return fixed(value, precision, 0);
    case PrecisionMode::Tens: return fixed(std::trunc(value / 10) * 10, precision, 0);
    case PrecisionMode::Hundreds: return fixed(std::trunc(value / 100) * 100, precision, 0);
    }
    return fixed(value, precision, 0);
}

namespace {

Control button(std::string text, std::string hint = {}) {
    Control c = Control::make(ControlKind::Button, std::move(text));
    c.hint = std::move(hint);
    return c;
}

Control hidden(Control c) {
    c.visible = false;
    return c;
}

Control disabled(Control c) {
    c.enabled = false;
    return c;
}

} // namespace

CalculatorFrame::CalculatorFrame(Platform& platform, std::string_view windowName, const Titles& titles)
    : platform_(&platform), windowName_(windowName) {
    MainFormLayer = Control::make(ControlKind::Layer);
    JieGuo_DocLayer = hidden(Control::make(ControlKind::Layer));
    YouHuaFormLayer = hidden(Control::make(ControlKind::Layer));

    lb_cxm = Control::make(ControlKind::Label, unscramble(titles.main, titles.key));
    cbt_CopyRight = button("©", "版权信息");
    gpb_srcs = Control::make(ControlKind::GroupBox, "输入参数");
    gpb_scjg = Control::make(ControlKind::GroupBox, "输出结果");
    cbt_JingDu = button("≈", "调整精度");
    popbox_jingdu =
        hidden(Control::list(ControlKind::PopupList, {"两位小数", "一位小数", "个位取整", "十位取整", "百位取整"},
                             static_cast<int>(PrecisionMode::Units)));
    cbt_compute = button("计算");
    cbt_View = hidden(button("结果"));
    cbt_tuichu = button("退出");
    cbt_YouHua = button("★", "筛选优化");
    cbt_YouHua.color = argb::red;
    img_Logo = Control::make(ControlKind::Image);
    lb_shuoming = hidden(Control::make(ControlKind::Label));
    lb_shuoming.color = argb::red;
    lb_guifan = Control::make(ControlKind::Label, "《建筑桩基技术规范》(JGJ94-2008)");

    lb_jisuanjieguo = Control::make(ControlKind::Label, unscramble(titles.sheet, titles.key));
    meo_jisuanjieguo_Doc = Control::make(ControlKind::Memo);
    meo_jisuanjieguo_Xls = hidden(Control::make(ControlKind::Memo));
    cbt_PageBook = button("1", "切换计算书");
    cbt_sanchu = disabled(button("x", "删除最末数据"));
    cbt_Exit = button("返回");
    cbt_Save = disabled(button("保存"));
    tcb_meoFontSize = Control::make(ControlKind::TrackBar);
    tcb_meoFontSize.hint = "调整字体大小";
    tcb_meoFontSize.minimum = 4;
    tcb_meoFontSize.maximum = 24;
    tcb_meoFontSize.value = 12;
    meo_jisuanjieguo_Doc.value = meo_jisuanjieguo_Xls.value = tcb_meoFontSize.value;

    lb_youhuabiaoti = Control::make(ControlKind::Label, unscramble(titles.workbench, titles.key));
    cbt_YHcompute = button("计算");
    cbt_YHsaixuan = disabled(button("筛选"));
    cbt_YHsave = disabled(button("存盘"));
    cbt_YHfanhui = button("返回");
    lb_huzhu = Control::make(ControlKind::Label, "1、点击表头排序   2、双击获取数据");
    cbt_zhangkai = button("展开");
    lb_YHxingxi = Control::make(ControlKind::Label);
    pb_YH_jingdu = hidden(Control::make(ControlKind::ProgressBar));
}

std::vector<NamedControl> CalculatorFrame::controls() {
    std::vector<NamedControl> list{
        {"MainFormLayer", &MainFormLayer},
        {"JieGuo_DocLayer", &JieGuo_DocLayer},
        {"YouHuaFormLayer", &YouHuaFormLayer},
        {"lb_cxm", &lb_cxm},
        {"cbt_CopyRight", &cbt_CopyRight},
        {"gpb_srcs", &gpb_srcs},
        {"gpb_scjg", &gpb_scjg},
        {"cbt_JingDu", &cbt_JingDu},
        {"popbox_jingdu", &popbox_jingdu},
        {"cbt_compute", &cbt_compute},
        {"cbt_View", &cbt_View},
        {"cbt_tuichu", &cbt_tuichu},
        {"cbt_YouHua", &cbt_YouHua},
        {"img_Logo", &img_Logo},
        {"lb_shuoming", &lb_shuoming},
        {"lb_guifan", &lb_guifan},
        {"lb_jisuanjieguo", &lb_jisuanjieguo},
        {"meo_jisuanjieguo_Doc", &meo_jisuanjieguo_Doc},
        {"meo_jisuanjieguo_Xls", &meo_jisuanjieguo_Xls},
        {"cbt_PageBook", &cbt_PageBook},
        {"cbt_sanchu", &cbt_sanchu},
        {"cbt_Exit", &cbt_Exit},
        {"cbt_Save", &cbt_Save},
        {"tcb_meoFontSize", &tcb_meoFontSize},
        {"lb_youhuabiaoti", &lb_youhuabiaoti},
        {"Grid1_Youhuaxuanxiang", &Grid1_Youhuaxuanxiang},
        {"Grid2_Youhuajieguo", &Grid2_Youhuajieguo},
        {"Grid3_Youhuasaixuan", &Grid3_Youhuasaixuan},
        {"cbt_YHcompute", &cbt_YHcompute},
        {"cbt_YHsaixuan", &cbt_YHsaixuan},
        {"cbt_YHsave", &cbt_YHsave},
        {"cbt_YHfanhui", &cbt_YHfanhui},
        {"lb_huzhu", &lb_huzhu},
        {"cbt_zhangkai", &cbt_zhangkai},
        {"lb_YHxingxi", &lb_YHxingxi},
        {"pb_YH_jingdu", &pb_YH_jingdu},
    };
    addCalculatorControls(list);
    return list;
}

Control* CalculatorFrame::find(std::string_view name) {
    for (const NamedControl& c : controls())
        if (c.name == name) return c.control;
    return nullptr;
}

Outcome CalculatorFrame::typeText(std::string_view name, std::string_view text) {
    Control* c = find(name);
    if (!c) return Outcome::UnknownControl;
    if (c == &tcb_meoFontSize) {
        double value = 0;
        if (!tryReadStrict(text, value) || !std::isfinite(value)) {
            platform_->reportError(conversionMessage(text));
            return Outcome::Done;
        }
        tcb_meoFontSize.value = std::clamp(value, tcb_meoFontSize.minimum, tcb_meoFontSize.maximum);
        runEvent([&] { tcb_meoFontSizeChange(); });
        return Outcome::Done;
    }
    if ((c->kind != ControlKind::Edit && c->kind != ControlKind::EditableCombo) || c->readOnly)
        return Outcome::NotApplicable;
    if (!c->enabled || !c->visible) return Outcome::Inert;
    runEvent([&] { writeInput(*c, text); });
    return Outcome::Done;
}

Outcome CalculatorFrame::chooseItem(std::string_view name, int index) {
    Control* c = find(name);
    if (!c) return Outcome::UnknownControl;
    const bool isList = c->kind == ControlKind::ComboBox || c->kind == ControlKind::EditableCombo ||
                        c->kind == ControlKind::PopupList;
    if (!isList || index < 0 || index >= static_cast<int>(c->items.size())) return Outcome::NotApplicable;
    if (c == &popbox_jingdu) {
        // Only a shown list can be chosen from; choosing recomputes in the new mode.
        if (!popbox_jingdu.visible) return Outcome::Inert;
        runEvent([&] {
            popbox_jingdu.itemIndex = index;
            popbox_jingdu.text = popbox_jingdu.items[static_cast<std::size_t>(index)];
            popbox_jingduChange();
        });
        return Outcome::Done;
    }
    if (!c->enabled || !c->visible) return Outcome::Inert;
    runEvent([&] { selectInputItem(*c, index); });
    return Outcome::Done;
}

Outcome CalculatorFrame::setChecked(std::string_view name, bool checked) {
    Control* c = find(name);
    if (!c) return Outcome::UnknownControl;
    if (c->kind != ControlKind::CheckBox) return Outcome::NotApplicable;
    if (!c->enabled || !c->visible) return Outcome::Inert;
    if (c->checked != checked) {
        c->checked = checked;
        runEvent([&] { onInputChanged(*c); });
    }
    return Outcome::Done;
}

Outcome CalculatorFrame::click(std::string_view name) {
    Control* c = find(name);
    if (!c) return Outcome::UnknownControl;
    if (c->kind != ControlKind::Button) return Outcome::NotApplicable;
    if (!c->enabled || !c->visible) return Outcome::Inert;
    runEvent([&] {
        if (c == &cbt_compute) cbt_computeClick();
        else if (c == &cbt_View) cbt_ViewClick();
        else if (c == &cbt_Exit) cbt_ExitClick();
        else if (c == &cbt_JingDu) cbt_JingDuClick();
        else if (c == &cbt_CopyRight) cbt_CopyRightClick();
        else if (c == &cbt_tuichu) cbt_tuichuClick();
        else if (c == &cbt_PageBook) cbt_PageBookClick();
        else if (c == &cbt_sanchu) cbt_sanchuClick();
        else if (c == &cbt_Save) cbt_SaveClick();
        else if (c == &cbt_YouHua) cbt_YouHuaClick();
        else if (c == &cbt_YHfanhui) cbt_YHfanhuiClick();
        else if (c == &cbt_YHcompute) cbt_YHcomputeClick();
        else if (c == &cbt_YHsaixuan) cbt_YHsaixuanClick();
        else if (c == &cbt_zhangkai) cbt_zhangkaiClick();
        else if (c == &cbt_YHsave) cbt_YHsaveClick();
        else onCalculatorClick(*c);
    });
    return Outcome::Done;
}

Outcome CalculatorFrame::editCell(std::string_view name, int row, int column, std::string_view text) {
    Control* c = find(name);
    if (!c) return Outcome::UnknownControl;
    if (c != &Grid1_Youhuaxuanxiang)
        return c->kind == ControlKind::Grid ? editCalculatorCell(*static_cast<Grid*>(c), row, column, text)
                                            : Outcome::NotApplicable;
    if (row < 0 || column < 0 ||
        static_cast<std::size_t>(row) >= Grid1_Youhuaxuanxiang.rows.rowCount() ||
        static_cast<std::size_t>(column) >= Grid1_Youhuaxuanxiang.rows.columnCount() ||
        !optionCellEditable(row, column))
        return Outcome::NotApplicable;
    if (!c->enabled || !c->visible) return Outcome::Inert;
    runEvent([&] {
        Grid1_YouhuaxuanxiangSelectCell(row, column);
        Grid1_Youhuaxuanxiang.rows.setCell(static_cast<std::size_t>(row), static_cast<std::size_t>(column),
                                           text);
        Grid1_YouhuaxuanxiangEditingDone(row, column);
    });
    return Outcome::Done;
}

Outcome CalculatorFrame::doubleClick(std::string_view name, int row) {
    Control* c = find(name);
    if (!c) return Outcome::UnknownControl;
    const bool results = c == &Grid2_Youhuajieguo;
    if (!results && c != &Grid3_Youhuasaixuan) return Outcome::NotApplicable;
    const Grid& table = results ? Grid2_Youhuajieguo : Grid3_Youhuasaixuan;
    if (row < 0 || static_cast<std::size_t>(row) >= table.rows.rowCount()) return Outcome::NotApplicable;
    if (!c->enabled || !c->visible) return Outcome::Inert;
    runEvent([&] { results ? Grid2_YouhuajieguoCellDblClick(row) : Grid3_YouhuasaixuanCellDblClick(row); });
    return Outcome::Done;
}

Outcome CalculatorFrame::headerClick(std::string_view name, int column) {
    Control* c = find(name);
    if (!c) return Outcome::UnknownControl;
    const bool results = c == &Grid2_Youhuajieguo;
    if (!results && c != &Grid3_Youhuasaixuan) return Outcome::NotApplicable;
    const Grid& table = results ? Grid2_Youhuajieguo : Grid3_Youhuasaixuan;
    if (column < 0 || static_cast<std::size_t>(column) >= table.columns.size()) return Outcome::NotApplicable;
    if (!c->enabled || !c->visible || !table.columns[static_cast<std::size_t>(column)].visible)
        return Outcome::Inert;
    runEvent(
        [&] { results ? Grid2_YouhuajieguoHeaderClick(column) : Grid3_YouhuasaixuanHeaderClick(column); });
    return Outcome::Done;
}

void CalculatorFrame::writeInput(Control& input, std::string_view text) {
    if (input.text == text) return;
    input.text = text;
    onInputChanged(input);
}

void CalculatorFrame::selectInputItem(Control& input, int index) {
    if (index < 0 || index >= static_cast<int>(input.items.size())) return;
    const std::string& item = input.items[static_cast<std::size_t>(index)];
    if (input.itemIndex == index && input.text == item) return;
    input.itemIndex = index;
    input.text = item;
    onInputChanged(input);
}

void CalculatorFrame::showStatus(std::string_view message, std::uint32_t color) {
    img_Logo.visible = false;
    lb_shuoming.visible = true;
    lb_shuoming.color = color;
    lb_shuoming.text = message;
}

void CalculatorFrame::fail(Control& input, std::string_view message) {
    showStatus(message, argb::red);
    input.color = argb::red;
    lb_YHxingxi.color = argb::red;
    lb_YHxingxi.text = "运行中止，主界面可查看中止位置、原因";
    throw SilentAbort{};
}

void CalculatorFrame::accept(Control& input) {
    clearStatusText();
    input.color = argb::black;
}

void CalculatorFrame::restoreComputeButton() {
    cbt_compute.enabled = true;
    cbt_compute.visible = true;
    cbt_View.visible = false;
}

void CalculatorFrame::cbt_ViewClick() {
    MainFormLayer.visible = false;
    JieGuo_DocLayer.visible = true;
}

void CalculatorFrame::cbt_ExitClick() {
    MainFormLayer.visible = true;
    JieGuo_DocLayer.visible = false;
}

void CalculatorFrame::cbt_JingDuClick() { popbox_jingdu.visible = !popbox_jingdu.visible; }

void CalculatorFrame::popbox_jingduChange() {
    if (popbox_jingdu.visible) cbt_computeClick();
}

void CalculatorFrame::cbt_CopyRightClick() { platform_->showAboutWindow(); }

void CalculatorFrame::cbt_tuichuClick() { closeRequested_ = true; }

void CalculatorFrame::tcb_meoFontSizeChange() {
    meo_jisuanjieguo_Doc.value = tcb_meoFontSize.value;
    meo_jisuanjieguo_Xls.value = tcb_meoFontSize.value;
}

void CalculatorFrame::meo_jisuanjieguo_DocMouseWheel(int wheelDelta, bool ctrlOnly) {
    if (!ctrlOnly) return;
    const double step = wheelDelta < 0 ? -1 : 1;
    tcb_meoFontSize.value =
        std::clamp(tcb_meoFontSize.value + step, tcb_meoFontSize.minimum, tcb_meoFontSize.maximum);
    tcb_meoFontSizeChange();
}

bool CalculatorFrame::meo_jisuanjieguo_DocGesture(double distance, bool firstOfGesture) {
    bool handled = false;
    if (!firstOfGesture) {
        tcb_meoFontSize.value = std::clamp(tcb_meoFontSize.value + (distance - previousGestureDistance_) / 20,
                                           tcb_meoFontSize.minimum, tcb_meoFontSize.maximum);
        tcb_meoFontSizeChange();
        handled = true;
    }
    previousGestureDistance_ = distance;
    return handled;
}

} // namespace qianyan

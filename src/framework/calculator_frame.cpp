#include "framework/calculator_frame.h"

#include "framework/number_text.h"
#include "framework/text_layout.h"

#include <algorithm>
#include <cmath>

namespace qianyan {

CalculatorFrame::CalculatorFrame(Platform& platform, std::string_view windowName, const Titles& titles)
    : platform_(&platform), windowName_(windowName) {
    MainFormLayer = Control::make(ControlKind::Layer);
    JieGuo_DocLayer = Control::make(ControlKind::Layer).hidden();
    YouHuaFormLayer = Control::make(ControlKind::Layer).hidden();

    lb_cxm = Control::make(ControlKind::Label, unscramble(titles.main, titles.key));
    cbt_CopyRight = Control::button("©").withHint("版权信息");
    gpb_srcs = Control::make(ControlKind::GroupBox, "输入参数");
    gpb_scjg = Control::make(ControlKind::GroupBox, "输出结果");
    cbt_JingDu = Control::button("≈").withHint("调整精度");
    popbox_jingdu =
        Control::list(ControlKind::PopupList, {"两位小数", "一位小数", "个位取整", "十位取整", "百位取整"},
                      static_cast<int>(PrecisionMode::Units))
            .hidden();
    cbt_compute = Control::button("计算");
    cbt_View = Control::button("结果").hidden();
    cbt_tuichu = Control::button("退出");
    cbt_YouHua = Control::button("★").withHint("筛选优化");
    cbt_YouHua.color = argb::red;
    img_Logo = Control::make(ControlKind::Image);
    lb_shuoming = Control::label({}, argb::red).hidden();
    lb_guifan = Control::make(ControlKind::Label, "《建筑桩基技术规范》(JGJ94-2008)");

    lb_jisuanjieguo = Control::make(ControlKind::Label, unscramble(titles.sheet, titles.key));
    meo_jisuanjieguo_Doc = Control::make(ControlKind::Memo);
    meo_jisuanjieguo_Xls = Control::make(ControlKind::Memo).hidden();
    cbt_PageBook = Control::button("1").withHint("切换计算书");
    cbt_sanchu = Control::button("x", false).withHint("删除最末数据");
    cbt_Exit = Control::button("返回");
    cbt_Save = Control::button("保存", false);
    cbt_LingCun = Control::button("另存为…", false).withHint("把显示的计算书保存到指定位置");
    lb_cunpan = Control::label("");
    tcb_meoFontSize = Control::make(ControlKind::TrackBar);
    tcb_meoFontSize.hint = "调整字体大小";
    tcb_meoFontSize.minimum = 4;
    tcb_meoFontSize.maximum = 24;
    tcb_meoFontSize.value = 12;
    meo_jisuanjieguo_Doc.value = meo_jisuanjieguo_Xls.value = tcb_meoFontSize.value;

    workbench.lb_youhuabiaoti.text = unscramble(titles.workbench, titles.key);
}

const WindowDeclaration& CalculatorFrame::declaration() {
    return declaration_.get([this](WindowDeclaration& d) { declare(d); });
}

void CalculatorFrame::declare(WindowDeclaration& d) {
    d.add(nullptr, {{"MainFormLayer", &MainFormLayer},
                    {"JieGuo_DocLayer", &JieGuo_DocLayer},
                    {"YouHuaFormLayer", &YouHuaFormLayer}});
    d.add(&MainFormLayer, {{"lb_cxm", &lb_cxm},
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
                           {"lb_guifan", &lb_guifan}});
    d.add(&JieGuo_DocLayer, {{"lb_jisuanjieguo", &lb_jisuanjieguo},
                             {"meo_jisuanjieguo_Doc", &meo_jisuanjieguo_Doc},
                             {"meo_jisuanjieguo_Xls", &meo_jisuanjieguo_Xls},
                             {"cbt_PageBook", &cbt_PageBook},
                             {"cbt_sanchu", &cbt_sanchu},
                             {"cbt_Exit", &cbt_Exit},
                             {"cbt_Save", &cbt_Save},
                             {"cbt_LingCun", &cbt_LingCun},
                             {"lb_cunpan", &lb_cunpan},
                             {"tcb_meoFontSize", &tcb_meoFontSize}});
    d.onClick(cbt_compute, [this] { cbt_computeClick(); });
    d.onClick(cbt_View, [this] { cbt_ViewClick(); });
    d.onClick(cbt_Exit, [this] { cbt_ExitClick(); });
    d.onClick(cbt_JingDu, [this] { cbt_JingDuClick(); });
    d.onClick(cbt_CopyRight, [this] { cbt_CopyRightClick(); });
    d.onClick(cbt_tuichu, [this] { cbt_tuichuClick(); });
    d.onClick(cbt_PageBook, [this] { cbt_PageBookClick(); });
    d.onClick(cbt_sanchu, [this] { cbt_sanchuClick(); });
    d.onClick(cbt_Save, [this] { cbt_SaveClick(); });
    d.onClick(cbt_LingCun, [this] { cbt_LingCunClick(); });
    d.onClick(cbt_YouHua, [this] { workbench.cbt_YouHuaClick(*this); });
    d.onChange(popbox_jingdu, [this] { popbox_jingduChange(); });
    d.label(popbox_jingdu, "精度"); // the list the "≈" button (调整精度) shows
    d.onChange(tcb_meoFontSize, [this] { tcb_meoFontSizeChange(); });
    workbench.declareControls(d, *this, YouHuaFormLayer);
    if (TargetCalculator* calculator = targetAdapter()) {
        target.declareControls(d, MainFormLayer, *calculator);
        // A design computed now tells whether it meets the new target: 计算 comes back.
        declareChanges(d, {{target.edt_MubiaoRa, {}, [this] { restoreComputeButton(); }},
                           {target.edt_MubiaoN, {}, [this] { restoreComputeButton(); }}});
    }
}

void CalculatorFrame::refreshTarget() {
    if (TargetCalculator* calculator = targetAdapter()) target.refresh(*this, *calculator);
}

void CalculatorFrame::declareChanges(WindowDeclaration& d, std::initializer_list<InputChange> changes) {
    for (const InputChange& change : changes)
        d.onChange(change.input, [this, clears = change.clears, more = change.more] {
            if (!clears.empty()) clearOutputs(clears);
            if (more) more();
        });
}

Control* CalculatorFrame::find(std::string_view name) {
    const DeclaredControl* c = declaration().find(name);
    return c ? c->control : nullptr;
}

Grid* CalculatorFrame::findGrid(std::string_view name) {
    const DeclaredControl* c = declaration().find(name);
    return c ? c->asGrid() : nullptr;
}

const DeclaredControl* CalculatorFrame::reachableEntry(std::string_view name, Outcome& outcome) {
    const DeclaredControl* c = declaration().find(name);
    outcome = !c ? Outcome::UnknownControl : !reachable(*c) ? Outcome::Inert : Outcome::Done;
    return c;
}

bool CalculatorFrame::reachable(std::string_view name) {
    Outcome outcome = Outcome::Done;
    reachableEntry(name, outcome);
    return outcome == Outcome::Done;
}

bool CalculatorFrame::reachable(const DeclaredControl& c) {
    return c.control->enabled && c.control->visible && !(c.layer && !c.layer->visible);
}

Outcome CalculatorFrame::typeText(std::string_view name, std::string_view text) {
    Outcome outcome = Outcome::Done;
    const DeclaredControl* c = reachableEntry(name, outcome);
    if (!c) return outcome;
    Control& input = *c->control;
    if (input.kind == ControlKind::TrackBar) {
        if (outcome != Outcome::Done) return outcome;
        double value = 0;
        if (!tryReadStrict(text, value) || !std::isfinite(value)) {
            platform_->reportError(conversionMessage(text));
            return Outcome::Done;
        }
        input.value = std::clamp(value, input.minimum, input.maximum);
        runEvent([&] { inputChanged(input); });
        return Outcome::Done;
    }
    if ((input.kind != ControlKind::Edit && input.kind != ControlKind::EditableCombo) || input.readOnly)
        return Outcome::NotApplicable;
    if (outcome != Outcome::Done) return outcome;
    runEvent([&] { writeInput(input, oneLine(text)); });
    return Outcome::Done;
}

Outcome CalculatorFrame::chooseItem(std::string_view name, int index) {
    Outcome outcome = Outcome::Done;
    const DeclaredControl* c = reachableEntry(name, outcome);
    if (!c) return outcome;
    Control& list = *c->control;
    const bool isList = list.kind == ControlKind::ComboBox || list.kind == ControlKind::EditableCombo ||
                        list.kind == ControlKind::PopupList;
    if (!isList || index < 0 || index >= static_cast<int>(list.items.size())) return Outcome::NotApplicable;
    if (outcome != Outcome::Done) return outcome;
    runEvent([&] {
        if (list.kind == ControlKind::PopupList) {
            // Choosing from a popup list acts even on the item already chosen (the mode list recomputes).
            list.itemIndex = index;
            list.text = list.items[static_cast<std::size_t>(index)];
            inputChanged(list);
        } else {
            selectInputItem(list, index);
        }
    });
    return Outcome::Done;
}

Outcome CalculatorFrame::setChecked(std::string_view name, bool checked) {
    Outcome outcome = Outcome::Done;
    const DeclaredControl* c = reachableEntry(name, outcome);
    if (!c) return outcome;
    if (c->control->kind != ControlKind::CheckBox) return Outcome::NotApplicable;
    if (outcome != Outcome::Done) return outcome;
    runEvent([&] { setInputChecked(*c->control, checked); });
    return Outcome::Done;
}

Outcome CalculatorFrame::click(std::string_view name) {
    Outcome outcome = Outcome::Done;
    const DeclaredControl* c = reachableEntry(name, outcome);
    if (!c) return outcome;
    if (c->control->kind != ControlKind::Button) return Outcome::NotApplicable;
    if (outcome != Outcome::Done) return outcome;
    if (c->click) runEvent(c->click);
    return Outcome::Done;
}

bool CalculatorFrame::cellEditable(std::string_view name, int row, int column) {
    const DeclaredControl* c = declaration().find(name);
    const Grid* grid = c ? c->asGrid() : nullptr;
    if (!grid || row < 0 || column < 0 || static_cast<std::size_t>(row) >= grid->rows.rowCount() ||
        static_cast<std::size_t>(column) >= grid->columns.size() ||
        static_cast<std::size_t>(column) >= grid->rows.columnCount())
        return false;
    if (c->grid.editable) return c->grid.editable(row, column);
    return grid->columns[static_cast<std::size_t>(column)].editable;
}

std::uint32_t CalculatorFrame::rowColor(std::string_view name, std::size_t row) {
    const DeclaredControl* c = declaration().find(name);
    return c && c->grid.rowColor ? c->grid.rowColor(row) : argb::black;
}

Outcome CalculatorFrame::editCell(std::string_view name, int row, int column, std::string_view text) {
    Outcome outcome = Outcome::Done;
    const DeclaredControl* c = reachableEntry(name, outcome);
    if (!c) return outcome;
    Grid* grid = c->asGrid();
    if (!grid || !cellEditable(name, row, column)) return Outcome::NotApplicable;
    if (outcome != Outcome::Done) return outcome;
    runEvent([&] {
        if (c->grid.selectCell) c->grid.selectCell(row, column);
        grid->rows.setCell(static_cast<std::size_t>(row), static_cast<std::size_t>(column), oneLine(text));
        if (c->grid.editingDone) c->grid.editingDone(row, column);
    });
    return Outcome::Done;
}

Outcome CalculatorFrame::doubleClick(std::string_view name, int row) {
    Outcome outcome = Outcome::Done;
    const DeclaredControl* c = reachableEntry(name, outcome);
    if (!c) return outcome;
    const Grid* grid = c->asGrid();
    if (!grid || !c->grid.doubleClick || row < 0 || static_cast<std::size_t>(row) >= grid->rows.rowCount())
        return Outcome::NotApplicable;
    if (outcome != Outcome::Done) return outcome;
    runEvent([&] { c->grid.doubleClick(row); });
    return Outcome::Done;
}

Outcome CalculatorFrame::headerClick(std::string_view name, int column) {
    Outcome outcome = Outcome::Done;
    const DeclaredControl* c = reachableEntry(name, outcome);
    if (!c) return outcome;
    const Grid* grid = c->asGrid();
    if (!grid || !c->grid.headerClick || column < 0 ||
        static_cast<std::size_t>(column) >= grid->columns.size())
        return Outcome::NotApplicable;
    if (outcome != Outcome::Done || !grid->columns[static_cast<std::size_t>(column)].visible)
        return Outcome::Inert;
    runEvent([&] { c->grid.headerClick(column); });
    return Outcome::Done;
}

void CalculatorFrame::inputChanged(Control& input) {
    const DeclaredControl* c = declaration().find(input);
    if (c && c->change) c->change();
}

void CalculatorFrame::writeInput(Control& input, std::string_view text) {
    if (input.text == text) return;
    input.text = text;
    inputChanged(input);
}

void CalculatorFrame::selectInputItem(Control& input, int index) {
    if (index < 0 || index >= static_cast<int>(input.items.size())) return;
    const std::string& item = input.items[static_cast<std::size_t>(index)];
    // An editable list's value is its text: choosing the item it already reads (as a list does when it
    // loses the focus after an item was typed) changes nothing.
    const bool unchanged =
        input.text == item && (input.itemIndex == index || input.kind == ControlKind::EditableCombo);
    input.itemIndex = index;
    input.text = item;
    if (!unchanged) inputChanged(input);
}

void CalculatorFrame::setInputChecked(Control& input, bool checked) {
    if (input.checked == checked) return;
    input.checked = checked;
    inputChanged(input);
}

void CalculatorFrame::adoptSweep(CalculatorFrame& worked) {
    const auto mine = declaration().all();
    const auto theirs = worked.declaration().all();
    for (std::size_t i = 0; i < mine.size() && i < theirs.size(); ++i) {
        if (Grid* grid = mine[i].asGrid())
            *grid = std::move(*theirs[i].asGrid());
        else
            *mine[i].control = *theirs[i].control;
    }
    workbench.adoptState(worked.workbench);
}

CalculatorFrame::OwnControls CalculatorFrame::ownControls() {
    OwnControls saved;
    for (const DeclaredControl& entry : declaration().all()) {
        if (entry.layer == &YouHuaFormLayer || entry.control == &workbench.pb_YH_jingdu) continue;
        if (Grid* grid = entry.asGrid())
            saved.grids.emplace_back(grid, *grid);
        else
            saved.controls.emplace_back(entry.control, *entry.control);
    }
    return saved;
}

void CalculatorFrame::restoreOwnControls(OwnControls&& saved, bool keepStatus) {
    for (auto& [control, state] : saved.controls)
        if (!keepStatus || (control != &lb_shuoming && control != &img_Logo)) *control = std::move(state);
    for (auto& [grid, state] : saved.grids) *grid = std::move(state);
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
    workbench.noteAbort();
    throw SilentAbort{};
}

void CalculatorFrame::accept(Control& input) {
    clearStatusText();
    input.color = argb::black;
}

void CalculatorFrame::clearOutputs(const Outputs& outputs) {
    for (Control* output : outputs) output->text.clear();
    restoreComputeButton();
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

void CalculatorFrame::cbt_JingDuClick() {
    popbox_jingdu.visible = !popbox_jingdu.visible;
}

void CalculatorFrame::popbox_jingduChange() {
    if (popbox_jingdu.visible) cbt_computeClick();
}

void CalculatorFrame::cbt_CopyRightClick() {
    platform_->showAboutWindow();
}

void CalculatorFrame::cbt_tuichuClick() {
    requestClose();
}

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

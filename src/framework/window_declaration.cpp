#include "framework/window_declaration.h"

#include "framework/text_layout.h"

namespace qianyan {

std::string DeclaredControl::shownName() const {
    return shownLabel(control->kind == ControlKind::CheckBox ? std::string_view(control->text) : label());
}

std::string DeclaredControl::inputTip() const {
    std::string forms;
    switch (control->kind) {
    case ControlKind::Edit:
        forms = "输入数值";
        break;
    case ControlKind::EditableCombo:
        forms = "从列表中选择，或输入数值";
        break;
    case ControlKind::ComboBox:
    case ControlKind::PopupList:
        forms = "从列表中选择";
        break;
    case ControlKind::CheckBox:
        forms = "勾选为考虑，不勾选为不考虑";
        break;
    default:
        return {};
    }
    if (!accepts.empty()) forms.append("，").append(accepts);
    return shownName() + "\n" + forms;
}

void WindowDeclaration::add(const Control* layer, std::initializer_list<Named> controls) {
    for (const auto& [name, control] : controls) {
        byName_.emplace(name, entries_.size());
        byControl_.emplace(control, entries_.size());
        entries_.push_back({name, control, layer, {}, {}, {}, {}, nullptr, nullptr, {}, {}});
    }
}

DeclaredControl& WindowDeclaration::entry(const Control& control) {
    // A handler for a control that was never added is a mistake in the window's declaration.
    return entries_.at(byControl_.at(&control));
}

void WindowDeclaration::onClick(Control& button, std::function<void()> handler) {
    entry(button).click = std::move(handler);
}

void WindowDeclaration::onChange(Control& input, std::function<void()> handler) {
    entry(input).change = std::move(handler);
}

void WindowDeclaration::onGrid(Grid& grid, GridHandlers handlers) {
    entry(grid).grid = std::move(handlers);
}

void WindowDeclaration::label(const Control& input, std::string_view text) {
    entry(input).labelText = text;
}

void WindowDeclaration::label(const Control& input, const Control& labelControl) {
    entry(input).labelControl = &labelControl;
}

void WindowDeclaration::accepts(const Control& input, std::string_view forms) {
    entry(input).accepts = forms;
}

void WindowDeclaration::tableHeader(const Control& input, std::string_view header) {
    entry(input).tableHeader = header;
}

void WindowDeclaration::rowCount(const Grid& grid, Control& countList) {
    entry(grid).rowCountList = &countList;
}

const DeclaredControl* WindowDeclaration::find(std::string_view name) const {
    const auto found = byName_.find(name);
    return found == byName_.end() ? nullptr : &entries_[found->second];
}

const DeclaredControl* WindowDeclaration::find(const Control& control) const {
    const auto found = byControl_.find(&control);
    return found == byControl_.end() ? nullptr : &entries_[found->second];
}

} // namespace qianyan

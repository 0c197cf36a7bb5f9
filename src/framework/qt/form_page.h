#pragma once
// A page (or a group on a page) of a calculator window built from rows of bound controls, for the pages a
// calculator adds by layer name (a soil panel) and for groups of the main page (Formula 3's rock layers):
//
//     FormPage* panel = addPage("Zhengmozhuli_FormLayer");
//     panel->addWide("lb_ZMZLbiaoti");
//     panel->addRow("土层数", {"cbb_ZhengTuchengshu"}, "lb_ZhengTuchengshu");
//     panel->addWide("Grid1_Zhengmozhulijisuan", 1);
//     panel->addButtons({"cbt_ZmzlComputer", "cbt_ZhengZhankai", "cbt_Zmzlfanhui"});
//
// Each control gets the widget its kind calls for; a row's label may itself be a control whose text the
// model changes.
#include <QWidget>

#include <initializer_list>
#include <string_view>
#include <vector>

class QGridLayout;
class QVBoxLayout;

namespace qianyan {

class ControlBinding;

class FormPage : public QWidget {
public:
    explicit FormPage(ControlBinding& binding, QWidget* parent = nullptr);

    // A row: a label (a fixed text, or the text of labelControl) and one or more controls beside it.
    void addRow(std::string_view label, std::initializer_list<std::string_view> controls,
                std::string_view labelControl = {});
    // A control across the whole width; stretch > 0 lets it take the height left over.
    QWidget* addWide(std::string_view control, int stretch = 0);
    // A row of buttons (or other controls) sharing the width.
    void addButtons(std::initializer_list<std::string_view> controls);
    // A group box with rows of its own, bound to groupControl.
    FormPage* addGroup(std::string_view groupControl, int stretch = 0);

    // The widgets that take input, in the order of their rows (for the tab order).
    const std::vector<QWidget*>& inputs() const { return inputs_; }

private:
    QGridLayout* rows();
    QWidget* bound(std::string_view control);

    ControlBinding& binding_;
    QVBoxLayout* layout_;
    QGridLayout* rows_ = nullptr; // the grid of the rows added since the last wide control
    std::vector<QWidget*> inputs_;
};

} // namespace qianyan

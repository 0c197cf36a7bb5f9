#include "framework/qt/form_page.h"

#include "framework/qt/control_binding.h"
#include "framework/qt/control_widgets.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

namespace qianyan {

FormPage::FormPage(ControlBinding& binding, QWidget* parent)
    : QWidget(parent), binding_(binding), layout_(new QVBoxLayout(this)) {
    layout_->setContentsMargins(6, 6, 6, 6);
    layout_->setSpacing(3);
}

QGridLayout* FormPage::rows() {
    if (!rows_) {
        rows_ = new QGridLayout;
        rows_->setColumnStretch(1, 1);
        rows_->setVerticalSpacing(2);
        layout_->addLayout(rows_);
    }
    return rows_;
}

QWidget* FormPage::bound(std::string_view control) {
    QWidget* widget = makeControlWidget(binding_, control);
    binding_.bind(control, widget);
    const bool takesInput = qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
                            qobject_cast<QAbstractButton*>(widget) || qobject_cast<QTableView*>(widget);
    if (takesInput) inputs_.push_back(widget);
    return widget;
}

void FormPage::addRow(std::string_view label, std::initializer_list<std::string_view> controls,
                      std::string_view labelControl) {
    QGridLayout* grid = rows();
    const int row = grid->rowCount();
    QLabel* caption = rowLabel(label);
    if (!labelControl.empty()) binding_.bind(labelControl, caption);
    grid->addWidget(caption, row, 0);
    auto* fields = new QHBoxLayout;
    for (const std::string_view control : controls) fields->addWidget(bound(control), 1);
    grid->addLayout(fields, row, 1);
}

QWidget* FormPage::addWide(std::string_view control, int stretch) {
    rows_ = nullptr;
    QWidget* widget = bound(control);
    layout_->addWidget(widget, stretch);
    return widget;
}

void FormPage::addButtons(std::initializer_list<std::string_view> controls) {
    rows_ = nullptr;
    auto* row = new QHBoxLayout;
    for (const std::string_view control : controls) row->addWidget(bound(control));
    layout_->addLayout(row);
}

FormPage* FormPage::addGroup(std::string_view groupControl, int stretch) {
    rows_ = nullptr;
    auto* group = new QGroupBox;
    binding_.bind(groupControl, group);
    auto* inner = new FormPage(binding_);
    inner->layout_->setContentsMargins(2, 2, 2, 2);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->setContentsMargins(4, 4, 4, 4);
    groupLayout->addWidget(inner);
    layout_->addWidget(group, stretch);
    return inner;
}

} // namespace qianyan

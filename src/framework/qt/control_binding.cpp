#include "framework/qt/control_binding.h"

#include "documents/qt/qt_text.h"
#include "documents/qt/sheet_font.h"
#include "framework/qt/grid_view.h"
#include "framework/window_state.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <cmath>

namespace qianyan {

namespace {

// Sets the colour for the active and inactive states only, so that a disabled control keeps the
// style's greyed-out look.
void setTextColor(QWidget* widget, QPalette::ColorRole role, std::uint32_t argb) {
    const QColor color = qtColor(argb);
    const QPalette& current = widget->palette();
    if (current.color(QPalette::Active, role) == color && current.color(QPalette::Inactive, role) == color)
        return;
    QPalette palette = current;
    palette.setColor(QPalette::Active, role, color);
    palette.setColor(QPalette::Inactive, role, color);
    widget->setPalette(palette);
}

QStringList qtItems(const std::vector<std::string>& items) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items) list << qtText(item);
    return list;
}

void showLineEdit(QLineEdit* edit, const Control& c) {
    const QString text = qtText(c.text);
    // Leave the text alone while it agrees, so that the cursor stays where the person put it.
    if (edit->text() != text) edit->setText(text);
    edit->setReadOnly(c.readOnly);
    setTextColor(edit, QPalette::Text, c.color);
}

void showComboBox(QComboBox* box, const Control& c) {
    const QStringList items = qtItems(c.items);
    bool same = box->count() == items.size();
    for (int i = 0; same && i < items.size(); ++i) same = box->itemText(i) == items[i];
    if (!same) {
        box->clear();
        box->addItems(items);
    }
    if (box->currentIndex() != c.itemIndex) box->setCurrentIndex(c.itemIndex);
    if (box->isEditable()) {
        showLineEdit(box->lineEdit(), c);
    } else {
        setTextColor(box, QPalette::ButtonText, c.color);
        setTextColor(box, QPalette::Text, c.color);
    }
}

void showListWidget(QListWidget* list, const Control& c) {
    const QStringList items = qtItems(c.items);
    if (list->count() != items.size()) {
        list->clear();
        list->addItems(items);
    }
    list->setCurrentRow(c.itemIndex);
}

void show(QWidget* w, const Control& c) {
    if (auto* grid = dynamic_cast<GridView*>(w)) {
        grid->refresh();
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
        button->setText(qtText(c.text));
        setTextColor(button, QPalette::ButtonText, c.color);
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        showLineEdit(edit, c);
    } else if (auto* box = qobject_cast<QComboBox*>(w)) {
        showComboBox(box, c);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(qtText(c.text));
        setTextColor(label, QPalette::WindowText, c.color);
    } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
        check->setText(qtText(c.text));
        check->setChecked(c.checked);
    } else if (auto* slider = qobject_cast<QSlider*>(w)) {
        slider->setRange(static_cast<int>(c.minimum), static_cast<int>(c.maximum));
        slider->setValue(static_cast<int>(std::lround(c.value)));
    } else if (auto* bar = qobject_cast<QProgressBar*>(w)) {
        bar->setRange(static_cast<int>(c.minimum), static_cast<int>(c.maximum));
        bar->setValue(static_cast<int>(std::lround(c.value)));
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        group->setTitle(qtText(c.text));
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        showListWidget(list, c);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
        const int px = std::clamp(static_cast<int>(std::lround(c.value)), 1, 200);
        if (memo->font().pixelSize() != px) memo->setFont(sheetFont(px));
    }
    w->setEnabled(c.enabled);
    w->setToolTip(qtText(c.hint));
    // A widget is shown only when its page is; the model's visible flag says whether it may be.
    if (w->isHidden() == c.visible) w->setVisible(c.visible);
}

} // namespace

ControlBinding::ControlBinding(CalculatorFrame& model, QObject* parent) : QObject(parent), model_(&model) {}

void ControlBinding::bind(std::string_view name, QWidget* widget) {
    // The widget carries the control's name, so that checks and tools find it as the model names it.
    if (widget->objectName().isEmpty()) widget->setObjectName(qtText(name));
    entries_.push_back({std::string(name), widget});
    connectActions(entries_.back());
}

QWidget* ControlBinding::widget(std::string_view name) const {
    for (const Entry& e : entries_)
        if (e.name == name) return e.widget;
    return nullptr;
}

void ControlBinding::connectActions(const Entry& entry) {
    const std::string name = entry.name;
    QWidget* w = entry.widget;
    const auto typed = [this, name](const QString& text) {
        act([&](CalculatorFrame& m) { m.typeText(name, utf8(text)); });
    };
    const auto chosen = [this, name](int index) {
        act([&](CalculatorFrame& m) { m.chooseItem(name, index); });
    };
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        connect(button, &QPushButton::clicked, this,
                [this, name] { act([&](CalculatorFrame& m) { m.click(name); }); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        connect(edit, &QLineEdit::textEdited, this, typed);
    } else if (auto* box = qobject_cast<QComboBox*>(w)) {
        connect(box, &QComboBox::activated, this, chosen);
        if (box->isEditable()) connect(box->lineEdit(), &QLineEdit::textEdited, this, typed);
    } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
        connect(check, &QCheckBox::clicked, this, [this, name](bool checked) {
            act([&](CalculatorFrame& m) { m.setChecked(name, checked); });
        });
    } else if (auto* slider = qobject_cast<QSlider*>(w)) {
        connect(slider, &QSlider::valueChanged, this, [typed](int value) { typed(QString::number(value)); });
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        connect(list, &QListWidget::itemClicked, this,
                [chosen, list](QListWidgetItem* item) { chosen(list->row(item)); });
    }
}

void ControlBinding::act(const std::function<void(CalculatorFrame&)>& action) {
    action(*model_);
    if (afterEvent_)
        afterEvent_();
    else
        refresh();
}

void ControlBinding::refresh() {
    for (const Entry& e : entries_) {
        const DeclaredControl* declared = model_->declaration().find(e.name);
        if (!declared) continue;
        const Control* control = declared->control;
        const QSignalBlocker block(e.widget);
        if (auto* box = qobject_cast<QComboBox*>(e.widget); box && box->lineEdit()) {
            const QSignalBlocker blockEdit(box->lineEdit());
            show(e.widget, *control);
        } else {
            show(e.widget, *control);
        }
        // An input says what it is and takes, unless the model gives it a hint of its own; a label the
        // model rewrites changes the tip with it.
        if (control->hint.empty() && isInput(*declared)) e.widget->setToolTip(qtText(declared->inputTip()));
    }
}

} // namespace qianyan

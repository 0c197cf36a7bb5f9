#pragma once
// Ties the widgets of a calculator window to the named controls of its model. A person's action on a
// bound widget becomes the model's operation by name (typeText, chooseItem, setChecked, click), which
// runs it as one event; afterwards every bound widget is brought up to date from the model, with the
// widgets' own signals blocked so that the update is not taken for a person's action.
#include "framework/calculator_frame.h"

#include <QObject>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace qianyan {

class ControlBinding : public QObject {
public:
    explicit ControlBinding(CalculatorFrame& model, QObject* parent = nullptr);

    CalculatorFrame& model() { return *model_; }
    // Called after every action instead of refresh(): the window brings itself up to date there (its
    // bound widgets with refresh(), and what only the window knows, such as the shown page).
    void setAfterEvent(std::function<void()> afterEvent) { afterEvent_ = std::move(afterEvent); }

    // Binds a widget to the model's control of that name. The widget's type says what it forwards:
    // QPushButton (click), QLineEdit (typing), QComboBox (choice, typing when editable), QCheckBox,
    // QSlider (its value as typed text), QListWidget (the popup list's choice); QLabel, QGroupBox,
    // QProgressBar and QPlainTextEdit only show.
    void bind(std::string_view name, QWidget* widget);
    QWidget* widget(std::string_view name) const;

    // Runs an action of a person on the model, then brings the window up to date.
    void act(const std::function<void(CalculatorFrame&)>& action);
    // Brings every bound widget up to date from the model.
    void refresh();

private:
    struct Entry {
        std::string name;
        QWidget* widget;
    };
    void connectActions(const Entry& entry);

    CalculatorFrame* model_;
    std::vector<Entry> entries_;
    std::function<void()> afterEvent_;
};

} // namespace qianyan

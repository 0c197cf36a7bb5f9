#include "framework/qt/control_widgets.h"

#include "documents/qt/qt_text.h"
#include "framework/calculator_frame.h"
#include "framework/qt/control_binding.h"
#include "framework/qt/grid_view.h"
#include "framework/qt/window_look.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace qianyan {

namespace {

// A list that is never narrower than its longest item, so that no chosen item is cut off (its row
// goes under the label when the room beside it is too small). A typed value needs only a few digits.
class ListBox : public QComboBox {
public:
    explicit ListBox(bool editable) {
        setEditable(editable);
        // The size is the layout's alone: a combo box adjusting to its contents resizes itself later.
        setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        setMinimumContentsLength(5);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        if (editable) {
            // The model keeps the list and the text: a typed text is never added to the list, nor
            // completed to one of its items behind the person's back.
            setInsertPolicy(QComboBox::NoInsert);
            setCompleter(nullptr);
        }
    }

    QSize minimumSizeHint() const override {
        const QSize least = QComboBox::minimumSizeHint();
        if (isEditable()) return least;
        int text = 0;
        for (int i = 0; i < count(); ++i) text = std::max(text, fontMetrics().horizontalAdvance(itemText(i)));
        QStyleOptionComboBox option;
        initStyleOption(&option);
        return least.expandedTo(
            style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(text, least.height()), this));
    }
};

} // namespace

QLabel* rowLabel(std::string_view text) {
    auto* label = new QLabel(qtText(text));
    label->setTextFormat(Qt::PlainText);
    label->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    return label;
}

QPushButton* captionButton(int px) {
    auto* button = new QPushButton;
    setFontPixels(button, px);
    return button;
}

QWidget* makeControlWidget(ControlBinding& binding, std::string_view control) {
    const Control* c = binding.model().find(control);
    const ControlKind kind = c ? c->kind : ControlKind::Edit;
    switch (kind) {
    case ControlKind::EditableCombo:
    case ControlKind::ComboBox:
        return new ListBox(kind == ControlKind::EditableCombo);
    case ControlKind::CheckBox:
        return new QCheckBox;
    case ControlKind::Button:
        return new QPushButton;
    case ControlKind::Label: {
        QLabel* label = rowLabel({});
        label->setWordWrap(true);
        return label;
    }
    case ControlKind::GroupBox:
        return new QGroupBox;
    case ControlKind::Grid:
        return new GridView(binding, std::string(control));
    default: {
        auto* edit = new QLineEdit;
        if (c && c->readOnly) edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return edit;
    }
    }
}

} // namespace qianyan

#pragma once
// The widget that shows a model control of a given kind, for every page of every calculator: a line
// edit, a list (editable or not, never narrower than its longest item), a check box, a button, a label,
// a group box or a grid view. The caller binds it to the control by name.
#include <QWidget>

#include <string_view>

class QLabel;
class QPushButton;

namespace qianyan {

class ControlBinding;

QWidget* makeControlWidget(ControlBinding& binding, std::string_view control);
// A label that keeps its whole text; the field beside it gives way.
QLabel* rowLabel(std::string_view text);
// A button of the frame or a page, its caption px pixels high; the binding gives it its text.
QPushButton* captionButton(int px);

} // namespace qianyan

#pragma once
// Control models: what a person can see and change of one named control. A window model holds its
// controls as plain fields, so a window can be copied and driven without any widget.
#include "framework/colors.h"
#include "framework/text_table.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qianyan {

enum class ControlKind {
    Layer,
    Label,
    Button,
    Edit,          // one-line text field
    EditableCombo, // typed text with a list of suggestions
    ComboBox,      // choice from a list
    PopupList,
    CheckBox,
    GroupBox,
    Memo, // read-only sheet view
    TrackBar,
    ProgressBar,
    Image,
    Grid,
};

struct Control {
    ControlKind kind = ControlKind::Label;
    std::string text; // for a list: the chosen item's text
    std::string hint;
    std::vector<std::string> items;
    int itemIndex = -1;
    bool checked = false;
    std::uint32_t color = argb::black;
    bool enabled = true;
    bool visible = true;
    bool readOnly = false;
    double value = 0, minimum = 0, maximum = 100; // track bars and progress bars; a memo's font size

    static Control make(ControlKind kind, std::string text = {}) {
        Control c;
        c.kind = kind;
        c.text = std::move(text);
        return c;
    }
    static Control list(ControlKind kind, std::vector<std::string> items, int index) {
        Control c;
        c.kind = kind;
        c.items = std::move(items);
        c.itemIndex = index;
        if (index >= 0 && index < static_cast<int>(c.items.size())) c.text = c.items[index];
        return c;
    }
    static Control label(std::string text, std::uint32_t color = argb::black) {
        Control c = make(ControlKind::Label, std::move(text));
        c.color = color;
        return c;
    }
    static Control button(std::string text, bool enabled = true) {
        Control c = make(ControlKind::Button, std::move(text));
        c.enabled = enabled;
        return c;
    }
    static Control checkBox(std::string text, std::uint32_t color = argb::black) {
        Control c = make(ControlKind::CheckBox, std::move(text));
        c.color = color;
        return c;
    }
    // A field that shows a result: read-only, in the colour of what it shows.
    static Control output(std::uint32_t color, bool visible = true) {
        Control c = make(ControlKind::Edit);
        c.readOnly = true;
        c.color = color;
        c.visible = visible;
        return c;
    }

    // The control as it starts out: hidden, greyed out, or with a tooltip.
    Control hidden() const {
        Control c = *this;
        c.visible = false;
        return c;
    }
    Control disabled() const {
        Control c = *this;
        c.enabled = false;
        return c;
    }
    Control withHint(std::string text) const {
        Control c = *this;
        c.hint = std::move(text);
        return c;
    }
};

enum class CellAlign { Left, Centre, Right };
// What a column's cells are: text, a number, a share drawn as a bar on a 0 … 100 scale (the cell holds
// the number), or a check mark ("1" ticked).
enum class CellKind { Text, Number, Bar, Check };

struct GridColumn {
    std::string name;   // Grid2_03_Str_YHRa ...
    std::string header; // as shown, padding and sort marks included
    bool visible = true;
    int width = 70; // pixels on the desktop, widened to the column's texts
    CellAlign align = CellAlign::Left;
    CellKind kind = CellKind::Text;
    bool editable = false; // unless the window's handlers say otherwise per cell
};

// A string grid: declared columns and rows of text cells.
struct Grid : Control {
    std::vector<GridColumn> columns;
    TextTable rows;
    int selectedRow = -1, selectedColumn = -1;

    Grid() { kind = ControlKind::Grid; }
};

} // namespace qianyan

#include "framework/window_state.h"

#include "framework/text_layout.h"

#include <map>

namespace qianyan {

namespace {

bool isList(const Control& c) {
    return c.kind == ControlKind::ComboBox || c.kind == ControlKind::PopupList;
}

bool isText(const Control& c) {
    return (c.kind == ControlKind::Edit && !c.readOnly) || c.kind == ControlKind::EditableCombo;
}

// A change handler that stops under the error convention has still changed the value.
template <class F> void quietly(F&& f) {
    try {
        f();
    } catch (const SilentAbort&) {
    }
}

bool holds(const Control& c, const InputState& s) {
    if (c.kind == ControlKind::CheckBox) return c.checked == s.checked;
    if (isList(c)) return c.itemIndex == s.item;
    return c.text == oneLine(s.text);
}

void requireKnown(CalculatorFrame& window, const WindowState& state) {
    const WindowDeclaration& d = window.declaration();
    for (const InputState& input : state.inputs) {
        const DeclaredControl* c = d.find(input.name);
        // A name the window does not know has no label to show.
        if (!c || !isInput(*c)) throw WindowStateError("含有本计算器没有的输入项");
    }
    for (const GridState& grid : state.grids) {
        const DeclaredControl* c = d.find(grid.name);
        if (!c || !isEditedGrid(*c)) throw WindowStateError("含有本计算器没有的表格");
        for (const auto& row : grid.rows)
            if (row.size() != c->asGrid()->columns.size())
                throw WindowStateError(quotedName(*c) + "的列数与窗口不符");
    }
}

void applyDirectly(CalculatorFrame& window, const WindowState& state) {
    const WindowDeclaration& d = window.declaration();
    std::map<std::string_view, const InputState*> byName;
    for (const InputState& input : state.inputs) byName[input.name] = &input;
    // Inputs in the window's order, twice: a list that rewrites a later input (a section type and its
    // dimension items) has then given way to the saved value.
    for (int pass = 0; pass < 2; ++pass)
        for (const DeclaredControl& c : d.all())
            if (const auto found = byName.find(c.name); found != byName.end())
                writeInputState(window, c, *found->second);
    // Grids after the inputs that set their row counts.
    for (const GridState& saved : state.grids) {
        const DeclaredControl& c = *d.find(saved.name);
        if (c.asGrid()->rows.rowCount() != saved.rows.size())
            throw WindowStateError(quotedName(c) + "的行数与窗口不符");
        for (std::size_t r = 0; r < saved.rows.size(); ++r)
            for (std::size_t col = 0; col < saved.rows[r].size(); ++col)
                writeGridCell(c, r, col, saved.rows[r][col]);
    }
    for (const InputState& input : state.inputs)
        if (const DeclaredControl& c = *d.find(input.name); !holds(*c.control, input))
            throw WindowStateError(quotedName(c) + "的值无法复原");
    for (const GridState& saved : state.grids) {
        const DeclaredControl& c = *d.find(saved.name);
        for (std::size_t r = 0; r < saved.rows.size(); ++r)
            for (std::size_t col = 0; col < saved.rows[r].size(); ++col)
                if (c.asGrid()->rows.cell(r, col) != oneLine(saved.rows[r][col]))
                    throw WindowStateError(quotedName(c) + "的内容无法复原");
    }
}

} // namespace

std::string quotedName(const DeclaredControl& control) {
    return "“" + control.shownName() + "”";
}

bool isInput(const DeclaredControl& control) {
    const Control& c = *control.control;
    return isText(c) || isList(c) || c.kind == ControlKind::CheckBox;
}

bool isEditedGrid(const DeclaredControl& control) {
    return control.asGrid() && control.grid.editingDone;
}

WindowState captureState(CalculatorFrame& window) {
    WindowState state;
    for (const DeclaredControl& c : window.declaration().all()) {
        if (isInput(c)) {
            state.inputs.push_back(
                {std::string(c.name), c.control->text, c.control->itemIndex, c.control->checked});
        } else if (isEditedGrid(c)) {
            const TextTable& rows = c.asGrid()->rows;
            GridState grid{std::string(c.name), {}};
            for (std::size_t r = 0; r < rows.rowCount(); ++r) {
                grid.rows.push_back(rows.row(r));
                grid.rows.back().resize(c.asGrid()->columns.size());
            }
            state.grids.push_back(std::move(grid));
        }
    }
    return state;
}

void applyState(CalculatorFrame& window, const WindowState& state) {
    requireKnown(window, state);
    if (WorkbenchCalculator* adapter = window.workbenchAdapter()) {
        const std::unique_ptr<CalculatorFrame> trial = adapter->clone();
        applyDirectly(*trial, state);
    }
    applyDirectly(window, state);
    window.refreshTarget();
}

void restoreState(CalculatorFrame& window, const WindowState& state) {
    applyDirectly(window, state);
}

void writeInputState(CalculatorFrame& window, const DeclaredControl& declared, const InputState& state) {
    Control& input = *declared.control;
    quietly([&] {
        if (input.kind == ControlKind::CheckBox) {
            window.setInputChecked(input, state.checked);
        } else if (isList(input)) {
            if (state.item < 0 || state.item >= static_cast<int>(input.items.size()))
                throw WindowStateError(quotedName(declared) + "没有第 " + std::to_string(state.item) + " 项");
            window.selectInputItem(input, state.item);
        } else {
            const std::string text = oneLine(state.text);
            const bool listed = state.item >= 0 && state.item < static_cast<int>(input.items.size()) &&
                                input.items[static_cast<std::size_t>(state.item)] == text;
            if (listed)
                window.selectInputItem(input, state.item);
            else
                window.writeInput(input, text);
        }
    });
}

void writeGridCell(const DeclaredControl& grid, std::size_t row, std::size_t column, std::string_view text) {
    Grid& g = *grid.asGrid();
    const std::string line = oneLine(text);
    if (g.rows.cell(row, column) == line) return;
    const int r = static_cast<int>(row), c = static_cast<int>(column);
    quietly([&] {
        if (grid.grid.selectCell) grid.grid.selectCell(r, c);
        g.rows.setCell(row, column, line);
        if (grid.grid.editingDone) grid.grid.editingDone(r, c);
    });
}

} // namespace qianyan

#pragma once
// What a window declares about its named controls: the page each lies on and the handlers its events
// run, by control. A window builds its declaration once per object (the handlers are bound to that
// object, so a copy of the window builds its own) and the frame dispatches every event through it: a
// button's click, an input's change, a grid's cell selection, edit, double-click and header click.
#include "framework/controls.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace qianyan {

// The handlers a window registers for one of its grids; any may be left empty.
struct GridHandlers {
    std::function<void(int row, int column)> selectCell; // a cell chosen, before it is edited
    std::function<void(int row, int column)> editingDone;
    std::function<void(int row)> doubleClick;
    std::function<void(int column)> headerClick;
    // Whether a person may edit that cell; without it, the column's editable flag says.
    std::function<bool(int row, int column)> editable;
    // The text colour of a row; without it, black.
    std::function<std::uint32_t(std::size_t row)> rowColor;
};

struct DeclaredControl {
    std::string_view name;
    Control* control = nullptr;
    const Control* layer = nullptr; // the page it lies on; none for the pages and window-wide controls
    std::function<void()> click;    // a button's click
    std::function<void()> change;   // an input's change, after its text, item or check state changed
    GridHandlers grid;
    // The label a person reads beside an input: a fixed text, or a label control the model rewrites.
    std::string_view labelText;
    const Control* labelControl = nullptr;
    // For a layer grid: the list that sets how many rows it has ("1" … "n").
    Control* rowCountList = nullptr;
    // For an input: the forms it takes beyond what its kind says ("或桩径的倍数，如 2.0d").
    std::string_view accepts;
    // For an input: the short name a batch table's header may give it beside its label ("目标Ra").
    std::string_view tableHeader;

    std::string_view label() const { return labelControl ? std::string_view(labelControl->text) : labelText; }
    // How messages name the control to a person: a check box by its text, anything else by its label, in
    // either case without the blanks that only spread the face's texts ("桩身直径 d (mm)").
    std::string shownName() const;
    // What a person reads over an input: its name with its unit, and the forms it takes.
    std::string inputTip() const;
    Grid* asGrid() const {
        return control->kind == ControlKind::Grid ? static_cast<Grid*>(control) : nullptr;
    }
};

class WindowDeclaration {
public:
    using Named = std::pair<std::string_view, Control*>;
    // Controls that lie on a page (layer), or window-wide ones when layer is nullptr.
    void add(const Control* layer, std::initializer_list<Named> controls);
    void onClick(Control& button, std::function<void()> handler);
    void onChange(Control& input, std::function<void()> handler);
    void onGrid(Grid& grid, GridHandlers handlers);
    // Labels shared by the desktop face and the batch table's header.
    void label(const Control& input, std::string_view text);
    void label(const Control& input, const Control& labelControl);
    void rowCount(const Grid& grid, Control& countList);
    void accepts(const Control& input, std::string_view forms);
    void tableHeader(const Control& input, std::string_view header);

    const DeclaredControl* find(std::string_view name) const;
    const DeclaredControl* find(const Control& control) const;
    std::span<const DeclaredControl> all() const { return entries_; }

private:
    DeclaredControl& entry(const Control& control);

    std::vector<DeclaredControl> entries_; // in declaration order
    std::unordered_map<std::string_view, std::size_t> byName_;
    std::unordered_map<const Control*, std::size_t> byControl_;
};

// Held by a window: built on first use, and never copied with the window (a copy's handlers must be
// bound to the copy).
class DeclarationCache {
public:
    DeclarationCache() = default;
    DeclarationCache(const DeclarationCache&) {}
    DeclarationCache& operator=(const DeclarationCache&) {
        declaration_.reset();
        return *this;
    }
    DeclarationCache(DeclarationCache&&) noexcept {}
    DeclarationCache& operator=(DeclarationCache&&) noexcept {
        declaration_.reset();
        return *this;
    }

    template <class Build> const WindowDeclaration& get(Build&& build) {
        if (!declaration_) {
            auto fresh = std::make_unique<WindowDeclaration>();
            build(*fresh);
            declaration_ = std::move(fresh);
        }
        return *declaration_;
    }

private:
    std::unique_ptr<WindowDeclaration> declaration_;
};

} // namespace qianyan

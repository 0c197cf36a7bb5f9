#pragma once
// What a person has given a window: every input's text, chosen item and tick, and the cells of every
// grid a person edits (the panels, the layer table, the workbench's option grid). Captured from a window
// and applied to one through the program's own input operations, so every change handler runs as it
// does for a person's edit. Project files keep it; a batch run resets the window with it between piles.
#include "framework/calculator_frame.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace qianyan {

struct InputState {
    std::string name;
    std::string text; // a list's chosen item as it reads
    int item = -1;
    bool checked = false;
};

struct GridState {
    std::string name;
    std::vector<std::vector<std::string>> rows;
};

struct WindowState {
    std::vector<InputState> inputs;
    std::vector<GridState> grids;
};

// A state that does not fit the window; the message says why, in Chinese.
class WindowStateError : public std::runtime_error {
public:
    explicit WindowStateError(const std::string& message) : std::runtime_error(message) {}
};

// An input or grid as a message names it: by what the window shows, in quotes ("“成桩工艺”").
std::string quotedName(const DeclaredControl& control);
// The inputs a person gives: texts that are not read-only, lists, check boxes.
bool isInput(const DeclaredControl& control);
// The grids a person edits: those with an edit handler.
bool isEditedGrid(const DeclaredControl& control);

WindowState captureState(CalculatorFrame& window);

// Tries the state on a copy of the window first, so the window changes only when all of it fits: every
// name known, every list item in range, every grid of the shape the inputs give it, and every value as
// saved once the change handlers have run. Throws WindowStateError otherwise. An input the state does
// not name keeps its value.
void applyState(CalculatorFrame& window, const WindowState& state);
// The same without the copy, for a state taken from this window before (which always fits): a batch
// resets its window with it before every pile, and a copy would carry the whole sheet each time.
void restoreState(CalculatorFrame& window, const WindowState& state);

// Writes one input as the program does (the handler runs when the value changes): an edit's text, a
// list's item, a box's tick.
// Throws WindowStateError for a list item out of range.
void writeInputState(CalculatorFrame& window, const DeclaredControl& input, const InputState& state);
// Writes one grid cell as a finished edit does, when its text changes.
void writeGridCell(const DeclaredControl& grid, std::size_t row, std::size_t column, std::string_view text);

} // namespace qianyan

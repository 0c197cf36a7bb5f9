#pragma once
// Project files: a window's inputs, panels, options and workbench option grid in a small versioned
// JSON file, so that a design can be reopened and recomputed exactly. Opening checks the whole file
// and tries it on a copy of the window first: a damaged file, one of a later version or of another
// window is refused with the reason and the window stays as it was.
#include "framework/calculator_frame.h"
#include "framework/window_state.h"

#include <string>
#include <string_view>

namespace qianyan {

inline constexpr int projectFormatVersion = 1;
// Larger files are refused unread: a project holds a few hundred cells.
inline constexpr std::size_t projectFileLimit = 16u << 20;

// The file's text for the window as it stands.
std::string projectText(CalculatorFrame& window);
// The window a project text is for (its model's window name), to open it in the calculator it came
// from; throws WindowStateError saying why the text is no project.
std::string projectWindowName(std::string_view text);
// The state a project text holds for this window; throws WindowStateError saying why it cannot be.
WindowState readProjectText(CalculatorFrame& window, std::string_view text);

// Save and open through the platform; a failure is reported by the platform and returns false.
bool saveProject(CalculatorFrame& window, const std::string& path);
bool openProject(CalculatorFrame& window, const std::string& path);
// path with the extension 打开项目 looks for when its file name has none: "pile_a" becomes "pile_a.json",
// "pile.v2" stays.
std::string withProjectExtension(std::string path);
// 保存项目 and 打开项目 of the desktop: the path is asked of the person first. A name saved without an
// extension gets the project extension; a file of the name it then has is replaced only when the
// person says so.
void saveProjectAsked(CalculatorFrame& window);
void openProjectAsked(CalculatorFrame& window);

} // namespace qianyan

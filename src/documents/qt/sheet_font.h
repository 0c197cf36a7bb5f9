#pragma once
// The font of the sheets, on screen and on paper alike: a fixed-pitch font in which a CJK character is
// two columns wide, the first of such families that is installed.
#include <QFont>

namespace qianyan {

// The sheet font without a size; the sheet view and the PDF size it to their own measures.
QFont sheetFont();
// The sheet font for the screen at pixel size px, its advances unrounded so that the column grid can line
// the characters up exactly.
QFont sheetFont(int px);

} // namespace qianyan

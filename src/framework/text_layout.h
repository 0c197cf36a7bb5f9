#pragma once
// Fixed-width text columns for the calculation sheets and table files. Texts are UTF-8; widths are
// counted as the saved file holds them, in GBK bytes (one for ASCII and "€", two for CJK ideographs,
// Greek letters, full-width digits, "∑", "≤", "▲", "▼"), so that columns line up in the file; the sheet
// views and the PDF draw each character over as many columns. A character GBK cannot hold (it is never
// saved) takes one column per UTF-16 code unit, two for a unit in U+1000..U+9FA5.
#include <string>
#include <string_view>

namespace qianyan {

int characterColumns(char32_t codePoint);
int displayWidth(std::string_view text);
// Right-aligns text in width columns by prepending fill; a wider text is never cut.
std::string padLeft(std::string_view text, int width, char fill = ' ');
// Left-aligns text in width columns by appending fill.
std::string padRight(std::string_view text, int width, char fill = ' ');
// Centres text in width columns; an odd surplus puts the extra blank on the left.
std::string centre(std::string_view text, int width);
std::string spaces(int count);
std::string repeated(char c, int count);
// text without the blanks at either end.
std::string_view trimmed(std::string_view text);
// text as a message quotes it: whole when it is at most columns wide, else its start with "…".
std::string shortened(std::string_view text, int columns);
// What a one-line field keeps of a typed or pasted text: control characters (line breaks, tabs, C1, line
// and paragraph separators) at
// either end dropped, those inside turned into blanks, so that no line break reaches a sheet or a file.
std::string oneLine(std::string_view text);
// A label of the face as a message names it: the blanks that spread its Chinese characters over the row
// (between two wide characters) taken out, any other run of blanks (ASCII or ideographic) one blank, none
// at either end
// ("桩  身   直   径    d (mm)" → "桩身直径 d (mm)").
std::string shownLabel(std::string_view label);

} // namespace qianyan

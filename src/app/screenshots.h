#pragma once
// Renders every window and page of the program to PNG files, for the documentation.
#include <QString>

namespace qianyan {

// Writes the pictures into folder; 0 when all were written.
int takeScreenshots(const QString& folder);

} // namespace qianyan

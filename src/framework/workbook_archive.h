#pragma once
// Edits of a finished workbook's zip archive that the spreadsheet library cannot make itself: the comment
// that carries the program's mark, and the application the book names as its maker.
#include <cstddef>
#include <string>
#include <string_view>

namespace qianyan {

// Gives the finished archive (which has no comment) the comment. Throws PlatformError.
void addArchiveComment(const std::string& file, std::string_view comment);
// The comment of the archive at file; empty without one (or without a file).
std::string archiveComment(const std::string& file);
constexpr std::size_t archiveCommentLimit = 0xFFFF;

// Rewrites the book's docProps/app.xml so that it names program as the application that wrote it (the
// library names another), through a temporary file beside it. Throws PlatformError.
void nameArchiveApplication(const std::string& file, std::string_view program);

} // namespace qianyan

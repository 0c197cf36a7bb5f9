#pragma once
// The comment of a finished workbook's zip archive, where the program leaves its mark.
#include <cstddef>
#include <string>

namespace qianyan {

// The comment of the archive at file; empty without one (or without a file).
std::string archiveComment(const std::string& file);
constexpr std::size_t archiveCommentLimit = 0xFFFF;

} // namespace qianyan

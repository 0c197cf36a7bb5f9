#pragma once
// Writing the saved sheets and tables: GBK, CR LF after every line, no byte-order mark, written to a
// temporary file in the same folder and renamed over the target so that a failed write never damages
// an existing file.
#include "platform/platform.h"

#include <string>
#include <string_view>

namespace qianyan {

// Converts UTF-8 to GBK; a character GBK cannot hold becomes "?", as the legacy conversion does.
std::string toGbk(std::string_view utf8);
std::string fromGbk(std::string_view gbk);

// Throws PlatformError with the reason when the file cannot be written whole.
void writeLegacyTextFile(const std::string& path, const LineSource& lines);

bool regularFileExists(const std::string& path);
// Creates the folder and its parents when missing; throws PlatformError when it cannot.
void ensureFolder(const std::string& folder);

} // namespace qianyan

#pragma once
// The lines of a saved file, decoded from GBK; usable without a test framework.
#include "platform/legacy_text_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace qianyan::testing {

// The file's bytes as they are.
inline std::string savedBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// False when the file does not end every line with CR LF (the lines before the fault are kept).
inline bool readSavedLines(const std::filesystem::path& file, std::vector<std::string>& lines) {
    const std::string text = fromGbk(savedBytes(file));
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) return false;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return true;
}

} // namespace qianyan::testing

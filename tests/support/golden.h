#pragma once
// Golden files, one helper for every test folder: a sheet kept as UTF-8 lines, and a saved table kept as
// the program writes it (GBK, CR LF), both under tests/<folder>/golden/.
#include "support/window_fixture.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan::testing {

inline std::filesystem::path goldenPath(std::string_view folder, std::string_view name) {
    return std::filesystem::path(QIANYAN_TEST_DATA) / folder / "golden" / name;
}

// The lines of a golden sheet (UTF-8, LF).
inline std::vector<std::string> goldenLines(std::string_view folder, std::string_view name) {
    std::ifstream in(goldenPath(folder, name));
    EXPECT_TRUE(in) << name;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The lines of a golden saved file, decoded from GBK, each required to end in CR LF.
inline std::vector<std::string> goldenSavedLines(std::string_view folder, std::string_view name) {
    return savedLines(goldenPath(folder, name));
}

} // namespace qianyan::testing

#pragma once
// A fresh window model over a scripted platform with its own documents folder and a fixed clock.
#include "platform/scripted_platform.h"
#include "support/saved_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace qianyan::testing {

inline std::filesystem::path freshFolder(const std::string& tag) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    auto folder =
        std::filesystem::temp_directory_path() / ("qianyan-" + tag + "-" + std::to_string(::getpid()) + "-" +
                                                  info->test_suite_name() + "-" + info->name());
    std::filesystem::remove_all(folder);
    return folder;
}

// The lines of a saved file: decoded from GBK, each required to end in CR LF.
inline std::vector<std::string> savedLines(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    if (!readSavedLines(file, lines)) ADD_FAILURE() << "line without CR LF at the end of " << file;
    return lines;
}

template <class Window> class WindowFixture : public ::testing::Test {
protected:
    WindowFixture() : documents(freshFolder("docs")), platform(documents.string(), {2024, 5, 6, 14, 3, 27}) {}
    ~WindowFixture() override { std::filesystem::remove_all(documents); }

    std::vector<std::string> dialogTexts() const {
        std::vector<std::string> texts;
        for (const auto& d : platform.dialogs) texts.push_back(d.text);
        return texts;
    }

    std::filesystem::path documents;
    ScriptedPlatform platform;
    Window window{platform};
};

} // namespace qianyan::testing

// The registry is the one list of calculators: the build's calculator folders, the driver's models and
// each calculator's fuzz corpus and test folder follow it, and a person tells the calculators apart by
// their captions.
#include "cli/calculators.h"
#include "framework/calculator_registry.h"
#include "platform/scripted_platform.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

namespace qianyan {
namespace {

std::set<std::string> registryNames() {
    std::set<std::string> names;
    for (const CalculatorEntry& c : calculators()) names.emplace(c.name);
    return names;
}

TEST(CalculatorRegistry, TheBuildsCalculatorFoldersAreTheRegistrysCalculators) {
    std::set<std::string> folders;
    std::istringstream list(QIANYAN_CALCULATOR_FOLDERS);
    for (std::string folder; std::getline(list, folder, ',');) folders.insert(folder);
    EXPECT_EQ(folders, registryNames());
}

TEST(CalculatorRegistry, EachCalculatorHasItsModelTestsAndFuzzCorpus) {
    const std::filesystem::path tests(QIANYAN_TEST_DATA);
    ScriptedPlatform platform("/nonexistent", {2024, 5, 6, 14, 3, 27});
    for (const CalculatorEntry& c : calculators()) {
        SCOPED_TRACE(c.name);
        const auto window = makeCalculator(c.name, platform);
        ASSERT_NE(window, nullptr) << "no model in src/cli/calculators.cpp";
        EXPECT_EQ(window->windowName(), c.window);
        EXPECT_TRUE(std::filesystem::exists(tests / c.name / "CMakeLists.txt"));
        const std::filesystem::path corpus = tests / "fuzz" / "corpus" / c.name;
        EXPECT_TRUE(std::filesystem::is_directory(corpus) && !std::filesystem::is_empty(corpus))
            << "no fuzz corpus " << corpus;
    }
    EXPECT_EQ(makeCalculator("formula9", platform), nullptr);
}

TEST(CalculatorRegistry, NamesWindowsButtonsAndCaptionsAreEachOnce) {
    std::set<std::string> names, windows, buttons, captions;
    for (const CalculatorEntry& c : calculators()) {
        names.emplace(c.name);
        windows.emplace(c.window);
        buttons.emplace(c.button);
        const std::string caption = calculatorName(c.window);
        EXPECT_THAT(caption, ::testing::HasSubstr("（")) << c.name;
        captions.insert(caption);
        EXPECT_EQ(findCalculator(c.name), &c);
    }
    const std::size_t n = calculators().size();
    EXPECT_EQ(names.size(), n);
    EXPECT_EQ(windows.size(), n);
    EXPECT_EQ(buttons.size(), n);
    EXPECT_EQ(captions.size(), n);
    EXPECT_EQ(calculatorName("TVOR_FRM_KELD0"), "") << "the launcher is no calculator";
    EXPECT_EQ(findCalculator("TVOR_FRM_KELD1"), nullptr) << "found by the driver's name only";
}

} // namespace
} // namespace qianyan

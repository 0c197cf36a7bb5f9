#pragma once
// A calculator of the driver's list, chosen by the test's parameter, over a scripted platform with its own
// documents folder and a fixed clock: the fixture of the tests that run over every calculator.
#include "cli/calculators.h"
#include "support/window_fixture.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace qianyan::testing {

template <class Param> class CalculatorFixture : public ::testing::TestWithParam<Param> {
    std::string_view calculator_; // first: the window is made from it

protected:
    CalculatorFixture(const std::string& tag, std::string_view calculator)
        : calculator_(calculator), documents(freshFolder(tag)),
          platform(documents.string(), {2024, 5, 6, 14, 3, 27}), window(newWindow()) {}
    ~CalculatorFixture() override { std::filesystem::remove_all(documents); }

    // Another window of the same calculator on the same platform.
    std::unique_ptr<CalculatorFrame> newWindow() { return makeCalculator(calculator_, platform); }

    std::filesystem::path documents;
    ScriptedPlatform platform;
    std::unique_ptr<CalculatorFrame> window;
};

} // namespace qianyan::testing

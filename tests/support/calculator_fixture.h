#pragma once
// A calculator of the driver's list, chosen by the test's parameter, over a scripted platform with its own
// documents folder and a fixed clock: the fixture of the tests that run over every calculator. Such a test
// takes its calculators from the registry, or from a table of cases, one per calculator, that
// coversEveryCalculator checks against the registry.
#include "cli/calculators.h"
#include "support/window_fixture.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan::testing {

// The parameters of a test over every calculator of the registry.
inline auto everyCalculator() {
    return ::testing::ValuesIn(calculatorNames());
}

// An instance of such a test is named by its calculator: the parameter itself, or a case's `window`.
struct ByCalculator {
    std::string operator()(const ::testing::TestParamInfo<std::string_view>& info) const {
        return std::string(info.param);
    }
    template <class Case> std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        return std::string(info.param.window);
    }
};

// Whether a table of cases has one for each calculator of the registry, in its order.
template <class Cases>::testing::AssertionResult coversEveryCalculator(const Cases& cases) {
    std::vector<std::string_view> named;
    for (const auto& c : cases) named.push_back(c.window);
    if (named == calculatorNames()) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "the cases are for";
    for (const std::string_view name : named) failure << " " << name;
    failure << "; the calculators are";
    for (const std::string_view name : calculatorNames()) failure << " " << name;
    return failure;
}

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

// Every input of every calculator tells a person, over the field, what it is with its unit and the
// forms it takes; the socket depth also names its multiple-of-d form, which only the sheet showed.
#include "framework/window_state.h"
#include "support/calculator_fixture.h"

#include <gmock/gmock.h>

namespace qianyan {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class InputTipsTest : public testing::CalculatorFixture<std::string_view> {
protected:
    InputTipsTest() : CalculatorFixture("tips", GetParam()) {}
};

TEST_P(InputTipsTest, EveryInputNamesItselfAndTheFormsItTakes) {
    int inputs = 0;
    for (const DeclaredControl& c : window->declaration().all()) {
        if (!isInput(c)) continue;
        SCOPED_TRACE(std::string(c.name));
        ++inputs;
        const std::string tip = c.inputTip();
        EXPECT_THAT(tip, StartsWith(c.shownName() + "\n"));
        EXPECT_GT(tip.size(), c.shownName().size() + 1) << "the forms it takes";
        if (c.name == "cbe_hr") {
            EXPECT_THAT(tip, HasSubstr("2.0d"));
        }
    }
    EXPECT_GT(inputs, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, InputTipsTest, ::testing::ValuesIn(calculatorNames()),
                         [](const auto& info) { return std::string(info.param); });

} // namespace
} // namespace qianyan

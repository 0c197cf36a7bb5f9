#pragma once
// Steps and checks of the window tests of every calculator: what controls show (text and colour), and a
// precision chosen as a person does, through ≈ and its list.
#include "framework/calculator_frame.h"
#include "framework/precision_mode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

namespace qianyan::testing {

struct Shown {
    const char* control;
    const char* text;
    std::uint32_t color;
};

inline void expectShown(CalculatorFrame& w, std::initializer_list<Shown> expected) {
    for (const Shown& e : expected) {
        const Control* c = w.find(e.control);
        ASSERT_NE(c, nullptr) << e.control;
        EXPECT_EQ(c->text, e.text) << e.control;
        EXPECT_EQ(c->color, e.color) << e.control;
    }
}

inline void choosePrecision(CalculatorFrame& w, PrecisionMode mode) {
    w.click("cbt_JingDu");
    w.chooseItem("popbox_jingdu", static_cast<int>(mode));
}

} // namespace qianyan::testing

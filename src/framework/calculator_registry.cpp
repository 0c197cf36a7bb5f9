#include "framework/calculator_registry.h"

#include "framework/launcher_texts.h"

namespace qianyan {

namespace {

using namespace launcher_texts;

constexpr CalculatorEntry entries[] = {
    {"formula1", "TVOR_FRM_KELD1", "cbt_Gongshi1", combinedCoefficient, withoutSoil, 0x006400},
    {"formula1_soil", "TVOR_FRM_KELD1_1", "cbt_Gongshi1_1", combinedCoefficient, withSoil, 0x006400},
    {"formula2", "TVOR_FRM_KELD2", "cbt_Gongshi2", separateCoefficients, withoutSoil, 0x0000FF},
    {"formula3", "TVOR_FRM_KELD3", "cbt_Gongshi3", separateCoefficients, rockLayers, 0xFF0000},
};

} // namespace

std::span<const CalculatorEntry> calculators() {
    return entries;
}

const CalculatorEntry* findCalculator(std::string_view name) {
    for (const CalculatorEntry& c : entries)
        if (c.name == name) return &c;
    return nullptr;
}

std::string calculatorName(std::string_view window) {
    for (const CalculatorEntry& c : entries)
        if (c.window == window) return unscramble(c.first, key) + "（" + unscramble(c.second, key) + "）";
    return {};
}

} // namespace qianyan

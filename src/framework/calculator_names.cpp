#include "framework/calculator_names.h"

#include "framework/launcher_texts.h"

namespace qianyan {

namespace {

using namespace launcher_texts;

constexpr CalculatorCaption captions[] = {
    {"TVOR_FRM_KELD1", "cbt_Gongshi1", combinedCoefficient, withoutSoil},
    {"TVOR_FRM_KELD1_1", "cbt_Gongshi1_1", combinedCoefficient, withSoil},
    {"TVOR_FRM_KELD2", "cbt_Gongshi2", separateCoefficients, withoutSoil},
    {"TVOR_FRM_KELD3", "cbt_Gongshi3", separateCoefficients, rockLayers},
};

} // namespace

std::span<const CalculatorCaption> calculatorCaptions() {
    return captions;
}

std::string calculatorName(std::string_view window) {
    for (const CalculatorCaption& c : captions)
        if (c.window == window) return unscramble(c.first, key) + "（" + unscramble(c.second, key) + "）";
    return {};
}

} // namespace qianyan

#include "app/calculator_faces.h"

#include "formula1/qt/formula1_window.h"
#include "formula1_soil/qt/formula1_soil_window.h"
#include "formula2/qt/formula2_window.h"
#include "formula3/qt/formula3_window.h"

namespace qianyan {

namespace {

template <class Window> CalculatorWindow* make(Platform& platform) {
    return new Window(platform);
}

struct CalculatorFace {
    std::string_view name;
    CalculatorWindow* (*make)(Platform& platform);
};

// The face type of each registry name, as src/cli/calculators.cpp has the model type (a test fails when
// a calculator of the registry has none).
constexpr CalculatorFace faces[] = {
    {"formula1", make<Formula1Window>},
    {"formula1_soil", make<Formula1SoilWindow>},
    {"formula2", make<Formula2Window>},
    {"formula3", make<Formula3Window>},
};

const CalculatorFace* find(std::string_view name) {
    for (const CalculatorFace& f : faces)
        if (f.name == name) return &f;
    return nullptr;
}

} // namespace

CalculatorWindow* makeCalculatorFace(std::string_view name, Platform& platform) {
    const CalculatorFace* face = find(name);
    return face ? face->make(platform) : nullptr;
}

bool hasCalculatorFace(std::string_view name) {
    return find(name) != nullptr;
}

} // namespace qianyan

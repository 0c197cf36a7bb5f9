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

// A new calculator face is one line here (and its library in src/app/CMakeLists.txt), for instance
// {"cbt_Gongshi3", make<Formula3Window>} once the Formula 3 face exists.
constexpr CalculatorFace faces[] = {
    {"cbt_Gongshi1", make<Formula1Window>},
    {"cbt_Gongshi1_1", make<Formula1SoilWindow>},
    {"cbt_Gongshi2", make<Formula2Window>},
    {"cbt_Gongshi3", make<Formula3Window>},
};

} // namespace

std::span<const CalculatorFace> calculatorFaces() {
    return faces;
}

} // namespace qianyan

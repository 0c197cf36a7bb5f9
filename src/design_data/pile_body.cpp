#include "design_data/pile_body.h"

#include "design_data/design_data.h"

#include <numbers>

namespace qianyan {

double sectionArea(double d) {
    return std::numbers::pi * d * d / 4;
}

CircularPileBody circularPileBody(double d, int gradeIndex, int processIndex) {
    CircularPileBody body{};
    body.area = sectionArea(d) / 1e6;
    body.perimeter = std::numbers::pi * d / 1000;
    body.psiC = constructionProcesses.at(static_cast<std::size_t>(processIndex)).psiC;
    body.fc = concreteGrades.at(static_cast<std::size_t>(gradeIndex)).fc;
    body.rc = sectionArea(d) * body.psiC * body.fc / 1000;
    return body;
}

} // namespace qianyan

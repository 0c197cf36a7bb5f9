#pragma once
// Fixed design data shared by every calculator: concrete grades, construction processes, rock hardness
// classes and the combined side-and-end coefficient table with its lookup.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

struct ConcreteGrade {
    std::string_view text; // "C25" ... "C60"
    int number;            // 25 ... 60
    double fc;             // design compressive strength, MPa
};
inline constexpr std::array<ConcreteGrade, 8> concreteGrades{{{"C25", 25, 11.9},
                                                              {"C30", 30, 14.3},
                                                              {"C35", 35, 16.7},
                                                              {"C40", 40, 19.1},
                                                              {"C45", 45, 21.1},
                                                              {"C50", 50, 23.1},
                                                              {"C55", 55, 25.3},
                                                              {"C60", 60, 27.5}}};
// (grade number - 25) / 5
constexpr int gradeIndexOfNumber(int gradeNumber) {
    return (gradeNumber - 25) / 5;
}

struct ConstructionProcess {
    std::string_view itemText;  // as listed in the process combo box
    double psiC;                // process coefficient of the pile-body capacity
    double factor;              // multiplies the coefficient read from the tables
    std::string_view shortName; // 8 columns wide, for sheets and workbench tables
};
inline constexpr std::array<ConstructionProcess, 3> constructionProcesses{{
    {"干作业成桩(清底干净)", 0.90, 1.2, "干 作 业"},
    {"泥浆护壁成桩", 0.70, 1.0, "泥浆护壁"},
    {"泥浆护壁成桩后注浆", 0.80, 1.2, "后 注 浆"},
}};
// The workbench numbers processes from 1.
constexpr int processCodeOfIndex(int index) {
    return index + 1;
}
// The process whose short name is shortName, or -1.
int processIndexOfShortName(std::string_view shortName);

// The items of the grade and process lists, as every calculator's window lists them.
std::vector<std::string> gradeItems();
std::vector<std::string> processItems();

// Rock hardness by frk (MPa), intervals open below and closed above; none for frk <= 0.
std::optional<std::string_view> rockClassName(double frk);

// Which column(s) of the coefficient tables a rock strength uses.
enum class RockColumn { Soft, Transition, Hard };
// Soft for 0 < frk <= 15, Transition for 15 < frk <= 30, Hard above. Requires frk > 0.
RockColumn rockColumnOf(double frk);

// Rows of a coefficient table at hr/d = 0, 0.5, ..., 8.5; the last row repeats the one for 8.0.
using CoefficientColumn = std::array<double, 18>;
inline constexpr CoefficientColumn zetaRSoft{0.60,  0.80, 0.95, 1.065, 1.18,  1.265, 1.35, 1.415, 1.48,
                                             1.525, 1.57, 1.60, 1.63,  1.645, 1.66,  1.68, 1.70,  1.70};
inline constexpr CoefficientColumn zetaRHard{0.45, 0.65, 0.81, 0.855, 0.90, 0.95, 1.00, 1.02, 1.04,
                                             1.04, 1.04, 1.04, 1.04,  1.04, 1.04, 1.04, 1.04, 1.04};
inline constexpr double softDepthRatioLimit = 8.0;
inline constexpr double hardDepthRatioLimit = 4.0;

// Where a depth ratio x falls for a rock strength: the ratio actually used and whether it was clamped.
struct DepthRatioUse {
    RockColumn column;
    double effectiveRatio; // x, or the limit 8 or 4 when x exceeds it
    bool clamped;
};
// Requires frk > 0 and x >= 0.
DepthRatioUse depthRatioUse(double frk, double x);
// The value of a soft/hard column pair at a depth ratio use: interpolated between rows, blended in frk
// for transition rock, the limit row's value when clamped.
double lookupCoefficient(const CoefficientColumn& soft, const CoefficientColumn& hard, double frk,
                         const DepthRatioUse& use);

struct ZetaRLookup {
    double zetaR; // before the process factor
    bool clamped;
    double effectiveRatio;
};
// Requires frk > 0 and x >= 0 (the caller rejects everything else).
ZetaRLookup lookupZetaR(double frk, double x);

} // namespace qianyan

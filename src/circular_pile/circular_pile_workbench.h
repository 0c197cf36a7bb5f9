#pragma once
// What the workbenches of the circular-pile calculators share: the option grid with its defaults, and
// the cursor that walks the five swept parameters (diameter, socket depth, rock strength, grade,
// process) and holds the texts of the current candidate.
#include "circular_pile/option_rows.h"
#include "circular_pile/socket_depth.h"
#include "framework/workbench.h"

#include <array>
#include <string>
#include <string_view>

namespace qianyan {

inline constexpr std::array<OptionRow, 8> circularPileOptionGrid{{
    {OptionKind::Range, {"桩身直径 d(mm)", "1000", "2000", "500", "桩径取值范围"}},
    {OptionKind::Range, {"嵌岩深度 hr(mm)", "1.0d", "3.0d", "1.0d", "也可直接输入数值(不可混用)"}},
    {OptionKind::Range, {"岩石强度 frk(MPa)", "30.00", "50.00", "10.00", "岩石单轴抗压强度标准值应大于0"}},
    {OptionKind::Grade, {"混凝土强度等级", "C25", "C30", "5", "混凝土强度等级范围C25～C60"}},
    {OptionKind::Process, {"成桩工艺", "1", "3", "1", "人工挖孔1/泥浆护壁2/泥浆护壁后注浆3"}},
    {OptionKind::Blank, {"", "", "", "", ""}},
    {OptionKind::Filter, {"筛选 Ra(kN)", "10000", "11000", "", "筛选条件一，输入0不起控制作用"}},
    {OptionKind::Filter, {"筛选 Rc(kN)", "6000", "8000", "", "筛选条件二，输入0不起控制作用"}},
}};
// The tables of the circular-pile calculators begin with the label, d, Ra and Rc (circular_pile_columns.h):
// the columns the two filter rows test and whose ranges they are given after a sweep.
inline constexpr std::array<FilterRow, 2> circularPileFilters{{{6, {2, -1}}, {7, {3, -1}}}};
inline constexpr std::array<BoundsWrite, 2> circularPileBounds{{{2, 6}, {3, 7}}};

// The swept parameters in loop order, outermost first.
enum CircularPileParameter : std::size_t {
    sweptDiameter,
    sweptDepth,
    sweptStrength,
    sweptGrade,
    sweptProcess
};

// The parameters of a sweep and where it stands.
struct CircularPileSweep {
    std::array<SweepRange, 5> ranges;
    DepthNotation depthNotation = DepthNotation::MultipleOfD;
    std::array<double, 5> values{}; // current diameter, depth (factor or mm), strength, grade, process code
    std::string depthRatio;         // hr/d of the current candidate with two decimals
};

} // namespace qianyan

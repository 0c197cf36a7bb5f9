#pragma once
// The Formula 1 workbench's fine grid, the million-candidate case the benchmarks and the probe share.
#include "framework/calculator_frame.h"

#include <cstdint>

namespace qianyan {

// d 1000-3000 by 50, ten depths, frk 10-110 by 1, every grade, every process: 41 × 10 × 101 × 8 × 3 =
// 993,840 candidates; with frk by 0.25 (fourFold), 41 × 10 × 401 × 8 × 3 = 3,945,840.
struct FineGrid {
    static constexpr std::uint64_t candidates = 41ull * 10 * 101 * 8 * 3;
    static constexpr std::uint64_t fourFoldCandidates = 41ull * 10 * 401 * 8 * 3;
    static void enter(CalculatorFrame& w, bool fourFold = false) {
        const char* rows[][3] = {{"1000", "3000", "50"},
                                 {"1.0d", "5.5d", "0.5d"},
                                 {"10", "110", fourFold ? "0.25" : "1"},
                                 {"C25", "C60", "5"},
                                 {"1", "3", "1"}};
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 3; ++c) w.editCell("Grid1_Youhuaxuanxiang", r, c + 1, rows[r][c]);
    }
};

} // namespace qianyan

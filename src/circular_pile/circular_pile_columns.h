#pragma once
// The workbench columns of the circular-pile calculators, declared once: Formula 1 takes the eleven of
// circularPileColumns, Formula 1 with soil layers extends them, and Formula 2 takes the ones it shares
// in its own order. Ra, Rc and ζr are output fields of each window, hence templates on the window.
// Table-file places leave room between them for the columns a calculator inserts.
#include "circular_pile/circular_pile_window.h"

namespace qianyan::circular_pile_columns {

using Shown = WorkbenchColumn::Shown;

// The fixed cell of the table file after the label: every candidate is a circular pile.
inline constexpr std::array<TableFileCell, 1> sectionFileCell{{
    {.place = 10,
     .width = 8,
     .centred = true,
     .blanksAfter = 2,
     .header = {"桩身截面  ", "类    型  "},
     .text = "圆  桩"},
}};

inline constexpr WorkbenchColumn diameter{
    .name = "Str_YHzhuangD",
    .header = "d(mm)",
    .shown = Shown::Always,
    .sort = ColumnSort{"d"},
    .file = TableFileCell{.place = 20, .width = 6, .blanksAfter = 4, .header = {"桩身直径  ", "  d(mm)   "}},
    .source = controlText<&CircularPileWindow::cbe_dd>,
};
template <class Window>
inline constexpr WorkbenchColumn ra{
    .name = "Str_YHRa",
    .header = "Ra(kN)",
    .shown = Shown::Always,
    .sort = ColumnSort{"Ra"},
    .file = TableFileCell{.place = 80, .width = 7, .blanksAfter = 3, .header = {"桩承载力  ", " Ra(kN)   "}},
    .source = controlText<&Window::edt_ra>,
};
template <class Window>
inline constexpr WorkbenchColumn rc{
    .name = "Str_YHRc",
    .header = "Rc(kN)",
    .shown = Shown::Always,
    .sort = ColumnSort{"Rc"},
    .file = TableFileCell{.place = 110, .width = 7, .blanksAfter = 2, .header = {"桩身强度 ", " Rc(kN)  "}},
    .source = controlText<&Window::edt_rc>,
};
inline constexpr WorkbenchColumn depth{
    .name = "Str_YHzhuangHr",
    .header = "hr(mm)",
    .file = TableFileCell{.place = 30, .width = 6, .blanksAfter = 4, .header = {"嵌岩深度  ", " hr(mm)   "}},
    .source = controlText<&CircularPileWindow::cbe_hr>,
};
inline constexpr WorkbenchColumn strength{
    .name = "Str_YHfrk",
    .header = "frk(MPa)",
    .file = TableFileCell{.place = 40, .width = 6, .blanksAfter = 4, .header = {"岩石强度  ", "frk(MPa)  "}},
    .source = controlText<&CircularPileWindow::edt_frk>,
};
inline constexpr WorkbenchColumn grade{
    .name = "Str_YHhnt",
    .header = "混凝土",
    .file = TableFileCell{.place = 90, .width = 6, .blanksAfter = 4, .header = {"桩混凝土  ", "强度等级  "}},
    .source = controlText<&CircularPileWindow::cbe_hnt>,
};
inline constexpr WorkbenchColumn process{
    .name = "Str_YHczgy",
    .header = "成桩工艺",
    .file = TableFileCell{.place = 50,
                          .width = 8,
                          .centred = true,
                          .blanksAfter = 2,
                          .header = {"成    桩  ", "工    艺  "}},
    .source = memberText<&CircularPileWindow::candidateProcessName>,
};
inline constexpr WorkbenchColumn depthRatio{
    .name = "Str_YHsjb",
    .header = "hr/d",
    .file = TableFileCell{.place = 60, .width = 6, .blanksAfter = 4, .header = {"深 径 比  ", "  hr/d    "}},
    .source = memberText<&CircularPileWindow::candidateDepthRatio>,
};
template <class Window>
inline constexpr WorkbenchColumn zetaR{
    .name = "Str_YHkesair",
    .header = "ζr",
    .file = TableFileCell{.place = 70, .width = 7, .blanksAfter = 3, .header = {"综合系数  ", "  ζr     "}},
    .source = controlText<&Window::edt_kesair>,
};
inline constexpr WorkbenchColumn psiC{
    .name = "Str_YHPsai",
    .header = "ψc",
    .file = TableFileCell{.place = 100, .width = 6, .blanksAfter = 4, .header = {"工艺系数  ", "  ψc     "}},
    .source = memberText<&CircularPileWindow::candidatePsiC>,
};

// The columns Formula 1 and Formula 1 with soil layers begin with, in this order.
template <class Window>
inline constexpr std::array<WorkbenchColumn, 11> circularPileColumns{
    candidateLabelColumn, diameter,      ra<Window>, rc<Window>, depth, strength, grade, process,
    depthRatio,           zetaR<Window>, psiC};

// The chart of a circular-pile workbench at first: d across, the capacity column up, coloured by the
// process or the rock strength.
constexpr WorkbenchChartColumns chartColumns(std::span<const WorkbenchColumn> columns,
                                             const WorkbenchColumn& up) {
    return {.x = columnIndex(columns, diameter.name),
            .y = columnIndex(columns, up.name),
            .colours = {static_cast<int>(columnIndex(columns, process.name)),
                        static_cast<int>(columnIndex(columns, strength.name))}};
}

} // namespace qianyan::circular_pile_columns

// The workbench of Formula 1 with soil layers: Formula 1's five swept inputs and two switches for the
// down-drag and the side resistance, seventeen table columns (the last two, never shown, carry the
// switches), the load-back mapping and the 150-column table file with the panels' soil data boxed
// after it.
#include "circular_pile/circular_pile_columns.h"
#include "formula1_soil/formula1_soil_window.h"
#include "formula1_soil/side_resistance.h"
#include "framework/number_text.h"
#include "framework/text_layout.h"

namespace qianyan {

namespace {

using Shown = WorkbenchColumn::Shown;

constexpr std::size_t downDragSwitchRow = 5, sideResistanceSwitchRow = 6;

constexpr std::array<OptionRow, 11> optionGrid{{
    circularPileOptionGrid[0],
    circularPileOptionGrid[1],
    circularPileOptionGrid[2],
    circularPileOptionGrid[3],
    circularPileOptionGrid[4],
    {OptionKind::Switch, {"嵌岩桩是否考虑", "1", "", "", "不考虑0/考虑1"}},
    {OptionKind::Switch, {"土侧阻力是否考虑", "0", "", "", "不考虑0/考虑1"}},
    circularPileOptionGrid[5],
    circularPileOptionGrid[6],
    {OptionKind::Filter, {"筛选 Ra'(kN)", "9000", "10000", "", "筛选条件二，输入0不起控制作用"}},
    {OptionKind::Filter, {"筛选 Rc(kN)", "6000", "8000", "", "筛选条件三，输入0不起控制作用"}},
}};

namespace cp = circular_pile_columns;
using W = TVOR_FRM_KELD1_1;

std::string_view switchText(bool on) {
    return on ? "1" : "0";
}

// The net capacity after the circular-pile columns; the results table keeps it in view when folded, the
// filtered table folds it away. The last two columns, never shown, carry the switches of the sweep.
constexpr WorkbenchColumn raNet{
    .name = "Str_YHRajin",
    .header = "Ra'(kN)",
    .shown = Shown::Always,
    .shownFiltered = Shown::ExpandedAndAtStart,
    .sort = ColumnSort{"Ra'"},
    .file = TableFileCell{.place = 82, .width = 7, .blanksAfter = 3, .header = {"净承载力  ", " Ra'(kN)  "}},
    .source = controlText<&W::edt_Rajin>,
};
constexpr auto columns = joinedColumns(
    cp::circularPileColumns<W>,
    std::array<WorkbenchColumn, 6>{{
        {.name = "Str_YHQgn",
         .header = "Qgn(kN)",
         .shown = Shown::Always,
         .shownFiltered = Shown::ExpandedAndAtStart,
         .file =
             TableFileCell{.place = 81, .width = 7, .blanksAfter = 3, .header = {"下拉荷载  ", " Qgn(kN)  "}},
         .source = controlText<&W::edt_Qgn>},
        raNet,
        {.name = "Str_YHRajinPercent",
         .header = "Ra'/Ra",
         .shown = Shown::Always,
         .shownFiltered = Shown::ExpandedAndAtStart,
         .sort = ColumnSort{"Ra'/Ra", SortKey::NumberBeforePercent},
         .file =
             TableFileCell{.place = 83, .width = 7, .blanksAfter = 3, .header = {"净承载力  ", "占百分比  "}},
         .source = controlText<&W::edt_RajinPercent>},
        {.name = "Str_YHBeizhu", .header = "备注", .shownFiltered = Shown::ExpandedAndAtStart},
        {.name = "Int_YHfumozhuli",
         .header = "",
         .shown = Shown::Never,
         .source =
             [](const CalculatorFrame& w, std::string&) {
                 return switchText(static_cast<const W&>(w).sweepSwitches().downDrag);
             }},
        {.name = "Int_YHzhengmozhuli",
         .header = "",
         .shown = Shown::Never,
         .source =
             [](const CalculatorFrame& w, std::string&) {
                 return switchText(static_cast<const W&>(w).sweepSwitches().sideResistance);
             }},
    }});
constexpr std::size_t ra = columnIndex(columns, cp::ra<W>.name), rc = columnIndex(columns, cp::rc<W>.name),
                      raNetColumn = columnIndex(columns, raNet.name),
                      downDragSwitch = columnIndex(columns, "Int_YHfumozhuli"),
                      sideResistanceSwitch = columnIndex(columns, "Int_YHzhengmozhuli");

constexpr std::array<FilterRow, 3> filters{{{8, {ra, -1}}, {9, {raNetColumn, -1}}, {10, {rc, -1}}}};
constexpr std::array<BoundsWrite, 3> bounds{{{ra, 8}, {raNetColumn, 9}, {rc, 10}}};

// The appendix is a box of asterisks: 65 columns wide when the down-drag was considered, 50 otherwise.
struct AppendixBox {
    int width;
    std::string_view opening;
    std::string_view sideHeading, sideRule, sideHeader1, sideHeader2;
    int sideBlanks; // after a layer line's last cell
    std::string_view noSideResistance;
};
constexpr AppendixBox wideBox{
    65,
    "*  附录：桩侧土体参数                                           *",
    "*    2、 桩侧土体侧阻力参数                                     *",
    "*        -------------------------------------                  *",
    "*        土层    土层    土层厚度    土层侧阻                   *",
    "*        数 n    序号      li(m)     qsik(kPa)                  *",
    20,
    "*    2、 桩侧土体侧阻力不考虑。                                 *",
};
constexpr AppendixBox narrowBox{
    50,
    "*  附录：桩侧土体参数                            *",
    "*    2、 桩侧土体侧阻力参数                      *",
    "*        -------------------------------------   *",
    "*        土层    土层    土层厚度    土层侧阻    *",
    "*        数 n    序号      li(m)     qsik(kPa)   *",
    5,
    "*    2、 桩侧土体侧阻力不考虑。                  *",
};
constexpr std::string_view noDownDragLine = "*    1、 桩侧土嵌岩桩不考虑。                  *";
constexpr std::string_view downDragRule = "*        -----------------------------------------------------  *";

struct BoxCell {
    std::string_view text;
    int width, blanksAfter;
};
// A data line of the box: the border, 8 blanks, the cells right-aligned, the border.
std::string boxLine(std::initializer_list<BoxCell> cells) {
    std::string line = "*";
    line += spaces(8);
    for (const BoxCell& c : cells)
        appendTableFileCell(line, c.text, {.width = c.width, .blanksAfter = c.blanksAfter});
    return line + "*";
}

} // namespace

const WorkbenchDeclaration& TVOR_FRM_KELD1_1::workbenchDeclaration() {
    static const WorkbenchDeclaration layout{
        .options = optionGrid,
        .columns = columns,
        .filters = filters,
        .bounds = bounds,
        .fileWidth = 150,
        .fileOnlyCells = cp::sectionFileCell,
        .chart = cp::chartColumns(columns, raNet),
    };
    return layout;
}

std::vector<LoopCounts> TVOR_FRM_KELD1_1::readOptionRows() {
    LoopCounts counts = readCircularPileOptions();
    // Both switch cells are read before either box changes, so that an unreadable one changes nothing.
    const TextTable& grid = workbench.Grid1_Youhuaxuanxiang.rows;
    sweepSwitches_.downDrag = readInteger(grid.cell(downDragSwitchRow, 1)) >= 1;
    sweepSwitches_.sideResistance = readInteger(grid.cell(sideResistanceSwitchRow, 1)) >= 1;
    return {std::move(counts)};
}

void TVOR_FRM_KELD1_1::writeCandidate(std::size_t /*kind*/, const CandidateStep& step) {
    // The boxes are set by the sweep itself, not while its rows are read, so that a large sweep the
    // person declines leaves them as they were; after the first candidate they no longer change.
    if (step.firstChanged == 0) {
        setInputChecked(ckb_fumozhuli, sweepSwitches_.downDrag);
        setInputChecked(ckb_zhengmozhuli, sweepSwitches_.sideResistance);
    }
    writeCircularPileCandidate(step);
}

void TVOR_FRM_KELD1_1::loadCandidate(const TextTable& table, std::size_t row) {
    loadCircularPileInputs(table, row);
    // Only the texts a sweep writes move a box.
    for (const auto& [column, box] :
         {std::pair{downDragSwitch, &ckb_fumozhuli}, std::pair{sideResistanceSwitch, &ckb_zhengmozhuli}}) {
        const std::string_view text = table.cell(row, column);
        if (text == "0" || text == "1") setInputChecked(*box, text == "1");
    }
}

void TVOR_FRM_KELD1_1::writeTableAppendix(const LineSink& sink, const TextTable& table) {
    sink("");
    if (table.empty()) return;
    // All rows of a sweep share the switches; texts a sweep never writes leave out what depends on them.
    const std::string_view downDrag = table.cell(0, downDragSwitch);
    const std::string_view sideResistance = table.cell(0, sideResistanceSwitch);
    if (downDrag != "0" && downDrag != "1") return;
    const AppendixBox& box = downDrag == "1" ? wideBox : narrowBox;
    const std::string border = repeated('*', box.width);
    sink(border);
    sink(box.opening);
    if (downDrag == "1")
        writeDownDragAppendix(sink);
    else
        sink(noDownDragLine);

    if (sideResistance == "1") {
        sink(box.sideHeading);
        sink(box.sideRule);
        sink(box.sideHeader1);
        sink(box.sideHeader2);
        sink(box.sideRule);
        const TextTable& layers = Grid1_Zhengmozhulijisuan.rows;
        for (std::size_t r = 0; r < layers.rowCount(); ++r)
            sink(boxLine({{cbb_ZhengTuchengshu.text, 3, 5},
                          {layers.cell(r, sideLayerNumber), 3, 5},
                          {layers.cell(r, sideThickness), 7, 5},
                          {layers.cell(r, sideQsik), 7, box.sideBlanks}}));
        sink(box.sideRule);
    } else if (sideResistance == "0") {
        sink(box.noSideResistance);
    }
    sink(border);
}

void TVOR_FRM_KELD1_1::writeDownDragAppendix(const LineSink& sink) const {
    // p, Eg and Ep as numbers at the time of saving: a text that is not one ends the save unwritten.
    const std::string groundElevation = fixed(readStrict(edt_Dimianbiaogao.text), 10, 3);
    const std::string pileTopElevation = fixed(readStrict(edt_Zhuangdingbiaogao.text), 10, 3);
    const std::string load = fixed(readStrict(cbe_Junbuhezai.text), 10, 2);
    sink("*    1、 桩侧土体嵌岩桩参数                                   *");
    sink(downDragRule);
    sink("*        土层    地面标高    桩顶标高       地面大面积荷载      *");
    sink("*        数 m      Eg(m)       Ep(m)            p(kN/m2)        *");
    sink(downDragRule);
    sink(boxLine(
        {{cbb_Tuchengshu.text, 3, 4}, {groundElevation, 8, 4}, {pileTopElevation, 8, 5}, {load, 13, 10}}));
    sink(downDragRule);
    sink("*        土层    层底标高    土体重度    嵌岩桩    土层侧阻   *");
    sink("*        序号      Ei(m)    γi(kN/m3)   系数ξni    qsik(kPa)  *");
    sink(downDragRule);
    const TextTable& layers = Grid1_Fumozhulijisuan.rows;
    for (std::size_t r = 0; r < layers.rowCount(); ++r)
        sink(boxLine({{layers.cell(r, dragLayerNumber), 3, 5},
                      {layers.cell(r, dragBottomElevation), 8, 4},
                      {layers.cell(r, dragUnitWeight), 7, 5},
                      {layers.cell(r, dragCoefficient), 6, 6},
                      {layers.cell(r, dragQsik), 7, 4}}));
    sink(downDragRule);
}

} // namespace qianyan

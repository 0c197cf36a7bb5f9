// The workbench of Formula 1 with soil layers: Formula 1's five swept inputs and two switches for the
// down-drag and the side resistance, seventeen table columns (the last two, never shown, carry the
// switches), the load-back mapping and the 150-column table file with the panels' soil data boxed
// after it.
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

// The results table keeps the net capacity in view when folded; the filtered table folds it away.
constexpr std::array<WorkbenchColumn, 17> columns{{
    {"01_Str_YHzhuangbianhao", "桩编号", Shown::Always},
    {"02_Str_YHzhuangD", "d(mm)", Shown::Always},
    {"03_Str_YHRa", "Ra(kN)", Shown::Always},
    {"04_Str_YHRc", "Rc(kN)", Shown::Always},
    {"05_Str_YHzhuangHr", "hr(mm)", Shown::Expanded},
    {"06_Str_YHfrk", "frk(MPa)", Shown::Expanded},
    {"07_Str_YHhnt", "混凝土", Shown::Expanded},
    {"08_Str_YHczgy", "成桩工艺", Shown::Expanded},
    {"09_Str_YHsjb", "hr/d", Shown::Expanded},
    {"10_Str_YHkesair", "ζr", Shown::Expanded},
    {"11_Str_YHPsai", "ψc", Shown::Expanded},
    {"12_Str_YHQgn", "Qgn(kN)", Shown::Always, Shown::ExpandedAndAtStart},
    {"13_Str_YHRajin", "Ra'(kN)", Shown::Always, Shown::ExpandedAndAtStart},
    {"14_Str_YHRajinPercent", "Ra'/Ra", Shown::Always, Shown::ExpandedAndAtStart},
    {"15_Str_YHBeizhu", "备注", Shown::Expanded, Shown::ExpandedAndAtStart},
    {"16_Int_YHfumozhuli", "", Shown::Never},
    {"17_Int_YHzhengmozhuli", "", Shown::Never},
}};
enum Column : std::size_t {
    label,
    diameter,
    ra,
    rc,
    depth,
    strength,
    grade,
    process,
    depthRatio,
    zetaR,
    psiC,
    qgn,
    raNet,
    raShare,
    remark,
    downDragSwitch,
    sideResistanceSwitch
};

constexpr std::array<SortColumn, 5> sortColumns{{
    circularPileSortColumns[0],
    circularPileSortColumns[1],
    circularPileSortColumns[2],
    {raNet, "Ra'", "Ra'(kN)"},
    {raShare, "Ra'/Ra", "Ra'/Ra", SortKey::NumberBeforePercent},
}};
constexpr std::array<FilterRow, 3> filters{{{8, {ra, -1}}, {9, {raNet, -1}}, {10, {rc, -1}}}};
constexpr std::array<BoundsWrite, 3> bounds{{{ra, 8}, {raNet, 9}, {rc, 10}}};

constexpr std::array<TableFileCell, 14> fileCells{{
    {-1, 8, true, 2, "圆  桩"},
    {diameter, 6, false, 4},
    {depth, 6, false, 4},
    {strength, 6, false, 4},
    {process, 8, true, 2},
    {depthRatio, 6, false, 4},
    {zetaR, 7, false, 3},
    {ra, 7, false, 3},
    {qgn, 7, false, 3},
    {raNet, 7, false, 3},
    {raShare, 7, false, 3},
    {grade, 6, false, 4},
    {psiC, 6, false, 4},
    {rc, 7, false, 2},
}};

std::string_view switchText(bool on) {
    return on ? "1" : "0";
}

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
    for (const BoxCell& c : cells) appendTableFileCell(line, c.text, {0, c.width, false, c.blanksAfter});
    return line + "*";
}

} // namespace

const WorkbenchDeclaration& TVOR_FRM_KELD1_1::workbenchDeclaration() {
    static const WorkbenchDeclaration layout{
        optionGrid,
        columns,
        sortColumns,
        filters,
        bounds,
        {},
        150,
        " 基    桩  桩身截面  桩身直径  嵌岩深度  岩石强度  成    桩  深 径 比  "
        "综合系数  桩承载力  下拉荷载  净承载力  净承载力  桩混凝土  工艺系数  桩身强度 ",
        " 编    号  类    型    d(mm)    hr(mm)   frk(MPa)  工    艺    hr/d      ζr      "
        "Ra(kN)    Qgn(kN)   Ra'(kN)  占百分比  强度等级    ψc      Rc(kN)  ",
        fileCells,
        standardTableFileNote,
        {diameter, raNet, {process, strength}},
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

void TVOR_FRM_KELD1_1::appendCandidateRow(TextTable& table, std::string_view candidate) {
    const std::array<std::string_view, 17> cells{candidate,
                                                 cbe_dd.text,
                                                 edt_ra.text,
                                                 edt_rc.text,
                                                 cbe_hr.text,
                                                 edt_frk.text,
                                                 cbe_hnt.text,
                                                 candidateProcessName(),
                                                 candidateDepthRatio(),
                                                 edt_kesair.text,
                                                 candidatePsiC(),
                                                 edt_Qgn.text,
                                                 edt_Rajin.text,
                                                 edt_RajinPercent.text,
                                                 {},
                                                 switchText(sweepSwitches_.downDrag),
                                                 switchText(sweepSwitches_.sideResistance)};
    table.appendRow(cells);
}

void TVOR_FRM_KELD1_1::loadCandidate(const TextTable& table, std::size_t row) {
    loadCircularPileInputs(table, row, {diameter, depth, strength, grade, process});
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

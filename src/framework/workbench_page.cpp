// The optimisation workbench page of the frame: opening and leaving it, the option grid, sorting,
// filtering, loading a candidate back, expanding the tables and saving them.
#include "framework/calculator_frame.h"
#include "framework/number_text.h"
#include "framework/text_layout.h"

#include <algorithm>
#include <numeric>

namespace qianyan {

namespace {

constexpr std::array<std::string_view, 3> sortNames{"d", "Ra", "Rc"};
constexpr std::array<std::string_view, 3> sortHeaders{"d(mm)", "Ra(kN)", "Rc(kN)"};
constexpr int tableHeaderWidth = 8;
constexpr int raColumn = 2, rcColumn = 3;
constexpr double noUpperBound = 1e15;

constexpr std::string_view resultsFileName = "嵌岩桩优化计算原始结果(依据JGJ94-2008)_表格.txt";
constexpr std::string_view filteredFileName = "嵌岩桩优化计算筛选结果(依据JGJ94-2008)_表格.txt";

std::string countText(std::string_view before, std::size_t rows) {
    return std::string(before) + general(static_cast<double>(rows)) + " 根";
}

} // namespace

void CalculatorFrame::setUpWorkbench(const WorkbenchLayout& layout) {
    Grid1_Youhuaxuanxiang.columns = {{"Grid1_01_Str_YHxiang", "优化项"},
                                     {"Grid1_02_Str_YHmin", "最小值"},
                                     {"Grid1_03_Str_YHmax", "最大值"},
                                     {"Grid1_04_Str_YHstep", "步进值"},
                                     {"Grid1_05_Str_YHshuoming", "说  明"}};
    Grid1_Youhuaxuanxiang.rows = TextTable(5);
    for (const auto& row : layout.optionGrid)
        Grid1_Youhuaxuanxiang.rows.appendRow(row);
    Grid1_Youhuaxuanxiang.readOnly = true;

    workbenchSetup_ = {layout.optionRows,
                       layout.raFilterRow,
                       layout.rcFilterRow,
                       {},
                       layout.fileWidth,
                       std::string(layout.fileHeader1),
                       std::string(layout.fileHeader2),
                       std::vector<TableFileCell>(layout.fileCells.begin(), layout.fileCells.end())};
    for (Grid* table : {&Grid2_Youhuajieguo, &Grid3_Youhuasaixuan}) {
        const std::string prefix = table == &Grid2_Youhuajieguo ? "Grid2_" : "Grid3_";
        table->columns.clear();
        for (const WorkbenchColumn& c : layout.columns)
            table->columns.push_back({prefix + std::string(c.name), padLeft(c.header, tableHeaderWidth),
                                      c.shown == WorkbenchColumn::Shown::Always});
        table->rows = TextTable(layout.columns.size());
        table->readOnly = true;
    }
    Grid3_Youhuasaixuan.visible = false;
    for (const WorkbenchColumn& c : layout.columns)
        workbenchSetup_.shown.push_back(c.shown);
}

void CalculatorFrame::cbt_YouHuaClick() {
    MainFormLayer.visible = false;
    YouHuaFormLayer.visible = true;
    lb_YHxingxi.color = argb::black;
    lb_YHxingxi.text.clear();
    workbenchOpen_ = true;
}

void CalculatorFrame::cbt_YHfanhuiClick() {
    MainFormLayer.visible = true;
    YouHuaFormLayer.visible = false;
    workbenchOpen_ = false;
}

bool CalculatorFrame::optionCellEditable(int row, int column) const {
    const WorkbenchSetup& s = workbenchSetup_;
    if (row >= 0 && row < s.optionRows) return column >= 1 && column <= 3;
    return (row == s.raFilterRow || row == s.rcFilterRow) && column >= 1 && column <= 2;
}

void CalculatorFrame::Grid1_YouhuaxuanxiangSelectCell(int row, int column) {
    Grid1_Youhuaxuanxiang.selectedRow = row;
    Grid1_Youhuaxuanxiang.selectedColumn = column;
    Grid1_Youhuaxuanxiang.readOnly = !optionCellEditable(row, column);
}

void CalculatorFrame::Grid1_YouhuaxuanxiangEditingDone(int row, int column) {
    if (!optionCellEditable(row, column)) return;
    if (row < workbenchSetup_.optionRows)
        cbt_YHcompute.enabled = true;
    else
        cbt_YHsaixuan.enabled = true;
}

void CalculatorFrame::refuseSweep(std::string_view message) {
    lb_YHxingxi.color = argb::red;
    lb_YHxingxi.text = message;
    throw SilentAbort{};
}

void CalculatorFrame::resetSortHeaders(Grid& table) {
    for (std::size_t k = 0; k < sortHeaders.size(); ++k)
        table.columns[k + 1].header = padLeft(sortHeaders[k], tableHeaderWidth);
}

void CalculatorFrame::Grid2_YouhuajieguoHeaderClick(int column) {
    sortTable(Grid2_Youhuajieguo, column);
}
void CalculatorFrame::Grid3_YouhuasaixuanHeaderClick(int column) {
    sortTable(Grid3_Youhuasaixuan, column);
}

void CalculatorFrame::sortTable(Grid& table, int column) {
    lb_YHxingxi.color = argb::black;
    if (table.rows.rowCount() < 2) {
        lb_YHxingxi.text = "无需排序";
        return;
    }
    if (column < 1 || column > 3) {
        lb_YHxingxi.text = "仅支持d、Ra、Rc排序";
        return;
    }
    const auto k = static_cast<std::size_t>(column - 1);
    TextTable& rows = table.rows;
    if (sortStates_[k] == 0) {
        // Equal values may end in any order; a stable sort of the row order by the read values.
        std::vector<double> keys(rows.rowCount());
        for (std::size_t r = 0; r < keys.size(); ++r)
            keys[r] = readStrict(rows.cell(r, k + 1));
        std::vector<std::uint32_t> order(keys.size());
        std::iota(order.begin(), order.end(), 0u);
        std::stable_sort(order.begin(), order.end(),
                         [&keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
        rows.permute(order);
    } else {
        rows.reverse();
    }
    const int state = sortStates_[k] == 1 ? 2 : 1;
    sortStates_ = {};
    sortStates_[k] = state;
    lb_YHxingxi.text = std::string(sortNames[k]) + (state == 1 ? "升序排列完成" : "降序排列完成");
    resetSortHeaders(table);
    table.columns[k + 1].header =
        padLeft(std::string(sortHeaders[k]) + (state == 1 ? "▲" : "▼"), tableHeaderWidth);
    cbt_YHsave.enabled = true;
}

void CalculatorFrame::cbt_YHsaixuanClick() {
    const TextTable& options = Grid1_Youhuaxuanxiang.rows;
    struct Bounds {
        double minimum, maximum;
    };
    const auto bounds = [&](int row) {
        Bounds b{readStrict(options.cell(static_cast<std::size_t>(row), 1)),
                 readStrict(options.cell(static_cast<std::size_t>(row), 2))};
        if (b.minimum <= 0) b.minimum = 0;
        if (b.maximum <= 0) b.maximum = noUpperBound;
        if (b.minimum > b.maximum) b.maximum = b.minimum;
        return b;
    };
    const Bounds ra = bounds(workbenchSetup_.raFilterRow);
    const Bounds rc = bounds(workbenchSetup_.rcFilterRow);

    TextTable& filtered = Grid3_Youhuasaixuan.rows;
    filtered.clear();
    Grid3_Youhuasaixuan.visible = true;
    Grid2_Youhuajieguo.visible = false;
    lb_YHxingxi.text.clear();
    const TextTable& results = Grid2_Youhuajieguo.rows;
    for (std::size_t r = 0; r < results.rowCount(); ++r) {
        const double vRa = readStrict(results.cell(r, raColumn));
        const double vRc = readStrict(results.cell(r, rcColumn));
        if (vRa >= ra.minimum && vRa <= ra.maximum && vRc >= rc.minimum && vRc <= rc.maximum)
            filtered.appendRowFrom(results, r);
    }

    lb_YHxingxi.color = argb::black;
    cbt_YHsaixuan.enabled = false;
    if (filtered.empty()) {
        lb_YHxingxi.text = "无满足条件桩，调整区间再筛选";
        cbt_YHsave.enabled = false;
    } else {
        lb_YHxingxi.text = countText("筛选完成，桩数：", filtered.rowCount());
        cbt_YHsave.enabled = true;
    }
    sortStates_ = {};
    resetSortHeaders(Grid3_Youhuasaixuan);
}

void CalculatorFrame::Grid2_YouhuajieguoCellDblClick(int row) {
    loadCandidate(Grid2_Youhuajieguo, row);
}
void CalculatorFrame::Grid3_YouhuasaixuanCellDblClick(int row) {
    loadCandidate(Grid3_Youhuasaixuan, row);
}

void CalculatorFrame::loadCandidate(const Grid& table, int row) {
    WorkbenchCalculator* adapter = workbench();
    if (!adapter || row < 0 || static_cast<std::size_t>(row) >= table.rows.rowCount()) return;
    adapter->loadCandidate(table.rows, static_cast<std::size_t>(row));
    cbt_YHfanhuiClick();
}

void CalculatorFrame::cbt_zhangkaiClick() {
    const bool expand = cbt_zhangkai.text == "展开";
    for (Grid* table : {&Grid2_Youhuajieguo, &Grid3_Youhuasaixuan})
        for (std::size_t c = 0; c < table->columns.size() && c < workbenchSetup_.shown.size(); ++c)
            if (workbenchSetup_.shown[c] == WorkbenchColumn::Shown::Expanded)
                table->columns[c].visible = expand;
    if (Grid1_Youhuaxuanxiang.columns.size() == 5) Grid1_Youhuaxuanxiang.columns[4].visible = expand;
    cbt_zhangkai.text = expand ? "折叠" : "展开";
}

void CalculatorFrame::cbt_YHsaveClick() {
    workbenchOpen_ = true;
    const Grid* table = nullptr;
    std::string_view fileName, title;
    if (Grid2_Youhuajieguo.visible && !Grid2_Youhuajieguo.rows.empty()) {
        table = &Grid2_Youhuajieguo;
        fileName = resultsFileName;
        title = "嵌岩桩优化计算原始结果";
    } else if (Grid3_Youhuasaixuan.visible && !Grid3_Youhuasaixuan.rows.empty()) {
        table = &Grid3_Youhuasaixuan;
        fileName = filteredFileName;
        title = "嵌岩桩优化计算筛选结果";
    } else {
        return;
    }
    if (saveLines(fileName, tableFileLines(*table, title))) cbt_YHsave.enabled = false;
}

} // namespace qianyan

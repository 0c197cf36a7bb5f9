// The optimisation workbench page: its controls, opening and leaving it, the option grid, sorting,
// filtering, loading a candidate back, expanding the tables and saving them.
#include "framework/calculator_frame.h"
#include "framework/number_text.h"
#include "framework/sort_keys.h"
#include "framework/text_layout.h"

#include <algorithm>

namespace qianyan {

namespace {

constexpr int tableHeaderWidth = 8;
constexpr double noUpperBound = 1e15;

constexpr std::string_view resultsFileName = "嵌岩桩优化计算原始结果(依据JGJ94-2008)_表格.txt";
constexpr std::string_view filteredFileName = "嵌岩桩优化计算筛选结果(依据JGJ94-2008)_表格.txt";

std::string countText(std::string_view before, std::size_t rows) {
    return std::string(before) + general(static_cast<double>(rows)) + " 根";
}

Control button(std::string text, bool enabled = true) {
    Control c = Control::make(ControlKind::Button, std::move(text));
    c.enabled = enabled;
    return c;
}

// A column's number in its control name: "01" for the first.
std::string twoDigits(std::size_t number) {
    return (number < 10 ? "0" : "") + std::to_string(number);
}

bool shownAtStart(WorkbenchColumn::Shown shown) {
    return shown == WorkbenchColumn::Shown::Always || shown == WorkbenchColumn::Shown::ExpandedAndAtStart;
}

double sortKey(std::string_view cell, SortKey key) {
    return readCellNumber(key == SortKey::NumberBeforePercent ? cell.substr(0, cell.find('%')) : cell);
}

} // namespace

Workbench::Workbench() {
    lb_youhuabiaoti = Control::make(ControlKind::Label);
    cbt_YHcompute = button("计算");
    cbt_YHsaixuan = button("筛选", false);
    cbt_YHsave = button("存盘", false);
    cbt_YHfanhui = button("返回");
    lb_huzhu = Control::make(ControlKind::Label, "1、点击表头排序   2、双击获取数据");
    cbt_zhangkai = button("展开");
    lb_YHxingxi = Control::make(ControlKind::Label);
    pb_YH_jingdu = Control::make(ControlKind::ProgressBar);
    pb_YH_jingdu.visible = false;
}

void Workbench::declare(const WorkbenchDeclaration& declaration) {
    declaration_ = declaration;
    Grid1_Youhuaxuanxiang.columns = {{"Grid1_01_Str_YHxiang", "优化项"},
                                     {"Grid1_02_Str_YHmin", "最小值"},
                                     {"Grid1_03_Str_YHmax", "最大值"},
                                     {"Grid1_04_Str_YHstep", "步进值"},
                                     {"Grid1_05_Str_YHshuoming", "说  明"}};
    Grid1_Youhuaxuanxiang.columns[0].width = 150;
    Grid1_Youhuaxuanxiang.columns[3].align = CellAlign::Centre;
    Grid1_Youhuaxuanxiang.columns[4].width = 300;
    Grid1_Youhuaxuanxiang.rows = TextTable(5, TextTable::Storage::Editable);
    for (const OptionRow& row : declaration.options) Grid1_Youhuaxuanxiang.rows.appendRow(row.cells);
    Grid1_Youhuaxuanxiang.readOnly = true;

    for (Grid* table : {&Grid2_Youhuajieguo, &Grid3_Youhuasaixuan}) {
        const bool results = table == &Grid2_Youhuajieguo;
        const std::string prefix = results ? "Grid2_" : "Grid3_";
        table->columns.clear();
        for (std::size_t n = 0; n < declaration.columns.size(); ++n) {
            const WorkbenchColumn& c = declaration.columns[n];
            const WorkbenchColumn::Shown shown = results ? c.shown : c.shownFiltered.value_or(c.shown);
            GridColumn column{prefix + twoDigits(n + 1) + "_" + std::string(c.name),
                              padLeft(c.header, tableHeaderWidth), shownAtStart(shown)};
            column.width = c.width;
            column.align = CellAlign::Centre;
            table->columns.push_back(std::move(column));
        }
        table->rows = TextTable(declaration.columns.size());
        table->readOnly = true;
    }
    Grid3_Youhuasaixuan.visible = false;
    sortColumns_.clear();
    for (std::size_t c = 0; c < declaration.columns.size(); ++c)
        if (const auto& sort = declaration.columns[c].sort)
            sortColumns_.push_back({c, sort->name, declaration.columns[c].header, sort->key});
    sortStates_.assign(sortColumns_.size(), 0);
    declareTableFile();
    cellScratch_.assign(declaration.columns.size(), {});
    candidateCells_.assign(declaration.columns.size(), {});
}

void Workbench::declareControls(WindowDeclaration& d, CalculatorFrame& window, const Control& page) {
    d.add(&page, {{"lb_youhuabiaoti", &lb_youhuabiaoti},
                  {"Grid1_Youhuaxuanxiang", &Grid1_Youhuaxuanxiang},
                  {"Grid2_Youhuajieguo", &Grid2_Youhuajieguo},
                  {"Grid3_Youhuasaixuan", &Grid3_Youhuasaixuan},
                  {"cbt_YHcompute", &cbt_YHcompute},
                  {"cbt_YHsaixuan", &cbt_YHsaixuan},
                  {"cbt_YHsave", &cbt_YHsave},
                  {"cbt_YHfanhui", &cbt_YHfanhui},
                  {"lb_huzhu", &lb_huzhu},
                  {"cbt_zhangkai", &cbt_zhangkai},
                  {"lb_YHxingxi", &lb_YHxingxi}});
    d.add(nullptr, {{"pb_YH_jingdu", &pb_YH_jingdu}});
    d.label(Grid1_Youhuaxuanxiang, lb_youhuabiaoti);
    CalculatorFrame* w = &window;
    d.onClick(cbt_YHcompute, [this, w] { cbt_YHcomputeClick(*w); });
    d.onClick(cbt_YHsaixuan, [this] { cbt_YHsaixuanClick(); });
    d.onClick(cbt_YHsave, [this, w] { cbt_YHsaveClick(*w); });
    d.onClick(cbt_YHfanhui, [this, w] { cbt_YHfanhuiClick(*w); });
    d.onClick(cbt_zhangkai, [this] { cbt_zhangkaiClick(); });
    d.onGrid(Grid1_Youhuaxuanxiang,
             {[this](int row, int column) { Grid1_YouhuaxuanxiangSelectCell(row, column); },
              [this](int row, int column) { Grid1_YouhuaxuanxiangEditingDone(row, column); },
              {},
              {},
              [this](int row, int column) { return optionCellEditable(row, column); },
              {}});
    for (Grid* table : {&Grid2_Youhuajieguo, &Grid3_Youhuasaixuan})
        d.onGrid(*table, {{},
                          {},
                          [this, w, table](int row) { tableCellDblClick(*w, *table, row); },
                          [this, table](int column) { tableHeaderClick(*table, column); },
                          [](int, int) { return false; },
                          [this, table](std::size_t row) { return rowColor(*table, row); }});
}

void Workbench::cbt_YouHuaClick(CalculatorFrame& window) {
    window.MainFormLayer.visible = false;
    window.YouHuaFormLayer.visible = true;
    lb_YHxingxi.color = argb::black;
    lb_YHxingxi.text.clear();
    open_ = true;
}

void Workbench::cbt_YHfanhuiClick(CalculatorFrame& window) {
    window.MainFormLayer.visible = true;
    window.YouHuaFormLayer.visible = false;
    open_ = false;
}

const OptionRow* Workbench::option(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= declaration_.options.size()) return nullptr;
    return &declaration_.options[static_cast<std::size_t>(row)];
}

bool Workbench::optionCellEditable(int row, int column) const {
    const OptionRow* r = option(row);
    if (!r) return false;
    switch (r->kind) {
    case OptionKind::Range:
    case OptionKind::Grade:
    case OptionKind::Process:
    case OptionKind::Code:
        return column >= 1 && column <= 3;
    case OptionKind::Switch:
        return column == 1;
    case OptionKind::Filter:
        return column >= 1 && column <= 2;
    case OptionKind::Blank:
        return false;
    }
    return false;
}

void Workbench::Grid1_YouhuaxuanxiangSelectCell(int row, int column) {
    Grid1_Youhuaxuanxiang.selectedRow = row;
    Grid1_Youhuaxuanxiang.selectedColumn = column;
    Grid1_Youhuaxuanxiang.readOnly = !optionCellEditable(row, column);
}

void Workbench::Grid1_YouhuaxuanxiangEditingDone(int row, int column) {
    if (!optionCellEditable(row, column)) return;
    if (option(row)->kind == OptionKind::Filter)
        cbt_YHsaixuan.enabled = true;
    else
        cbt_YHcompute.enabled = true;
}

void Workbench::refuse(std::string_view message) {
    lb_YHxingxi.color = argb::red;
    lb_YHxingxi.text = message;
    throw SilentAbort{};
}

void Workbench::noteAbort() {
    lb_YHxingxi.color = argb::red;
    lb_YHxingxi.text = "运行中止，主界面可查看中止位置、原因";
}

void Workbench::resetSortHeaders(Grid& table) {
    for (const SortColumn& s : sortColumns_)
        table.columns[s.column].header = padLeft(s.header, tableHeaderWidth);
}

void Workbench::tableHeaderClick(Grid& table, int column) {
    lb_YHxingxi.color = argb::black;
    if (table.rows.rowCount() < 2) {
        lb_YHxingxi.text = "无需排序";
        return;
    }
    const auto& sortColumns = sortColumns_;
    const auto found = std::find_if(sortColumns.begin(), sortColumns.end(), [column](const SortColumn& s) {
        return s.column == static_cast<std::size_t>(column);
    });
    if (found == sortColumns.end()) {
        std::string message = "仅支持";
        for (const SortColumn& s : sortColumns)
            message.append(&s == sortColumns.data() ? "" : "、").append(s.name);
        lb_YHxingxi.text = message + "排序";
        return;
    }
    const auto k = static_cast<std::size_t>(found - sortColumns.begin());
    TextTable& rows = table.rows;
    if (sortStates_[k] == 0) {
        // Equal values may end in any order; a stable sort of the row order by the read values.
        LargeVector<double> keys(rows.rowCount());
        for (std::size_t r = 0; r < keys.size(); ++r) {
            rows.prefetch(r + 16);
            keys[r] = sortKey(rows.cell(r, found->column), found->key);
        }
        rows.permute(ascendingOrder(keys));
    } else {
        rows.reverse();
    }
    const int state = sortStates_[k] == 1 ? 2 : 1;
    std::fill(sortStates_.begin(), sortStates_.end(), 0);
    sortStates_[k] = state;
    lb_YHxingxi.text = std::string(found->name) + (state == 1 ? "升序排列完成" : "降序排列完成");
    resetSortHeaders(table);
    table.columns[found->column].header =
        padLeft(std::string(found->header) + (state == 1 ? "▲" : "▼"), tableHeaderWidth);
    cbt_YHsave.enabled = true;
}

void Workbench::cbt_YHsaixuanClick() {
    const TextTable& options = Grid1_Youhuaxuanxiang.rows;
    struct Bounds {
        double minimum, maximum;
        std::array<int, 2> columns;
    };
    std::vector<Bounds> bounds;
    for (const FilterRow& f : declaration_.filters) {
        const auto row = static_cast<std::size_t>(f.optionRow);
        Bounds b{readStrict(options.cell(row, 1)), readStrict(options.cell(row, 2)), f.columns};
        if (b.minimum <= 0) b.minimum = 0;
        if (b.maximum <= 0) b.maximum = noUpperBound;
        if (b.minimum > b.maximum) b.maximum = b.minimum;
        bounds.push_back(b);
    }

    TextTable& filtered = Grid3_Youhuasaixuan.rows;
    filtered.clear();
    Grid3_Youhuasaixuan.visible = true;
    Grid2_Youhuajieguo.visible = false;
    lb_YHxingxi.text.clear();
    const TextTable& results = Grid2_Youhuajieguo.rows;
    std::vector<std::string_view> cells(results.columnCount());
    LargeVector<std::uint32_t> passing;
    for (std::size_t r = 0; r < results.rowCount(); ++r) {
        results.prefetch(r + 16);
        results.cells(r, cells);
        const bool passes = std::all_of(bounds.begin(), bounds.end(), [&](const Bounds& b) {
            return std::all_of(b.columns.begin(), b.columns.end(), [&](int column) {
                if (column < 0) return true;
                const double v = readCellNumber(cells[static_cast<std::size_t>(column)]);
                return v >= b.minimum && v <= b.maximum;
            });
        });
        if (passes) passing.push_back(static_cast<std::uint32_t>(r));
    }
    filtered = results.selectRows(passing);

    lb_YHxingxi.color = argb::black;
    cbt_YHsaixuan.enabled = false;
    if (filtered.empty()) {
        lb_YHxingxi.text = "无满足条件桩，调整区间再筛选";
        cbt_YHsave.enabled = false;
    } else {
        lb_YHxingxi.text = countText("筛选完成，桩数：", filtered.rowCount());
        cbt_YHsave.enabled = true;
    }
    std::fill(sortStates_.begin(), sortStates_.end(), 0);
    resetSortHeaders(Grid3_Youhuasaixuan);
}

void Workbench::tableCellDblClick(CalculatorFrame& window, const Grid& table, int row) {
    WorkbenchCalculator* adapter = window.workbenchAdapter();
    if (!adapter || row < 0 || static_cast<std::size_t>(row) >= table.rows.rowCount()) return;
    adapter->loadCandidate(table.rows, static_cast<std::size_t>(row));
    cbt_YHfanhuiClick(window);
}

std::uint32_t Workbench::rowColor(const Grid& table, std::size_t row) const {
    const RowStyle& style = declaration_.rowStyle;
    if (style.column < 0 || row >= table.rows.rowCount()) return argb::black;
    return table.rows.cell(row, static_cast<std::size_t>(style.column)) == style.text ? style.color
                                                                                      : argb::black;
}

void Workbench::cbt_zhangkaiClick() {
    const bool expand = cbt_zhangkai.text == "展开";
    for (Grid* table : {&Grid2_Youhuajieguo, &Grid3_Youhuasaixuan}) {
        const bool results = table == &Grid2_Youhuajieguo;
        for (std::size_t c = 0; c < table->columns.size() && c < declaration_.columns.size(); ++c) {
            const WorkbenchColumn& column = declaration_.columns[c];
            const WorkbenchColumn::Shown shown =
                results ? column.shown : column.shownFiltered.value_or(column.shown);
            if (shown == WorkbenchColumn::Shown::Expanded ||
                shown == WorkbenchColumn::Shown::ExpandedAndAtStart)
                table->columns[c].visible = expand;
        }
    }
    if (Grid1_Youhuaxuanxiang.columns.size() == 5) Grid1_Youhuaxuanxiang.columns[4].visible = expand;
    cbt_zhangkai.text = expand ? "折叠" : "展开";
}

std::optional<Workbench::TableFile> Workbench::beginSave(CalculatorFrame& window) {
    open_ = true;
    const Grid* table = nullptr;
    std::string_view fileName, title;
    if (Grid2_Youhuajieguo.visible && !Grid2_Youhuajieguo.rows.empty()) {
        table = &Grid2_Youhuajieguo;
        fileName = resultsFileName;
        title = resultsTableTitle;
    } else if (Grid3_Youhuasaixuan.visible && !Grid3_Youhuasaixuan.rows.empty()) {
        table = &Grid3_Youhuasaixuan;
        fileName = filteredFileName;
        title = filteredTableTitle;
    } else {
        return std::nullopt;
    }
    // The workbook and, on the desktop, the chart are written beside the table file.
    std::string path = window.savePath(fileName, {".xlsx", ".png"});
    if (path.empty()) return std::nullopt;
    std::string workbookPath = path.substr(0, path.size() - 4) + ".xlsx"; // in place of ".txt"
    std::vector<WorkbookSheet> workbook = workbookSheets();
    std::size_t workbookRows = 0;
    for (const WorkbookSheet& sheet : workbook) workbookRows += sheet.rowCount;
    return TableFile{std::move(path),        tableFileLines(window, *table, title),
                     table->rows.rowCount(), std::move(workbookPath),
                     std::move(workbook),    workbookRows};
}

void Workbench::finishSave(CalculatorFrame& window, const std::optional<PlatformError>& failure) {
    if (failure)
        window.reportSaveFailure(*failure);
    else
        cbt_YHsave.enabled = false;
}

void Workbench::cbt_YHsaveClick(CalculatorFrame& window) {
    const std::optional<TableFile> file = beginSave(window);
    if (!file) return;
    std::optional<PlatformError> failure;
    try {
        writeSave(window.platform(), *file, [] {});
    } catch (const PlatformError& e) {
        failure = e;
    }
    finishSave(window, failure);
}

} // namespace qianyan

#include "framework/qt/workbench_page.h"

#include "framework/calculator_frame.h"
#include "framework/qt/control_binding.h"
#include "framework/qt/qt_text.h"
#include "framework/qt/result_table_model.h"
#include "framework/qt/window_look.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>
#include <QTableWidget>
#include <QThread>

namespace qianyan {

namespace {

constexpr int rowHeight = 22;

QPushButton* pageButton() {
    auto* button = new QPushButton;
    setFontPixels(button, 15);
    return button;
}

QLabel* pageLabel() {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void fixRowHeights(QHeaderView* rows) {
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(rowHeight);
    rows->setMinimumSectionSize(rowHeight);
}

} // namespace

WorkbenchPage::WorkbenchPage(ControlBinding& binding, QWidget* parent)
    : QWidget(parent), binding_(binding), model_(binding.model()) {
    controls_ = new QWidget;
    auto* title = pageLabel();
    setFontPixels(title, 20, true);
    binding_.bind("lb_youhuabiaoti", title);

    buildOptionGrid();

    compute_ = pageButton();
    compute_->setObjectName("cbt_YHcompute");
    connect(compute_, &QPushButton::clicked, this, &WorkbenchPage::startSweep);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    buttons->addWidget(compute_);
    for (const char* name : {"cbt_YHsaixuan", "cbt_YHsave", "cbt_zhangkai", "cbt_YHfanhui"}) {
        QPushButton* button = pageButton();
        binding_.bind(name, button);
        // The binding runs the click; the page then shows what it did to the grids.
        connect(button, &QPushButton::clicked, this, &WorkbenchPage::refresh);
        buttons->addWidget(button);
    }

    auto* hint = pageLabel();
    setFontPixels(hint, 12);
    binding_.bind("lb_huzhu", hint);
    results_ = makeTable("Grid2_Youhuajieguo", resultsModel_);
    filtered_ = makeTable("Grid3_Youhuasaixuan", filteredModel_);

    auto* controlsLayout = new QVBoxLayout(controls_);
    controlsLayout->setContentsMargins(0, 0, 0, 0);
    controlsLayout->addWidget(title);
    controlsLayout->addWidget(options_);
    controlsLayout->addLayout(buttons);
    controlsLayout->addWidget(hint);
    controlsLayout->addWidget(results_, 1);
    controlsLayout->addWidget(filtered_, 1);

    auto* status = pageLabel();
    status->setWordWrap(true);
    binding_.bind("lb_YHxingxi", status);
    progress_ = new QProgressBar;
    progress_->setRange(0, 100);
    progress_->setObjectName("pb_YH_jingdu");
    cancelButton_ = pageButton();
    cancelButton_->setObjectName("cbt_YHquxiao");
    cancelButton_->setText(QStringLiteral("取消"));
    connect(cancelButton_, &QPushButton::clicked, this, &WorkbenchPage::cancelSweep);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(progress_, 1);
    progressRow->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(controls_, 1);
    layout->addWidget(status);
    layout->addLayout(progressRow);
    setSweeping(false);
    refresh();
    // Every row of the option grid in sight; only its width may scroll.
    options_->setFixedHeight(
        options_->horizontalHeader()->sizeHint().height() + options_->rowCount() * rowHeight +
        options_->horizontalScrollBar()->sizeHint().height() + 2 * options_->frameWidth());
}

WorkbenchPage::~WorkbenchPage() {
    if (thread_) {
        cancel_ = true;
        thread_->wait();
    }
}

void WorkbenchPage::buildOptionGrid() {
    options_ = new QTableWidget;
    options_->setObjectName("Grid1_Youhuaxuanxiang");
    options_->verticalHeader()->hide();
    fixRowHeights(options_->verticalHeader());
    options_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    options_->setSelectionMode(QAbstractItemView::SingleSelection);
    options_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    connect(options_, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        act([&](CalculatorFrame& m) { m.Grid1_YouhuaxuanxiangSelectCell(row, column); });
    });
    connect(options_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        const int row = item->row(), column = item->column();
        const std::string text = utf8(item->text());
        act([&](CalculatorFrame& m) { m.editCell("Grid1_Youhuaxuanxiang", row, column, text); });
    });
}

QTableView* WorkbenchPage::makeTable(const char* name, ResultTableModel*& tableModel) {
    const Grid& grid = name == std::string_view("Grid2_Youhuajieguo") ? model_.Grid2_Youhuajieguo
                                                                      : model_.Grid3_Youhuasaixuan;
    auto* view = new QTableView;
    view->setObjectName(name);
    tableModel = new ResultTableModel(grid, view);
    view->setModel(tableModel);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    // Fixed row heights let the view jump to any of a million rows without measuring them.
    fixRowHeights(view->verticalHeader());
    view->horizontalHeader()->setSectionsClickable(true);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setDefaultSectionSize(70);
    connect(view->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this, name](int column) { act([&](CalculatorFrame& m) { m.headerClick(name, column); }); });
    connect(view, &QTableView::doubleClicked, this, [this, name](const QModelIndex& index) {
        act([&](CalculatorFrame& m) { m.doubleClick(name, index.row()); });
    });
    return view;
}

void WorkbenchPage::act(const std::function<void(CalculatorFrame&)>& action) {
    if (sweeping()) return;
    binding_.act(action);
    refresh();
}

void WorkbenchPage::refresh() {
    refreshOptionGrid();
    refreshTable(results_, resultsModel_, "Grid2_Youhuajieguo");
    refreshTable(filtered_, filteredModel_, "Grid3_Youhuasaixuan");
    const Control& compute = model_.cbt_YHcompute;
    compute_->setText(qtText(compute.text));
    compute_->setEnabled(compute.enabled);
    compute_->setVisible(compute.visible);
}

void WorkbenchPage::refreshOptionGrid() {
    const Grid& grid = model_.Grid1_Youhuaxuanxiang;
    const QSignalBlocker block(options_);
    const int rows = static_cast<int>(grid.rows.rowCount()), columns = static_cast<int>(grid.columns.size());
    if (options_->rowCount() != rows) options_->setRowCount(rows);
    if (options_->columnCount() != columns) options_->setColumnCount(columns);
    for (int c = 0; c < columns; ++c) {
        const GridColumn& column = grid.columns[static_cast<std::size_t>(c)];
        if (!options_->horizontalHeaderItem(c)) options_->setHorizontalHeaderItem(c, new QTableWidgetItem);
        options_->horizontalHeaderItem(c)->setText(qtText(column.header));
        options_->setColumnHidden(c, !column.visible);
    }
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            QTableWidgetItem* item = options_->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(c == 3 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
                options_->setItem(r, c, item);
            }
            const QString text =
                qtText(grid.rows.cell(static_cast<std::size_t>(r), static_cast<std::size_t>(c)));
            if (item->text() != text) item->setText(text);
            const Qt::ItemFlags flags =
                Qt::ItemIsSelectable | Qt::ItemIsEnabled |
                (model_.optionCellEditable(r, c) ? Qt::ItemIsEditable : Qt::NoItemFlags);
            if (item->flags() != flags) item->setFlags(flags);
        }
}

void WorkbenchPage::refreshTable(QTableView* view, ResultTableModel* tableModel, const char* name) {
    const Grid& grid = name == std::string_view("Grid2_Youhuajieguo") ? model_.Grid2_Youhuajieguo
                                                                      : model_.Grid3_Youhuasaixuan;
    tableModel->update();
    for (std::size_t c = 0; c < grid.columns.size(); ++c)
        view->setColumnHidden(static_cast<int>(c), !grid.columns[c].visible);
    if (view->isHidden() == grid.visible) view->setVisible(grid.visible);
}

void WorkbenchPage::startSweep() {
    if (sweeping()) return;
    std::uint64_t total = 0;
    binding_.act([&](CalculatorFrame& m) { m.runEvent([&] { total = m.beginSweep(); }); });
    refresh();
    if (total == 0) return;
    worker_ = model_.workbench()->clone();
    cancel_ = false;
    setSweeping(true);
    CalculatorFrame* worker = worker_.get();
    thread_ = QThread::create([this, worker] {
        outcome_ = worker->runSweep(
            [this](std::uint64_t done, std::uint64_t all) {
                QMetaObject::invokeMethod(
                    this, [this, done, all] { showProgress(done, all); }, Qt::QueuedConnection);
            },
            &cancel_);
    });
    connect(thread_, &QThread::finished, this, &WorkbenchPage::endSweep, Qt::QueuedConnection);
    thread_->start();
}

void WorkbenchPage::showProgress(std::uint64_t done, std::uint64_t total) {
    if (!sweeping()) return;
    model_.showSweepProgress(done, total);
    progress_->setValue(static_cast<int>(model_.pb_YH_jingdu.value));
    binding_.refresh();
}

void WorkbenchPage::endSweep() {
    thread_->wait();
    thread_->deleteLater();
    thread_ = nullptr;
    // The copy's controls, the rows among them, become the window's; then the sweep ends as it would
    // have ended on the window itself.
    model_.adoptSweep(*worker_);
    worker_.reset();
    setSweeping(false);
    binding_.act([this](CalculatorFrame& m) { m.runEvent([&] { m.finishSweep(outcome_); }); });
    refresh();
}

void WorkbenchPage::setSweeping(bool on) {
    controls_->setEnabled(!on);
    progress_->setVisible(on);
    cancelButton_->setVisible(on);
    progress_->setValue(0);
    if (on) cancelButton_->setFocus();
}

void WorkbenchPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void WorkbenchPage::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && sweeping()) {
        cancelSweep();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace qianyan

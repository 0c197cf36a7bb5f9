#include "framework/qt/workbench_page.h"

#include "framework/calculator_frame.h"
#include "framework/qt/background_work.h"
#include "framework/qt/control_binding.h"
#include "framework/qt/control_widgets.h"
#include "framework/qt/grid_view.h"
#include "framework/qt/window_look.h"
#include "framework/qt/workbench_chart_view.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>

#include <algorithm>
#include <filesystem>

namespace qianyan {

namespace {

constexpr int shownResultRows = 10;

QLabel* pageLabel() {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

WorkbenchPage::WorkbenchPage(ControlBinding& binding, QWidget* parent)
    : QWidget(parent), binding_(binding), model_(binding.model()) {
    controls_ = new QWidget;
    auto* title = pageLabel();
    setFontPixels(title, 20, true);
    binding_.bind("lb_youhuabiaoti", title);

    auto* options = new GridView(binding_, "Grid1_Youhuaxuanxiang");
    binding_.bind("Grid1_Youhuaxuanxiang", options);

    // 计算, 筛选 and 存盘 start their work here; 展开 and 返回 run their handlers.
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    const std::pair<const char*, std::function<void()>> buttonActions[] = {
        {"cbt_YHcompute", [this] { startSweep(); }},
        {"cbt_YHsaixuan",
         [this] { startOnCopy("cbt_YHsaixuan", [](Workbench& w) { w.cbt_YHsaixuanClick(); }); }},
        {"cbt_YHsave", [this] { startSave(); }},
        {"cbt_zhangkai", {}},
        {"cbt_YHfanhui", {}}};
    for (const auto& [name, action] : buttonActions) {
        QPushButton* button = captionButton(15);
        binding_.bind(name, button);
        buttons->addWidget(button);
        if (!action) continue;
        button->disconnect();
        connect(button, &QPushButton::clicked, this, action);
    }

    auto* hint = pageLabel();
    setFontPixels(hint, 12);
    binding_.bind("lb_huzhu", hint);
    const std::pair<const char*, Grid Workbench::*> tables[] = {
        {"Grid2_Youhuajieguo", &Workbench::Grid2_Youhuajieguo},
        {"Grid3_Youhuasaixuan", &Workbench::Grid3_Youhuasaixuan}};
    // The results and the filtered table (the page shows one of them at a time) over the chart.
    auto* tablesBox = new QWidget;
    auto* tablesLayout = new QVBoxLayout(tablesBox);
    tablesLayout->setContentsMargins(0, 0, 0, 0);
    for (const auto& [name, grid] : tables) {
        auto* table = new GridView(binding_, name);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        binding_.bind(name, table);
        takeHeaderClicks(table, name, grid);
        tablesLayout->addWidget(table, 1);
        (grid == &Workbench::Grid2_Youhuajieguo ? results_ : filtered_) = table;
    }
    chart_ = new WorkbenchChartView(model_);
    connect(chart_, &WorkbenchChartView::candidateClicked, this, &WorkbenchPage::selectCandidate);
    connect(chart_, &WorkbenchChartView::candidateDoubleClicked, this, &WorkbenchPage::loadCandidate);

    // Left, what the person sets: the option grid and the buttons. Right, the table over its chart,
    // each half of the height; the room a larger window has goes to them, and the person may move
    // either divide.
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(options);
    leftLayout->addLayout(buttons);
    leftLayout->addWidget(hint);
    leftLayout->addStretch(1);
    auto* right = new QSplitter(Qt::Vertical);
    right->setChildrenCollapsible(false);
    right->addWidget(tablesBox);
    right->addWidget(chart_);
    right->setStretchFactor(0, 4);
    right->setStretchFactor(1, 5); // the chart's axes and legend take a part of its share
    auto* columns = new QSplitter(Qt::Horizontal);
    columns->setObjectName(QStringLiteral("workbench_columns"));
    columns->setChildrenCollapsible(false);
    columns->addWidget(left);
    columns->addWidget(right);
    columns->setStretchFactor(0, 0);
    columns->setStretchFactor(1, 1);

    auto* controlsLayout = new QVBoxLayout(controls_);
    controlsLayout->setContentsMargins(0, 0, 0, 0);
    controlsLayout->addWidget(title);
    controlsLayout->addWidget(columns, 1);

    auto* status = pageLabel();
    status->setWordWrap(true);
    binding_.bind("lb_YHxingxi", status);
    work_ = new BackgroundWork(*this, QStringLiteral("pb_YH_jingdu"), QStringLiteral("cbt_YHquxiao"));
    connect(work_, &BackgroundWork::busyChanged, controls_, [this](bool on) { controls_->setEnabled(!on); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(controls_, 1);
    layout->addWidget(status);
    layout->addWidget(work_);
    binding_.refresh();
    // Every row of the option grid in sight; only its width may scroll.
    options->setFixedHeight(options->horizontalHeader()->sizeHint().height() +
                            options->model()->rowCount() * options->verticalHeader()->defaultSectionSize() +
                            options->horizontalScrollBar()->sizeHint().height() + 2 * options->frameWidth());
    // and every column whole, the explanations included.
    left->setMinimumWidth(options->horizontalHeader()->length() + 2 * options->frameWidth());
    // Ten result rows in sight at least, whatever the divide.
    results_->parentWidget()->setMinimumHeight(
        results_->horizontalHeader()->sizeHint().height() +
        shownResultRows * results_->verticalHeader()->defaultSectionSize() +
        results_->horizontalScrollBar()->sizeHint().height() + 2 * results_->frameWidth());
}

WorkbenchPage::~WorkbenchPage() {
    // A window closed while a worker runs: the worker stops (a sweep after its candidate, a save before
    // its next line) and what it worked on is freed with the page, before the page's members go.
    work_->stopUnended();
}

bool WorkbenchPage::busy() const {
    return work_->busy();
}

void WorkbenchPage::cancel() {
    work_->cancel();
}

void WorkbenchPage::runInWorker(std::function<void()> work, std::function<void(std::exception_ptr)> ending,
                                bool measured) {
    work_->run(
        std::move(work),
        [this, ending = std::move(ending)](std::exception_ptr failure) {
            ending(failure);
            chart_->tablesChanged();
        },
        measured);
}

void WorkbenchPage::startSweep() {
    if (busy()) return;
    std::uint64_t total = 0;
    binding_.act([&](CalculatorFrame& m) {
        if (m.reachable("cbt_YHcompute")) m.runEvent([&] { total = m.workbench.beginSweep(m); });
    });
    if (total == 0) return;
    struct Sweep {
        std::unique_ptr<CalculatorFrame> window;
        SweepOutcome outcome;
    };
    auto sweep = std::make_shared<Sweep>(Sweep{model_.workbenchAdapter()->clone(), {}});
    runInWorker(
        [this, sweep] {
            // runSweep catches every failure of a candidate.
            CalculatorFrame& window = *sweep->window;
            sweep->outcome = window.workbench.runSweep(
                window,
                [this](std::uint64_t done, std::uint64_t all) {
                    QMetaObject::invokeMethod(
                        this, [this, done, all] { showSweepProgress(done, all); }, Qt::QueuedConnection);
                },
                &work_->cancelFlag());
        },
        [this, sweep](std::exception_ptr) {
            // The copy's controls, the rows among them, become the window's; then the sweep ends as it
            // would have ended on the window itself.
            binding_.act([&](CalculatorFrame& m) {
                m.adoptSweep(*sweep->window);
                m.runEvent([&] { m.workbench.finishSweep(m, sweep->outcome); });
            });
        },
        true);
}

void WorkbenchPage::showSweepProgress(std::uint64_t done, std::uint64_t total) {
    if (!busy()) return;
    model_.workbench.showSweepProgress(done, total);
    work_->showShare(static_cast<int>(model_.workbench.pb_YH_jingdu.value));
    binding_.refresh();
}

void WorkbenchPage::startOnCopy(std::string_view control, std::function<void(Workbench&)> operation) {
    if (busy() || !model_.reachable(control)) return;
    // The copy is made in the worker too: copying a million rows' references takes a while, and
    // nothing changes the window's workbench while a worker runs.
    auto worked = std::make_shared<std::optional<Workbench>>();
    runInWorker(
        [this, worked, operation = std::move(operation)] {
            worked->emplace(model_.workbench);
            operation(**worked);
        },
        [this, worked](std::exception_ptr failure) {
            if (work_->cancelled()) return;
            // The copy ends as the window's own workbench would have ended, a failure's report included.
            binding_.act([&](CalculatorFrame& m) {
                if (*worked) m.workbench = std::move(**worked);
                m.runEvent([&] {
                    if (failure) std::rethrow_exception(failure);
                });
            });
        },
        false);
}

void WorkbenchPage::takeHeaderClicks(GridView* table, std::string name, Grid Workbench::*grid) {
    QHeaderView* header = table->horizontalHeader();
    disconnect(header, &QHeaderView::sectionClicked, table, nullptr);
    connect(header, &QHeaderView::sectionClicked, this, [this, name, grid](int column) {
        startOnCopy(name, [grid, column](Workbench& w) { w.tableHeaderClick(w.*grid, column); });
    });
}

void WorkbenchPage::startSave() {
    if (busy()) return;
    std::optional<Workbench::TableFile> file;
    binding_.act([&](CalculatorFrame& m) {
        if (m.reachable("cbt_YHsave")) m.runEvent([&] { file = m.workbench.beginSave(m); });
    });
    if (!file) return;
    struct Save {
        Workbench::TableFile file;
        WorkbenchChartView::PngWriter writeChart;
        std::optional<std::string> chartFailure;
    };
    auto save = std::make_shared<Save>(Save{std::move(*file), chart_->pngWriter(), {}});
    Platform& platform = model_.platform();
    runInWorker(
        [this, save, &platform] {
            // The share done by the lines and workbook rows written; 取消 stops the writing before the next
            // one, and the writers then leave no file behind and an existing one whole.
            const Workbench::TableFile& file = save->file;
            Workbench::writeSave(platform, file, work_->steps(file.rows + file.workbookRows));
            // Then the chart, under the table file's name with .png in place of its extension.
            save->chartFailure =
                save->writeChart(std::filesystem::path(file.path).replace_extension(".png").string());
        },
        [this, save](std::exception_ptr failure) {
            binding_.act([&](CalculatorFrame& m) {
                m.runEvent([&] {
                    std::optional<PlatformError> writeFailure;
                    try {
                        if (failure) std::rethrow_exception(failure);
                    } catch (const WorkCancelled&) {
                        return;
                    } catch (const PlatformError& e) {
                        writeFailure = e;
                    }
                    m.workbench.finishSave(m, writeFailure);
                    // A chart that could not be written is reported as the table file's; the files stay.
                    if (!writeFailure && save->chartFailure)
                        m.reportSaveFailure(PlatformError(*save->chartFailure));
                });
            });
        },
        true);
}

void WorkbenchPage::selectCandidate(int row) {
    if (results_->isVisible()) {
        results_->selectRow(row);
        results_->scrollTo(results_->model()->index(row, 0));
        return;
    }
    // The filtered table shows the candidate, if at all, in the row the chart found beside its point.
    if (const std::optional<int> shown = chart_->filteredRow(row)) {
        filtered_->selectRow(*shown);
        filtered_->scrollTo(filtered_->model()->index(*shown, 0));
    }
}

void WorkbenchPage::loadCandidate(int row) {
    if (busy()) return;
    binding_.act([&](CalculatorFrame& m) {
        m.runEvent([&] { m.workbench.tableCellDblClick(m, m.workbench.Grid2_Youhuajieguo, row); });
    });
}

} // namespace qianyan

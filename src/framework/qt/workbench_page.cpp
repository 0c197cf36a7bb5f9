#include "framework/qt/workbench_page.h"

#include "framework/calculator_frame.h"
#include "framework/qt/control_binding.h"
#include "framework/qt/grid_view.h"
#include "framework/qt/window_look.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QThread>

namespace qianyan {

namespace {

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

} // namespace

WorkbenchPage::WorkbenchPage(ControlBinding& binding, QWidget* parent)
    : QWidget(parent), binding_(binding), model_(binding.model()) {
    controls_ = new QWidget;
    auto* title = pageLabel();
    setFontPixels(title, 20, true);
    binding_.bind("lb_youhuabiaoti", title);

    auto* options = new GridView(binding_, "Grid1_Youhuaxuanxiang");
    binding_.bind("Grid1_Youhuaxuanxiang", options);

    // 计算 starts the sweep here, on a copy of the window; the other buttons run their handlers.
    compute_ = pageButton();
    binding_.bind("cbt_YHcompute", compute_);
    compute_->disconnect();
    connect(compute_, &QPushButton::clicked, this, &WorkbenchPage::startSweep);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    buttons->addWidget(compute_);
    for (const char* name : {"cbt_YHsaixuan", "cbt_YHsave", "cbt_zhangkai", "cbt_YHfanhui"}) {
        QPushButton* button = pageButton();
        binding_.bind(name, button);
        buttons->addWidget(button);
    }

    auto* hint = pageLabel();
    setFontPixels(hint, 12);
    binding_.bind("lb_huzhu", hint);
    auto* controlsLayout = new QVBoxLayout(controls_);
    controlsLayout->setContentsMargins(0, 0, 0, 0);
    controlsLayout->addWidget(title);
    controlsLayout->addWidget(options);
    controlsLayout->addLayout(buttons);
    controlsLayout->addWidget(hint);
    for (const char* name : {"Grid2_Youhuajieguo", "Grid3_Youhuasaixuan"}) {
        auto* table = new GridView(binding_, name);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        binding_.bind(name, table);
        controlsLayout->addWidget(table, 1);
    }

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
    binding_.refresh();
    // Every row of the option grid in sight; only its width may scroll.
    options->setFixedHeight(options->horizontalHeader()->sizeHint().height() +
                            options->model()->rowCount() * options->verticalHeader()->defaultSectionSize() +
                            options->horizontalScrollBar()->sizeHint().height() + 2 * options->frameWidth());
}

WorkbenchPage::~WorkbenchPage() {
    // A window closed during a sweep: the worker stops after its candidate and is freed with the page.
    if (thread_) {
        cancel_ = true;
        thread_->wait();
    }
}

void WorkbenchPage::startSweep() {
    if (sweeping()) return;
    std::uint64_t total = 0;
    binding_.act([&](CalculatorFrame& m) {
        if (m.reachable("cbt_YHcompute")) m.runEvent([&] { total = m.workbench.beginSweep(m); });
    });
    if (total == 0) return;
    worker_ = model_.workbenchAdapter()->clone();
    cancel_ = false;
    setSweeping(true);
    CalculatorFrame* worker = worker_.get();
    thread_.reset(QThread::create([this, worker] {
        // runSweep catches every failure of a candidate, so nothing escapes the thread.
        outcome_ = worker->workbench.runSweep(
            *worker,
            [this](std::uint64_t done, std::uint64_t all) {
                QMetaObject::invokeMethod(
                    this, [this, done, all] { showProgress(done, all); }, Qt::QueuedConnection);
            },
            &cancel_);
    }));
    connect(thread_.get(), &QThread::finished, this, &WorkbenchPage::endSweep, Qt::QueuedConnection);
    thread_->start();
}

void WorkbenchPage::showProgress(std::uint64_t done, std::uint64_t total) {
    if (!sweeping()) return;
    model_.workbench.showSweepProgress(done, total);
    progress_->setValue(static_cast<int>(model_.workbench.pb_YH_jingdu.value));
    binding_.refresh();
}

void WorkbenchPage::endSweep() {
    if (!thread_) return;
    thread_->wait();
    thread_.reset();
    // The copy's controls, the rows among them, become the window's; then the sweep ends as it would
    // have ended on the window itself.
    model_.adoptSweep(*worker_);
    worker_.reset();
    setSweeping(false);
    binding_.act([this](CalculatorFrame& m) { m.runEvent([&] { m.workbench.finishSweep(m, outcome_); }); });
}

void WorkbenchPage::setSweeping(bool on) {
    controls_->setEnabled(!on);
    progress_->setVisible(on);
    cancelButton_->setVisible(on);
    progress_->setValue(0);
    if (on) cancelButton_->setFocus();
}

void WorkbenchPage::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && sweeping()) {
        cancelSweep();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace qianyan

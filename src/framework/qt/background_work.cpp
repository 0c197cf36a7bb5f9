#include "framework/qt/background_work.h"

#include "framework/qt/control_widgets.h"

#include <QBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QThread>

#include <algorithm>
#include <utility>

namespace qianyan {

BackgroundWork::BackgroundWork(QWidget& page, const QString& progressName, const QString& cancelName)
    : QWidget(&page) {
    progress_ = new QProgressBar;
    progress_->setObjectName(progressName);
    cancelButton_ = captionButton(15);
    cancelButton_->setObjectName(cancelName);
    cancelButton_->setText(QStringLiteral("取消"));
    connect(cancelButton_, &QPushButton::clicked, this, &BackgroundWork::cancel);
    escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), &page, this, &BackgroundWork::cancel,
                            Qt::WidgetWithChildrenShortcut);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(progress_, 1);
    layout->addWidget(cancelButton_);
    setBusy(false, true);
}

BackgroundWork::~BackgroundWork() {
    stopUnended();
}

void BackgroundWork::stopUnended() {
    if (!thread_) return;
    cancel_ = true;
    thread_->wait();
    thread_.reset();
}

void BackgroundWork::run(std::function<void()> work, Ending ending, bool measured) {
    if (busy()) return;
    cancel_ = false;
    failure_ = nullptr;
    ending_ = std::move(ending);
    setBusy(true, measured);
    thread_.reset(QThread::create([this, work = std::move(work)] {
        try {
            work();
        } catch (...) {
            failure_ = std::current_exception();
        }
    }));
    connect(thread_.get(), &QThread::finished, this, &BackgroundWork::endWork, Qt::QueuedConnection);
    thread_->start();
}

void BackgroundWork::stop() {
    if (!thread_) return;
    cancel_ = true;
    endWork();
}

bool BackgroundWork::stoppedByCancel(std::exception_ptr failure) {
    if (!failure) return false;
    try {
        std::rethrow_exception(failure);
    } catch (const WorkCancelled&) {
        return true;
    } catch (...) {
        return false;
    }
}

void BackgroundWork::endWork() {
    if (!thread_) return;
    thread_->wait();
    thread_.reset();
    setBusy(false, true);
    std::exchange(ending_, {})(std::exchange(failure_, nullptr));
}

void BackgroundWork::setBusy(bool on, bool measured) {
    progress_->setRange(0, measured ? 100 : 0);
    progress_->setValue(0);
    progress_->setVisible(on);
    cancelButton_->setVisible(on);
    escape_->setEnabled(on);
    emit busyChanged(on);
    if (on) cancelButton_->setFocus();
}

void BackgroundWork::showShare(int percent) {
    if (busy()) progress_->setValue(percent);
}

BackgroundWork::Progress BackgroundWork::progress() {
    // The share last shown lives with the function, which only the worker calls.
    return [this, shown = -1](std::uint64_t done, std::uint64_t total) mutable {
        if (cancelled()) throw WorkCancelled{};
        const int percent =
            static_cast<int>(std::min<std::uint64_t>(done * 100 / std::max<std::uint64_t>(total, 1), 100));
        if (percent == shown) return;
        shown = percent;
        QMetaObject::invokeMethod(
            this, [this, percent] { showShare(percent); }, Qt::QueuedConnection);
    };
}

std::function<void()> BackgroundWork::steps(std::uint64_t total) {
    return [progress = progress(), total, done = std::uint64_t{0}]() mutable { progress(++done, total); };
}

} // namespace qianyan

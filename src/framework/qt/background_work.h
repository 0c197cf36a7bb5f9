#pragma once
// A long job of a page (a sweep, a sort, a save, an export, a printout) run in a worker thread while the
// page shows its progress line and 取消 under the controls it disables meanwhile. The questions before the
// job and the reports after it stay on the page's thread: run() takes the work and what this thread does
// once the worker has ended. 取消 sets a flag the work looks at between its steps; a writer stopped by it
// leaves no file behind and an existing one whole. Esc is 取消 wherever the focus is on the page, and only
// while the page is busy, so the pages of one window never contend for the key.
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>

class QProgressBar;
class QPushButton;
class QShortcut;
class QThread;

namespace qianyan {

// Thrown from a step of the work when 取消 stopped it.
struct WorkCancelled {};

class BackgroundWork : public QWidget {
    Q_OBJECT

public:
    // The work of page, under whose controls it is placed; progressName and cancelName name the progress
    // bar and the 取消 button (for tests and the probe).
    BackgroundWork(QWidget& page, const QString& progressName, const QString& cancelName);
    // A page closed while a worker runs: the worker stops at its next step and is waited for.
    ~BackgroundWork() override;
    // The same for a page whose work reads the page: its destructor calls this before its members go.
    void stopUnended();

    // What the page's thread does once the worker has ended, given what escaped the work.
    using Ending = std::function<void(std::exception_ptr failure)>;
    // Runs work in a worker thread and then ending here; a measured job shows its share done, any other
    // only that the page is busy. Nothing is started while a worker runs.
    void run(std::function<void()> work, Ending ending, bool measured);
    // Whether a worker runs; the page takes no input but 取消 meanwhile.
    bool busy() const { return thread_ != nullptr; }
    void cancel() { cancel_ = true; }
    // Stops the work as 取消 does and waits for it to end, its ending run.
    void stop();
    bool cancelled() const { return cancel_.load(std::memory_order_relaxed); }
    const std::atomic<bool>& cancelFlag() const { return cancel_; }
    // Whether the failure handed to an Ending is the work stopped by 取消.
    static bool stoppedByCancel(std::exception_ptr failure);

    // Shows percent done; from the page's thread.
    void showShare(int percent);
    // For the worker, told how far it is (done of total): throws WorkCancelled once 取消 was pressed and
    // otherwise shows the share done whenever it changes.
    using Progress = std::function<void(std::uint64_t done, std::uint64_t total)>;
    Progress progress();
    // The same for work counted in total equal steps, called after each.
    std::function<void()> steps(std::uint64_t total);

signals:
    // The page disables its controls while busy and enables them again.
    void busyChanged(bool busy);

private:
    void endWork();
    void setBusy(bool on, bool measured);

    QProgressBar* progress_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QShortcut* escape_ = nullptr; // over the page, enabled while busy
    std::unique_ptr<QThread> thread_;
    Ending ending_;
    std::exception_ptr failure_;
    std::atomic<bool> cancel_ = false;
};

} // namespace qianyan

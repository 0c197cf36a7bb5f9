#pragma once
// The page YouHuaFormLayer: the option grid, the results and filtered tables, the buttons and the
// workbench status line, all bound to the window model's workbench. 计算 sweeps a copy of the window
// model in a worker thread while the page shows the progress; 取消 (or Esc) stops it with the rows
// computed so far, and the rest of the window takes no input until the sweep has ended and its results
// are back in the model.
#include "framework/workbench.h"

#include <QWidget>

#include <atomic>
#include <memory>

class QProgressBar;
class QPushButton;
class QThread;

namespace qianyan {

class CalculatorFrame;
class ControlBinding;

class WorkbenchPage : public QWidget {
  public:
    explicit WorkbenchPage(ControlBinding& binding, QWidget* parent = nullptr);
    ~WorkbenchPage() override;

    bool sweeping() const { return worker_ != nullptr; }
    // Stops a running sweep after the candidate in hand.
    void cancelSweep() { cancel_ = true; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void startSweep();
    void showProgress(std::uint64_t done, std::uint64_t total);
    void endSweep();
    void setSweeping(bool on);

    ControlBinding& binding_;
    CalculatorFrame& model_;
    QWidget* controls_ = nullptr; // everything a person may use outside a sweep
    QPushButton* compute_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancelButton_ = nullptr;

    std::unique_ptr<CalculatorFrame> worker_;
    std::unique_ptr<QThread> thread_;
    std::atomic<bool> cancel_ = false;
    SweepOutcome outcome_;
};

} // namespace qianyan

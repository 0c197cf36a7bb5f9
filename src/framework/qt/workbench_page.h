#pragma once
// The page YouHuaFormLayer: the option grid, the results and filtered tables, the buttons and the
// workbench status line. 计算 sweeps a copy of the window model in a worker thread while the page shows
// the progress; 取消 (or Esc) stops it with the rows computed so far, and the rest of the window takes
// no input until the sweep has ended and its results are back in the model.
#include "framework/workbench.h"

#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QTableWidget;
class QThread;

namespace qianyan {

class CalculatorFrame;
class ControlBinding;
class ResultTableModel;

class WorkbenchPage : public QWidget {
  public:
    explicit WorkbenchPage(ControlBinding& binding, QWidget* parent = nullptr);
    ~WorkbenchPage() override;

    // Brings the option grid and the tables up to date from the model.
    void refresh();
    bool sweeping() const { return worker_ != nullptr; }
    // Stops a running sweep after the candidate in hand.
    void cancelSweep() { cancel_ = true; }

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QTableView* makeTable(const char* name, ResultTableModel*& tableModel);
    void buildOptionGrid();
    void refreshOptionGrid();
    void refreshTable(QTableView* view, ResultTableModel* tableModel, const char* name);
    void act(const std::function<void(CalculatorFrame&)>& action);
    void startSweep();
    void showProgress(std::uint64_t done, std::uint64_t total);
    void endSweep();
    void setSweeping(bool on);

    ControlBinding& binding_;
    CalculatorFrame& model_;
    QWidget* controls_ = nullptr; // everything a person may use outside a sweep
    QTableWidget* options_ = nullptr;
    QTableView* results_ = nullptr;
    QTableView* filtered_ = nullptr;
    ResultTableModel* resultsModel_ = nullptr;
    ResultTableModel* filteredModel_ = nullptr;
    QPushButton* compute_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancelButton_ = nullptr;

    std::unique_ptr<CalculatorFrame> worker_;
    QThread* thread_ = nullptr;
    std::atomic<bool> cancel_ = false;
    SweepOutcome outcome_;
};

} // namespace qianyan

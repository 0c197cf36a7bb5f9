#pragma once
// The page YouHuaFormLayer: the option grid, the results and filtered tables, the buttons and the
// workbench status line, all bound to the window model's workbench. What takes long at a million rows
// runs in a worker thread while the page shows the progress line and 取消 and takes no other input: the
// sweep on a copy of the window, a sort by a header click and a filter on a copy of the workbench (each
// copy becomes the window's when the work ends, so the views never read rows a worker changes), and the
// writing of a saved table file, whose questions and reports stay on this thread. 取消 (or Esc) stops a
// sweep with the rows computed so far, leaves a sort or a filter undone and a save without its file.
// Under the tables, the chart of the results (WorkbenchChartView): a click on a candidate selects its row,
// a double-click loads it back as the table's double-click does, and 存盘 writes the chart as a PNG
// file beside the table file.
#include "framework/workbench.h"

#include <QWidget>

#include <exception>
#include <functional>
#include <string>

namespace qianyan {

class BackgroundWork;
class CalculatorFrame;
class ControlBinding;
class GridView;
class Workbench;
class WorkbenchChartView;
struct Grid;

class WorkbenchPage : public QWidget {
    Q_OBJECT

public:
    explicit WorkbenchPage(ControlBinding& binding, QWidget* parent = nullptr);
    ~WorkbenchPage() override;

    // Whether a worker runs; the page takes no input but 取消 meanwhile.
    bool busy() const;
    // Stops the worker's job as 取消 does.
    void cancel();

private:
    // Runs work in the worker; the chart takes the tables as they are after ending.
    void runInWorker(std::function<void()> work, std::function<void(std::exception_ptr)> ending,
                     bool measured);

    void startSweep();
    void showSweepProgress(std::uint64_t done, std::uint64_t total);
    // A sort or a filter, when the person can reach control: operation on a copy of the workbench.
    void startOnCopy(std::string_view control, std::function<void(Workbench&)> operation);
    void takeHeaderClicks(GridView* table, std::string name, Grid Workbench::*grid);
    void startSave();
    // A candidate the chart was clicked on: its row selected in the table shown.
    void selectCandidate(int row);
    // A candidate the chart was double-clicked on: loaded back as by a double-click on its row.
    void loadCandidate(int row);

    ControlBinding& binding_;
    CalculatorFrame& model_;
    QWidget* controls_ = nullptr; // everything a person may use while no worker runs
    GridView *results_ = nullptr, *filtered_ = nullptr;
    WorkbenchChartView* chart_ = nullptr;
    BackgroundWork* work_ = nullptr;
};

} // namespace qianyan

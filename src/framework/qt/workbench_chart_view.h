#pragma once
// The chart beside the workbench's results table: one sortable column against another, coloured by the
// texts of a declared column, the filtered candidates on top. The table is reduced to what the plot can
// show (binChart) and those points painted in a worker thread, so neither a million rows nor thousands of
// points hold the window; a hover names the candidate under the pointer, a click and a double-click hand
// its row to the page.
#include "framework/workbench_chart.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

class QChart;
class QComboBox;
class QLabel;
class QPainter;
class QThread;
class QValueAxis;

namespace qianyan {

class CalculatorFrame;
class ChartPlot;

class WorkbenchChartView : public QWidget {
    Q_OBJECT

public:
    explicit WorkbenchChartView(CalculatorFrame& model, QWidget* parent = nullptr);
    ~WorkbenchChartView() override;

    // After the results or filtered table changed: the old points are forgotten (they name rows of the
    // old table) and the new ones computed.
    void tablesChanged();
    // Waits for a computation under way and draws it.
    void settle();
    // Writes the chart as a PNG file, replacing an existing one only when the whole picture is written;
    // the reason when it cannot. The writer takes the chart as it is now (the axes and colours chosen, the
    // tables shown) and may run in any thread.
    using PngWriter = std::function<std::optional<std::string>(const std::string& path)>;
    PngWriter pngWriter() const;

    // The points drawn (for a test to aim at one) and where a value lies in the view's viewport.
    const ChartBins& bins() const { return bins_; }
    // The row of the filtered table that lists the candidate of a highlighted point (by its results row).
    std::optional<int> filteredRow(int resultsRow) const;
    QPoint viewportPosition(double x, double y) const;

signals:
    void candidateClicked(int row);
    void candidateDoubleClicked(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class ChartPlot;
    ChartRequest request() const;
    void startBinning();
    void binningEnded();
    // Shows bins_ and points_: the axes, and a series per group for the legend.
    void draw();
    // Puts the worker's picture of the points over the plot area.
    void paintPoints(QPainter& painter) const;
    // The row of the point under a viewport position, if any.
    std::optional<std::uint32_t> rowAt(QPoint position) const;
    QString describe(std::uint32_t row) const;

    CalculatorFrame& model_;
    QComboBox *across_ = nullptr, *up_ = nullptr, *colour_ = nullptr;
    QLabel* counts_ = nullptr;
    ChartPlot* plot_ = nullptr;
    QChart* chart_ = nullptr;
    QValueAxis *xAxis_ = nullptr, *yAxis_ = nullptr;

    // What the worker computes: the points, painted as the plot shows them, and the filtered rows of the
    // highlighted ones.
    struct Plotted {
        ChartBins bins;
        QImage points;
        std::unordered_map<std::uint32_t, std::uint32_t> filteredRows;
    };
    ChartBins bins_;
    QImage points_;
    std::unordered_map<std::uint32_t, std::uint32_t> filteredRows_;
    std::unique_ptr<QThread> thread_;
    std::shared_ptr<Plotted> computed_;
    bool again_ = false;   // the tables or the request changed while a computation ran
    unsigned workers_ = 0; // started so far
};

} // namespace qianyan

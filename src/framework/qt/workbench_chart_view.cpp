#include "framework/qt/workbench_chart_view.h"

#include "documents/qt/chart_painter.h"
#include "documents/qt/qt_text.h"
#include "framework/calculator_frame.h"

#include <QBoxLayout>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsLayout>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <QScatterSeries>
#include <QThread>
#include <QToolTip>
#include <QValueAxis>

namespace qianyan {

namespace {

constexpr int markerPixels = 7;
// Every point is a graphics item of the chart, so the squares are nearly as large as a marker: what a
// finer square would add is hidden under its neighbours anyway.
constexpr int squarePixels = 6;
constexpr double hitPixels = 6;
// 存盘's picture of the chart, and the plot its points are binned for (the painter scales the markers
// by the ratio, so they stand out on the larger picture as on the screen).
constexpr int savedPictureWidth = 1600, savedPictureHeight = 1000, savedTextPixels = 22;
constexpr int savedPlotWidth = 800, savedPlotHeight = 460;

QString trimmedHeader(std::string_view header) {
    return qtText(header).trimmed();
}

int markerSize(const ChartGroup& group) {
    return group.highlighted ? markerPixels + 2 : markerPixels;
}

// The points of the bins as the plot area shows them, group after group (the highlighted on top), on a
// transparent picture of the plot's size: painted in the worker, since a graphics item per point would
// take the window's thread tens of milliseconds for a few thousand.
QImage paintedPoints(const ChartBins& bins) {
    QImage picture(bins.width, bins.height, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(Qt::NoPen);
    const double perX = bins.width / (bins.xMax - bins.xMin), perY = bins.height / (bins.yMax - bins.yMin);
    for (const ChartGroup& group : bins.groups) {
        painter.setBrush(chartGroupColour(group));
        const double radius = markerSize(group) / 2.0;
        for (const ChartPoint& p : group.points)
            painter.drawEllipse(QPointF((p.x - bins.xMin) * perX, (bins.yMax - p.y) * perY), radius, radius);
    }
    return picture;
}

} // namespace

// The chart's view: hover, click and double-click become the owner's rows.
class ChartPlot : public QChartView {
public:
    ChartPlot(QChart* chart, WorkbenchChartView& owner) : QChartView(chart), owner_(owner) {
        setMouseTracking(true);
        setRenderHint(QPainter::Antialiasing, false);
    }

protected:
    void drawForeground(QPainter* painter, const QRectF& rect) override {
        QChartView::drawForeground(painter, rect);
        owner_.paintPoints(*painter);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const std::optional<std::uint32_t> row = owner_.rowAt(event->position().toPoint());
        if (row)
            QToolTip::showText(event->globalPosition().toPoint(), owner_.describe(*row), this);
        else
            QToolTip::hideText();
        QChartView::mouseMoveEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            if (const auto row = owner_.rowAt(event->position().toPoint()))
                emit owner_.candidateClicked(static_cast<int>(*row));
        QChartView::mousePressEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            if (const auto row = owner_.rowAt(event->position().toPoint()))
                emit owner_.candidateDoubleClicked(static_cast<int>(*row));
        QChartView::mouseDoubleClickEvent(event);
    }

private:
    WorkbenchChartView& owner_;
};

WorkbenchChartView::WorkbenchChartView(CalculatorFrame& model, QWidget* parent)
    : QWidget(parent), model_(model) {
    setObjectName("workbench_chart");
    const WorkbenchDeclaration& declared = model_.workbench.declaration();
    across_ = new QComboBox;
    across_->setObjectName("chart_x");
    up_ = new QComboBox;
    up_->setObjectName("chart_y");
    for (const SortColumn& c : model_.workbench.sortColumns()) {
        across_->addItem(trimmedHeader(c.header));
        up_->addItem(trimmedHeader(c.header));
        if (c.column == declared.chart.x) across_->setCurrentIndex(across_->count() - 1);
        if (c.column == declared.chart.y) up_->setCurrentIndex(up_->count() - 1);
    }
    colour_ = new QComboBox;
    colour_->setObjectName("chart_colour");
    for (const int c : declared.chart.colours)
        if (c >= 0 && static_cast<std::size_t>(c) < declared.columns.size())
            colour_->addItem(trimmedHeader(declared.columns[static_cast<std::size_t>(c)].header), c);
    colour_->addItem(QStringLiteral("不分色"), -1);
    for (QComboBox* picker : {across_, up_, colour_})
        connect(picker, &QComboBox::currentIndexChanged, this, [this] { startBinning(); });

    counts_ = new QLabel;
    counts_->setTextFormat(Qt::PlainText);
    auto* pickers = new QHBoxLayout;
    pickers->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char*, QComboBox*> labelled[] = {
        {"横轴", across_}, {"纵轴", up_}, {"颜色", colour_}};
    for (const auto& [text, picker] : labelled) {
        picker->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        pickers->addWidget(new QLabel(QString::fromUtf8(text)));
        pickers->addWidget(picker);
    }
    pickers->addStretch(1);

    // The window is narrow: the legend under the plot, whole numbers on the axes, small texts.
    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->setMargins(QMargins(2, 2, 2, 2));
    chart_->layout()->setContentsMargins(0, 0, 0, 0);
    chart_->setBackgroundRoundness(0);
    QFont small = font();
    small.setPixelSize(10);
    chart_->legend()->setFont(small);
    xAxis_ = new QValueAxis;
    yAxis_ = new QValueAxis;
    for (QValueAxis* axis : {xAxis_, yAxis_}) {
        axis->setLabelFormat("%.0f");
        axis->setLabelsFont(small);
        axis->setTitleFont(small);
        axis->setTickCount(5);
    }
    chart_->addAxis(xAxis_, Qt::AlignBottom);
    chart_->addAxis(yAxis_, Qt::AlignLeft);
    // The points are painted for the plot area's size; another size (new axis texts after a draw, a
    // resize) has them painted anew.
    connect(chart_, &QChart::plotAreaChanged, this, [this](const QRectF& area) {
        const QSize painted(bins_.width, bins_.height);
        if (!bins_.groups.empty() &&
            QSize(static_cast<int>(area.width()), static_cast<int>(area.height())) != painted)
            startBinning();
    });
    plot_ = new ChartPlot(chart_, *this);
    plot_->setObjectName("chart_view");
    plot_->setMinimumHeight(160);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(pickers);
    layout->addWidget(plot_, 1);
    layout->addWidget(counts_);
    tablesChanged();
}

WorkbenchChartView::~WorkbenchChartView() {
    if (thread_) thread_->wait();
}

ChartRequest WorkbenchChartView::request() const {
    const std::span<const SortColumn> sortColumns = model_.workbench.sortColumns();
    ChartRequest r;
    if (sortColumns.empty()) return r;
    const auto sortColumn = [&](const QComboBox* picker) {
        const auto at = static_cast<std::size_t>(std::max(picker->currentIndex(), 0));
        return sortColumns[std::min(at, sortColumns.size() - 1)];
    };
    r.x = sortColumn(across_);
    r.y = sortColumn(up_);
    r.colour = colour_->currentData().toInt();
    QSizeF area = chart_->plotArea().size();
    if (area.isEmpty()) area = plot_->size();
    r.width = static_cast<int>(area.width());
    r.height = static_cast<int>(area.height());
    r.cell = squarePixels;
    return r;
}

void WorkbenchChartView::tablesChanged() {
    bins_ = {};
    filteredRows_.clear();
    startBinning();
}

void WorkbenchChartView::startBinning() {
    if (thread_) {
        again_ = true;
        return;
    }
    again_ = false;
    if (model_.workbench.sortColumns().empty()) return;
    // Snapshots the worker reads while the window may replace its tables; a copy shares the rows until
    // either table changes, so taking it costs nothing here.
    auto results = std::make_shared<TextTable>(model_.workbench.Grid2_Youhuajieguo.rows);
    auto filtered = std::make_shared<TextTable>(model_.workbench.Grid3_Youhuasaixuan.rows);
    auto computed = std::make_shared<Plotted>();
    computed_ = computed;
    thread_.reset(QThread::create([results, filtered, computed, request = request()] {
        computed->bins = binChart(*results, request, rowsAmong(*results, *filtered));
        computed->filteredRows = chosenRowsOfPoints(computed->bins, *results, *filtered);
        computed->points = paintedPoints(computed->bins);
    }));
    // A notice of a worker that settle() has already taken in must not end the next one.
    connect(
        thread_.get(), &QThread::finished, this,
        [this, worker = ++workers_] {
            if (worker == workers_) binningEnded();
        },
        Qt::QueuedConnection);
    thread_->start();
}

void WorkbenchChartView::binningEnded() {
    if (!thread_) return;
    thread_->wait();
    thread_.reset();
    if (again_) {
        startBinning();
        return;
    }
    const std::shared_ptr<Plotted> computed = std::exchange(computed_, nullptr);
    bins_ = std::move(computed->bins);
    filteredRows_ = std::move(computed->filteredRows);
    points_ = std::move(computed->points);
    draw();
}

void WorkbenchChartView::settle() {
    while (thread_) {
        thread_->wait();
        binningEnded();
    }
}

void WorkbenchChartView::draw() {
    // A series per group names it in the legend; its points are the picture the worker painted.
    chart_->removeAllSeries();
    for (const ChartGroup& group : bins_.groups) {
        auto* series = new QScatterSeries;
        series->setName(qtText(group.name));
        series->setMarkerSize(markerSize(group));
        series->setPen(Qt::NoPen);
        chart_->addSeries(series);
        series->setColor(chartGroupColour(group));
        series->attachAxis(xAxis_);
        series->attachAxis(yAxis_);
    }
    const auto setAxis = [](QValueAxis* axis, double min, double max, double step) {
        axis->setRange(min, max);
        if (step > 0) {
            axis->setTickType(QValueAxis::TicksDynamic);
            axis->setTickAnchor(firstTick({min, max, step}));
            axis->setTickInterval(step);
        } else {
            axis->setTickType(QValueAxis::TicksFixed);
        }
        axis->setLabelFormat(QStringLiteral("%.%1f").arg(tickDecimals(step)));
    };
    setAxis(xAxis_, bins_.xMin, bins_.xMax, bins_.xStep);
    setAxis(yAxis_, bins_.yMin, bins_.yMax, bins_.yStep);
    xAxis_->setTitleText(across_->currentText());
    yAxis_->setTitleText(up_->currentText());
    counts_->setText(qtText(chartCountsText(bins_)));
    plot_->viewport()->update();
}

void WorkbenchChartView::paintPoints(QPainter& painter) const {
    if (!points_.isNull()) painter.drawImage(chart_->mapRectToScene(chart_->plotArea()), points_);
}

void WorkbenchChartView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    startBinning();
}

QPoint WorkbenchChartView::viewportPosition(double x, double y) const {
    const QPointF inChart = chart_->mapToPosition({x, y});
    return plot_->mapFromScene(chart_->mapToScene(inChart));
}

std::optional<std::uint32_t> WorkbenchChartView::rowAt(QPoint position) const {
    if (thread_ || bins_.groups.empty()) return std::nullopt; // the points drawn may name other rows
    const QPointF value = chart_->mapToValue(chart_->mapFromScene(plot_->mapToScene(position)));
    const std::optional<ChartPoint> hit = nearestPoint(bins_, value.x(), value.y(), hitPixels);
    if (!hit || hit->row >= model_.workbench.Grid2_Youhuajieguo.rows.rowCount()) return std::nullopt;
    return hit->row;
}

std::optional<int> WorkbenchChartView::filteredRow(int resultsRow) const {
    const auto found = filteredRows_.find(static_cast<std::uint32_t>(resultsRow));
    if (found == filteredRows_.end()) return std::nullopt;
    return static_cast<int>(found->second);
}

QString WorkbenchChartView::describe(std::uint32_t row) const {
    const TextTable& rows = model_.workbench.Grid2_Youhuajieguo.rows;
    const ChartRequest r = request();
    QString text = qtText(rows.cell(row, 0));
    const auto addCell = [&](const QString& header, std::size_t column) {
        text += QStringLiteral("\n%1: %2").arg(header, qtText(rows.cell(row, column)));
    };
    addCell(across_->currentText(), r.x.column);
    addCell(up_->currentText(), r.y.column);
    if (r.colour >= 0) addCell(colour_->currentText(), static_cast<std::size_t>(r.colour));
    return text;
}

WorkbenchChartView::PngWriter WorkbenchChartView::pngWriter() const {
    // The chart as chosen (axes, colours), drawn at a print size rather than grabbed from the screen: a
    // picture for a report does not depend on how large the window happened to be.
    ChartRequest r = request();
    r.width = savedPlotWidth;
    r.height = savedPlotHeight;
    QFont text = font();
    text.setPixelSize(savedTextPixels);
    // Snapshots, as for the binning: the window may replace its tables while the picture is drawn.
    auto results = std::make_shared<TextTable>(model_.workbench.Grid2_Youhuajieguo.rows);
    auto filtered = std::make_shared<TextTable>(model_.workbench.Grid3_Youhuasaixuan.rows);
    return [r, text, results, filtered, xTitle = utf8(across_->currentText()),
            yTitle = utf8(up_->currentText())](const std::string& path) -> std::optional<std::string> {
        const ChartFigure figure{binChart(*results, r, rowsAmong(*results, *filtered)), xTitle, yTitle};
        QImage picture(savedPictureWidth, savedPictureHeight, QImage::Format_RGB32);
        picture.fill(Qt::white);
        {
            QPainter painter(&picture);
            painter.setFont(text);
            paintWorkbenchChart(painter, QRectF(picture.rect()).adjusted(24, 24, -24, -24), figure);
        }
        QSaveFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit())
            return "图表无法写入 " + path + "：" + utf8(file.errorString());
        return std::nullopt;
    };
}

} // namespace qianyan

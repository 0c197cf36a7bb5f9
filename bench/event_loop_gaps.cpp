// How long the desktop's event loop waits, at most, while a person works with large results: the Formula 1
// sheets holding 9,999 designs (showing them with 结果, 保存 of the shown sheet, 导出PDF, 打印 into a
// file, 导出Excel) and the Formula 1 workbench over the fine grid of four million candidates (during the
// sweep, at its end with the rows adopted and the tables shown, a sort by a header click, a save of the
// results table, a filter, and a click on the chart selecting its candidate in the filtered table). A 1 ms
// timer ticks throughout; the longest interval between two ticks in a phase is the longest time the
// window could not have answered a person. Each phase lasts until the page takes input again, and a
// little longer, so that the painting it causes is counted too. Offscreen, no display.
//
//     event_loop_gaps [sheets|workbench]     (both when not told)
#include "fine_grid.h"
#include "formula1/qt/formula1_window.h"
#include "framework/qt/control_binding.h"
#include "framework/qt/print_support.h"
#include "framework/qt/workbench_chart_view.h"
#include "platform/scripted_platform.h"

#include <QApplication>
#include <QEventLoop>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTextDocument>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace qianyan {
namespace {

using Clock = std::chrono::steady_clock;

// Ticks after the page took input again that still belong to the phase.
constexpr auto settle = std::chrono::milliseconds(300);

double milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

class Probe {
public:
    struct Phase {
        const char* name;
        std::function<void()> start;
        // Whether the phase has reached its end, asked at every tick.
        std::function<bool()> ended;
        // A phase that settles goes on for a while after its end; one that does not hands over at once,
        // and the gap in which it ended belongs to the next phase.
        bool settles = true;
        double longestGap = 0;
        Clock::time_point begun = {}, endSeen = {};
    };

    explicit Probe(std::vector<Phase> phases) : phases_(std::move(phases)) {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }

    void run() {
        last_ = Clock::now();
        timer_.start();
        loop_.exec();
    }
    const std::vector<Phase>& phases() const { return phases_; }

private:
    void tick() {
        const Clock::time_point now = Clock::now();
        const Clock::time_point previous = last_;
        last_ = now;
        if (!started_) {
            // The window has been shown and painted before the first phase starts.
            if (++warmTicks_ == 200) begin(0, now);
            return;
        }
        if (!phases_[current_].settles && phases_[current_].ended()) {
            phases_[current_].endSeen = previous;
            begin(current_ + 1, previous);
        }
        Phase& phase = phases_[current_];
        phase.longestGap = std::max(phase.longestGap, milliseconds(now - previous));
        if (!phase.settles) return;
        if (phase.endSeen == Clock::time_point{} && phase.ended()) phase.endSeen = now;
        if (phase.endSeen != Clock::time_point{} && now - phase.endSeen >= settle) begin(current_ + 1, now);
    }

    // Starts phase i at the tick of time at; the action's own time counts in the next gap. The action
    // runs in an event of its own: a modal dialog it opens would otherwise run its loop inside this tick,
    // where Qt fires no further tick of the same timer, and the whole dialog would count as one gap.
    void begin(std::size_t i, Clock::time_point at) {
        started_ = true;
        current_ = i;
        if (i == phases_.size()) {
            timer_.stop();
            loop_.quit();
            return;
        }
        phases_[i].begun = at;
        QTimer::singleShot(0, &timer_, [this, i] { phases_[i].start(); });
    }

    std::vector<Phase> phases_;
    QTimer timer_;
    QEventLoop loop_;
    Clock::time_point last_;
    std::size_t current_ = 0;
    int warmTicks_ = 0;
    bool started_ = false;
};

void report(const Probe& probe) {
    std::printf("%-36s %16s %12s\n", "phase", "longest gap ms", "phase s");
    for (const Probe::Phase& phase : probe.phases())
        std::printf("%-36s %16.1f %12.2f\n", phase.name, phase.longestGap,
                    std::chrono::duration<double>(phase.endSeen - phase.begun).count());
}

int failures = 0;

void check(bool ok, const char* what) {
    if (ok) return;
    std::printf("not as expected: %s\n", what);
    ++failures;
}

std::filesystem::path documents(const std::filesystem::path& folder, const char* name) {
    return folder / name; // file names are UTF-8 here
}

// The sheets with 9,999 designs: shown, saved, exported and printed into a file.
void probeSheets(ScriptedPlatform& platform, const std::filesystem::path& folder) {
    constexpr int designs = 9999;
    Formula1Window window(platform);
    window.show();
    CalculatorFrame& model = window.model();
    for (int i = 0; i < designs; ++i) {
        model.typeText("cbe_dd", i % 2 == 0 ? "1000" : "1200");
        model.click("cbt_compute");
    }
    window.refresh();
    platform.defaultAnswer = true; // a save writes over the previous one

    const auto view = [&](const char* name) {
        return qobject_cast<QPlainTextEdit*>(window.controlWidget(name));
    };
    const auto shows = [&](const char* name, const std::vector<std::string>& lines) {
        return static_cast<std::size_t>(view(name)->document()->blockCount()) == lines.size();
    };
    // The buttons of the page: bound to a model control, or the exports (by their object names).
    const auto button = [&](const char* name) {
        auto* bound = qobject_cast<QPushButton*>(window.controlWidget(name));
        return bound ? bound : window.findChild<QPushButton*>(QLatin1String(name));
    };
    // The sheet page takes input again: no 取消 shown (before the exports had one, always).
    const auto idle = [&] {
        const QPushButton* cancel = button("sheet_cancel");
        return cancel == nullptr || cancel->isHidden();
    };
    const auto written = [&](const std::filesystem::path& file) {
        return idle() && std::filesystem::exists(file) && std::filesystem::file_size(file) > 0;
    };
    const std::filesystem::path saved = documents(folder, "嵌岩桩计算书(依据JGJ94-2008)_文本.txt");
    const std::filesystem::path pdf = documents(folder, "嵌岩桩计算书(依据JGJ94-2008)_文本.pdf");
    const std::filesystem::path printed = folder / "printed.pdf";
    const std::filesystem::path workbook = documents(folder, "嵌岩桩计算书(依据JGJ94-2008)_表格.xlsx");
    const auto act = [&](const char* control) {
        window.binding().act([&](CalculatorFrame& m) { m.click(control); });
    };

    Probe probe(
        {{"结果 (the sheets shown)", [&] { act("cbt_View"); },
          [&] {
              return shows("meo_jisuanjieguo_Doc", model.sheet().doc()) &&
                     shows("meo_jisuanjieguo_Xls", model.sheet().xls());
          }},
         {"保存 of the shown sheet", [&] { button("cbt_Save")->click(); }, [&] { return written(saved); }},
         {"导出PDF", [&] { button("export_pdf")->click(); }, [&] { return written(pdf); }},
         {"打印 into a file",
          [&] {
              // The print dialog, once open, is told to print into a PDF file and closed as
              // accepted (done, not accept, which would take the dialog's own fields instead).
              QTimer::singleShot(50, [&] {
                  auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
                  if (!dialog) return;
                  dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
                  dialog->printer()->setOutputFileName(QString::fromStdString(printed.string()));
                  dialog->done(QDialog::Accepted);
              });
              button("print_doc")->click();
          },
          [&] { return written(printed); }},
         {"导出Excel", [&] { button("export_xlsx")->click(); }, [&] { return written(workbook); }}});

    probe.run();
    std::printf("%d designs in the sheets\n", designs);
    report(probe);
    check(model.sheet().designCount() == designs, "every design in the sheets");
    check(platform.dialogs.empty() || platform.dialogs.back().kind != ScriptedPlatform::Dialog::Kind::Error,
          "no save failed");
}

// The workbench over four million candidates.
void probeWorkbench(ScriptedPlatform& platform, const std::filesystem::path& folder) {
    Formula1Window window(platform);
    window.show();
    CalculatorFrame& model = window.model();
    Workbench& bench = model.workbench;
    window.binding().act([](CalculatorFrame& m) { m.click("cbt_YouHua"); });
    window.binding().act([](CalculatorFrame& m) { FineGrid::enter(m, true); });
    platform.defaultAnswer = true; // Yes to a sweep above a million candidates, and to replacing a file

    const auto button = [&](const char* name) {
        return qobject_cast<QPushButton*>(window.controlWidget(name));
    };
    const auto status = [&] { return qobject_cast<QLabel*>(window.controlWidget("lb_YHxingxi"))->text(); };
    // The page takes input again: no 取消 shown.
    const auto idle = [&] {
        return window.findChild<QPushButton*>(QStringLiteral("cbt_YHquxiao"))->isHidden();
    };
    const auto table = [&](const char* name) {
        return qobject_cast<QTableView*>(window.controlWidget(name));
    };
    auto* chart = window.findChild<WorkbenchChartView*>(QStringLiteral("workbench_chart"));
    const std::filesystem::path saved = documents(folder, "嵌岩桩优化计算原始结果(依据JGJ94-2008)_表格.txt");
    // The chart drawn anew after a sort or a filter.
    const auto charted = [&] { return !chart->bins().groups.empty(); };
    // The candidate the chart is clicked on: the highlighted point of the largest results row.
    int clicked = -1;
    const auto clickChart = [&] {
        for (const ChartGroup& group : chart->bins().groups)
            if (group.highlighted)
                for (const ChartPoint& p : group.points) clicked = std::max(clicked, static_cast<int>(p.row));
        emit chart->candidateClicked(clicked);
    };
    const auto clickedSelected = [&] {
        const QModelIndexList selected = table("Grid3_Youhuasaixuan")->selectionModel()->selectedRows();
        return clicked >= 0 && !selected.empty() &&
               bench.Grid3_Youhuasaixuan.rows.cell(static_cast<std::size_t>(selected.front().row()), 0) ==
                   bench.Grid2_Youhuajieguo.rows.cell(static_cast<std::size_t>(clicked), 0);
    };

    Probe probe(
        {{"sweep", [&] { button("cbt_YHcompute")->click(); },
          // The rows arrive in the window when the sweep ends.
          [&] { return !bench.Grid2_Youhuajieguo.rows.empty(); }, false},
         {"end of the sweep", [] {},
          [&] { return idle() && status().startsWith(QStringLiteral("计算完成，桩数")); }},
         {"sort by Ra", [&] { emit table("Grid2_Youhuajieguo")->horizontalHeader()->sectionClicked(2); },
          [&] { return idle() && status() == QStringLiteral("Ra升序排列完成") && charted(); }},
         {"save the results table", [&] { button("cbt_YHsave")->click(); },
          [&] { return idle() && !button("cbt_YHsave")->isEnabled(); }},
         {"filter", [&] { button("cbt_YHsaixuan")->click(); },
          [&] { return idle() && status().startsWith(QStringLiteral("筛选完成")) && charted(); }},
         {"chart click in the filtered table", clickChart, clickedSelected}});
    probe.run();
    std::printf("%llu candidates\n", static_cast<unsigned long long>(FineGrid::fourFoldCandidates));
    report(probe);
    check(bench.Grid2_Youhuajieguo.rows.rowCount() == FineGrid::fourFoldCandidates, "every candidate listed");
    check(bench.Grid3_Youhuasaixuan.rows.rowCount() == FineGrid::fourFoldCandidates,
          "every row passes the filter");
    check(std::filesystem::exists(saved) &&
              std::filesystem::file_size(saved) > FineGrid::fourFoldCandidates * 100,
          "the table file written whole");
}

} // namespace
} // namespace qianyan

int main(int argc, char** argv) {
    using namespace qianyan;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    loadPrintSupportInBackground(); // as the program does when it starts
    const std::string part = argc > 1 ? argv[1] : "";
    if (!part.empty() && part != "sheets" && part != "workbench") {
        std::fprintf(stderr, "usage: event_loop_gaps [sheets|workbench]\n");
        return 2;
    }
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("qianyan-gaps-" + std::to_string(::getpid()));
    if (part.empty() || part == "sheets") {
        ScriptedPlatform platform(folder.string(), {2024, 5, 6, 14, 3, 27});
        probeSheets(platform, folder);
    }
    if (part.empty() || part == "workbench") {
        ScriptedPlatform platform(folder.string(), {2024, 5, 6, 14, 3, 27});
        probeWorkbench(platform, folder);
    }
    std::filesystem::remove_all(folder);
    return failures == 0 ? 0 : 1;
}

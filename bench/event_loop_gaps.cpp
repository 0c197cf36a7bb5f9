// How long the desktop's event loop waits, at most, while the Formula 1 workbench handles the fine grid
// of about a million candidates: during the sweep, at its end (the rows adopted, the tables shown), and
// in a sort by a header click, a save of the results table and a filter. A 1 ms timer ticks throughout;
// the longest interval between two ticks in a phase is the longest time the window could not have
// answered a person. Each phase lasts until the page takes input again, and a little longer, so that
// the painting it causes is counted too. Offscreen, no display.
#include "fine_grid.h"
#include "formula1/qt/formula1_window.h"
#include "framework/qt/control_binding.h"
#include "platform/scripted_platform.h"

#include <QApplication>
#include <QEventLoop>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
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

    // Starts phase i at the tick of time at; the action's own time counts in the next gap.
    void begin(std::size_t i, Clock::time_point at) {
        started_ = true;
        current_ = i;
        if (i == phases_.size()) {
            timer_.stop();
            loop_.quit();
            return;
        }
        phases_[i].begun = at;
        phases_[i].start();
    }

    std::vector<Phase> phases_;
    QTimer timer_;
    QEventLoop loop_;
    Clock::time_point last_;
    std::size_t current_ = 0;
    int warmTicks_ = 0;
    bool started_ = false;
};

} // namespace
} // namespace qianyan

int main(int argc, char** argv) {
    using namespace qianyan;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("qianyan-gaps-" + std::to_string(::getpid()));
    ScriptedPlatform platform(folder.string(), {2024, 5, 6, 14, 3, 27});
    int failures = 0;
    {
        Formula1Window window(platform);
        window.show();
        CalculatorFrame& model = window.model();
        Workbench& bench = model.workbench;
        window.binding().act([](CalculatorFrame& m) { m.click("cbt_YouHua"); });
        window.binding().act([](CalculatorFrame& m) { FineGrid::enter(m); });

        const auto button = [&](const char* name) {
            return qobject_cast<QPushButton*>(window.controlWidget(name));
        };
        const auto status = [&] {
            return qobject_cast<QLabel*>(window.controlWidget("lb_YHxingxi"))->text();
        };
        // The page takes input again: no 取消 shown.
        const auto idle = [&] {
            return window.findChild<QPushButton*>(QStringLiteral("cbt_YHquxiao"))->isHidden();
        };
        const auto table = [&](const char* name) {
            return qobject_cast<QTableView*>(window.controlWidget(name));
        };
        const std::filesystem::path saved = folder / "嵌岩桩优化计算原始结果(依据JGJ94-2008)_表格.txt";

        Probe probe(
            {{"sweep", [&] { button("cbt_YHcompute")->click(); },
              // The rows arrive in the window when the sweep ends.
              [&] { return !bench.Grid2_Youhuajieguo.rows.empty(); }, false},
             {"end of the sweep", [] {},
              [&] { return idle() && status().startsWith(QStringLiteral("计算完成，桩数")); }},
             {"sort by Ra", [&] { emit table("Grid2_Youhuajieguo")->horizontalHeader()->sectionClicked(2); },
              [&] { return idle() && status() == QStringLiteral("Ra升序排列完成"); }},
             {"save the results table", [&] { button("cbt_YHsave")->click(); },
              [&] { return idle() && !button("cbt_YHsave")->isEnabled(); }},
             {"filter", [&] { button("cbt_YHsaixuan")->click(); },
              [&] { return idle() && status().startsWith(QStringLiteral("筛选完成")); }}});
        probe.run();

        std::printf("%-24s %16s %12s\n", "phase", "longest gap ms", "phase s");
        const auto& phases = probe.phases();
        for (std::size_t i = 0; i < phases.size(); ++i) {
            std::printf("%-24s %16.1f %12.2f\n", phases[i].name, phases[i].longestGap,
                        std::chrono::duration<double>(phases[i].endSeen - phases[i].begun).count());
        }
        const auto check = [&](bool ok, const char* what) {
            if (ok) return;
            std::printf("not as expected: %s\n", what);
            ++failures;
        };
        check(bench.Grid2_Youhuajieguo.rows.rowCount() == FineGrid::candidates, "every candidate listed");
        check(bench.Grid3_Youhuasaixuan.rows.rowCount() == FineGrid::candidates,
              "every row passes the filter");
        check(std::filesystem::exists(saved) &&
                  std::filesystem::file_size(saved) > FineGrid::candidates * 100,
              "the table file written whole");
    }
    std::filesystem::remove_all(folder);
    return failures == 0 ? 0 : 1;
}

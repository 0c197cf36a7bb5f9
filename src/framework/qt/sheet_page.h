#pragma once
// The page JieGuo_DocLayer: the Doc and Xls sheets in read-only views, the page switch, the delete-last
// and save buttons, and the font-size slider with its two other handles, Ctrl + wheel and the pinch; the
// Doc sheet as a PDF and on paper, the Xls sheet as an Excel workbook. A save, an export and a printout
// are written in a worker thread (BackgroundWork) while the page shows the progress line and 取消 and
// takes no other input; the questions before and the reports after stay on this thread.
#include "platform/platform.h"

#include <QWidget>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

class QGestureEvent;
class QNativeGestureEvent;
class QPlainTextEdit;
class QPushButton;
class QWheelEvent;

namespace qianyan {

class BackgroundWork;
class CalculatorFrame;
class ColumnGrid;
class ControlBinding;
class SheetLines;

class SheetPage : public QWidget {
    Q_OBJECT

public:
    SheetPage(ControlBinding& binding, QWidget* parent = nullptr);
    ~SheetPage() override;

    // Shows the sheets' lines while the page is shown (a hidden page catches up when it is shown); a
    // view whose sheet changed starts again from its first line that changed, and takes in the rest a
    // slice per turn of the event loop, so that ten thousand designs never hold the window.
    void refresh();
    // Whether a worker writes a file; the page takes no input but 取消 meanwhile.
    bool busy() const;
    // Stops the worker's file as 取消 does and waits for it.
    void stopWork();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void save(bool elsewhere);
    void exportPdf();
    void print();
    void exportWorkbook();

private:
    struct View {
        QPlainTextEdit* memo;
        ColumnGrid* grid;
        bool doc;
        // The sheet's revision and line count as the view shows them.
        std::uint64_t revision = 0;
        std::size_t lineCount = 0;
    };
    QPlainTextEdit* makeView(const char* name);
    // Whether the view does not yet show the sheet's lines as they are.
    static bool behind(const View& view, const SheetLines& sheet);
    // Redoes the view's text from the first line that changed since it was last brought up to date, up
    // to the deadline of this turn; whether lines are left for a later turn.
    static bool bringUpToDate(View& view, const SheetLines& sheet,
                              std::chrono::steady_clock::time_point deadline);
    // Writes a file in the worker; afterwards finish tells the model how it went (the write's failure,
    // if any; nothing after 取消).
    void writeInWorker(std::function<void()> write,
                       std::function<void(CalculatorFrame&, const std::optional<PlatformError>&)> finish);
    // Asks where to export (the name offered, the dialog's filter) and writes the sheets there in the
    // worker; nothing changes the sheets meanwhile, since the page takes no input while busy.
    void exportInWorker(const char* fileName, const char* filter,
                        std::function<void(const CalculatorFrame&, const std::string& path)> write);
    bool wheel(const View& view, const QWheelEvent& event);
    bool pinch(const View& view, QGestureEvent& event);
    bool touchpadZoom(const View& view, const QNativeGestureEvent& event);
    // Hands one zoom event to the model; whether it was handled.
    bool zoomGesture(const View& view, double distance, bool first);

    ControlBinding& binding_;
    QWidget* controls_ = nullptr; // everything a person may use while no worker runs
    BackgroundWork* work_ = nullptr;
    bool catchingUp_ = false;   // a later turn will bring the views further
    std::size_t firstView_ = 0; // the view the next turn starts with
    std::vector<View> views_;
    // The exports of the sheets, enabled while the sheets hold a design.
    std::vector<QPushButton*> exports_;
    double touchpadScale_ = 1;
};

} // namespace qianyan

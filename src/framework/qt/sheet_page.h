#pragma once
// The page JieGuo_DocLayer: the Doc and Xls sheets in read-only views, the page switch, the delete-last
// and save buttons, and the font-size slider with its two other handles, Ctrl + wheel and the pinch; the
// Doc sheet as a PDF and on paper, the Xls sheet as an Excel workbook.
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <vector>

class QGestureEvent;
class QNativeGestureEvent;
class QPlainTextEdit;
class QPushButton;
class QWheelEvent;

namespace qianyan {

class ColumnGrid;
class ControlBinding;
class SheetLines;

class SheetPage : public QWidget {
    Q_OBJECT

public:
    SheetPage(ControlBinding& binding, QWidget* parent = nullptr);

    // Shows the sheets' lines while the page is shown (a hidden page catches up when it is shown); a
    // view whose sheet changed starts again from its first line.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
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
    // Redoes the view's text from the first line that changed since it was last brought up to date.
    static void bringUpToDate(View& view, const SheetLines& sheet);
    bool wheel(const View& view, const QWheelEvent& event);
    bool pinch(const View& view, QGestureEvent& event);
    bool touchpadZoom(const View& view, const QNativeGestureEvent& event);
    // Hands one zoom event to the model; whether it was handled.
    bool zoomGesture(const View& view, double distance, bool first);

    ControlBinding& binding_;
    std::vector<View> views_;
    // The exports of the sheets, enabled while the sheets hold a design.
    std::vector<QPushButton*> exports_;
    double touchpadScale_ = 1;
};

} // namespace qianyan

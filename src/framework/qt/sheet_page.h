#pragma once
// The page JieGuo_DocLayer: the Doc and Xls sheets in read-only views, the page switch, the delete-last
// and save buttons, and the font-size slider with its two other handles, Ctrl + wheel and the pinch.
#include <QWidget>

#include <string>
#include <vector>

class QGestureEvent;
class QNativeGestureEvent;
class QPlainTextEdit;
class QWheelEvent;

namespace qianyan {

class CalculatorFrame;
class ColumnGrid;
class ControlBinding;

class SheetPage : public QWidget {
  public:
    SheetPage(ControlBinding& binding, QWidget* parent = nullptr);

    // Shows the sheets' lines; a view whose sheet changed starts again from its first line.
    void refresh(const CalculatorFrame& model);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct View {
        QPlainTextEdit* memo;
        ColumnGrid* grid;
        std::vector<std::string> shown;
        bool doc;
    };
    QPlainTextEdit* makeView(const char* name);
    bool wheel(const View& view, const QWheelEvent& event);
    bool pinch(const View& view, QGestureEvent& event);
    bool touchpadZoom(const View& view, const QNativeGestureEvent& event);
    // Hands one zoom event to the model; whether it was handled.
    bool zoomGesture(const View& view, double distance, bool first);

    ControlBinding& binding_;
    std::vector<View> views_;
    double touchpadScale_ = 1;
};

} // namespace qianyan

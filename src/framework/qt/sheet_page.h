#pragma once
// The page JieGuo_DocLayer: the Doc and Xls sheets in read-only views, the page switch, the delete-last
// and save buttons, and the font-size slider with its two other handles, Ctrl + wheel and the pinch.
#include <QWidget>

#include <string>
#include <vector>

class QPlainTextEdit;

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
    bool zoom(const View& view, QEvent* event);

    ControlBinding& binding_;
    std::vector<View> views_;
};

} // namespace qianyan

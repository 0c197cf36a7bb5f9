#pragma once
// The desktop face of a calculator window. It builds the frame every calculator shares — the title and
// ©, the input and output groups, ≈ with its popup list, 计算/结果, ★, 退出 and the status line on the
// page MainFormLayer; the sheet page JieGuo_DocLayer; an empty page YouHuaFormLayer for the workbench —
// over a window model, and closes itself when the model asks (or refuses to close when the model's
// question about unsaved sheets is cancelled). A calculator's face only declares its own
// rows:
//
//     Formula1Window::Formula1Window(Platform& platform)
//         : CalculatorWindow(std::make_unique<TVOR_FRM_KELD1>(platform), title, {331, 621}) {
//         addInputRow("桩  身   直   径    d (mm)", "cbe_dd");
//         addOutputRow("单桩竖向承载力 Ra(kN)", "edt_ra");
//     }
//
// The widget of a row follows the kind of the model's control; tab order follows the rows.
#include "framework/calculator_frame.h"

#include <QKeySequence>
#include <QWidget>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QStackedWidget;
class QVBoxLayout;

namespace qianyan {

class ControlBinding;
class FormPage;
class PileDrawingView;
class SheetPage;
class WorkbenchPage;

class CalculatorWindow : public QWidget {
public:
    // clientSize in device-independent pixels: the size the main page is designed for, where the window
    // opens when the screen has room. The window may be made larger (the extra room goes to what grows)
    // or smaller (the main page then scrolls), maximised and minimised. Each page keeps the size the
    // person gave it; the workbench opens larger, as its tables and chart need.
    CalculatorWindow(std::unique_ptr<CalculatorFrame> model, const QString& title, QSize clientSize,
                     QWidget* parent = nullptr);
    ~CalculatorWindow() override;

    CalculatorFrame& model() { return *model_; }
    // The size the shown page is designed for (the main page's with its drawing, the workbench's).
    QSize designedSize() const;
    // The workbench page's designed size: ten result rows and a chart as tall beside the option grid.
    static constexpr QSize workbenchSize{1240, 700};
    ControlBinding& binding() { return *binding_; }
    // The widget bound to the model's control of that name, or nullptr.
    QWidget* controlWidget(std::string_view name) const;
    // Places the workbench's page on YouHuaFormLayer (the window takes it over).
    void setWorkbenchPage(QWidget* page);
    // Brings every widget and the shown page up to date from the model.
    void refresh();
    // The label the model declares for an input.
    std::string_view inputLabel(std::string_view control);

protected:
    // An input row in the group 输入参数: a label and the widget for the model's control: a line edit,
    // an editable or a plain combo box, or a check box, as the control's kind says.
    void addInputRow(std::string_view label, std::string_view control);
    // The same under the label the model declares for the control.
    void addInputRow(std::string_view control) { addInputRow(inputLabel(control), control); }
    // A row of several controls (a check box beside the button of its panel), with a label that may be
    // a control whose text the model changes.
    void addInputRow(std::string_view label, std::initializer_list<std::string_view> controls,
                     std::string_view labelControl = {});
    // A group of the main page between the inputs and the outputs, with rows of its own.
    FormPage* addInputGroup(std::string_view groupControl);
    // A further page of the window, shown while the model shows its layer.
    FormPage* addPage(std::string_view layer);
    // An output row in the group 输出结果: a read-only result field, right-aligned in large green digits.
    // With labelControl the label's text is that model control's (a calculator that relabels a row).
    void addOutputRow(std::string_view label, std::string_view control, std::string_view labelControl = {});
    // The pile in its ground beside the main page's rows, drawn from the model's inputs after every event;
    // the window grows by its width.
    void addPileDrawing();

    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The close button and the launcher's 退出 close the window as 退出 does: asking first about
    // unsaved sheets; cancelled, the window stays.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildMainPage();
    QWidget* inputWidget(std::string_view control);
    // The target group over the drawing, as wide as it: the targets, the answers and 采用.
    QWidget* targetGroup(int width);
    void updateTabOrder();
    // The shown page changed from page from: the size the person gave that page is kept, and the window
    // takes the size the new page had (its designed size the first time), within the screen.
    void pageShown(int from);
    // Resizes the window to size, or to what the screen's free area allows, and keeps it on that screen.
    void fitOnScreen(QSize size);
    void placePrecisionList();
    // 保存项目 and 打开项目 under their standard keys (Ctrl+S, Ctrl+O).
    void addProjectAction(const QString& text, QKeySequence::StandardKey key, void (*run)(CalculatorFrame&));
    void wrapLongInputRows();

    std::unique_ptr<CalculatorFrame> model_;
    ControlBinding* binding_;
    QStackedWidget* pages_ = nullptr;
    QSize mainSize_;               // the main page's designed size
    QWidget* mainPage_ = nullptr;  // inside the scroll area that lets a smaller window show all of it
    std::vector<QSize> pageSizes_; // by page: the size the person left it at, or empty
    bool placed_ = false;          // sized for the screen at the first show
    std::vector<std::string> pageLayers_{"MainFormLayer", "JieGuo_DocLayer", "YouHuaFormLayer"};
    QHBoxLayout* mainRow_ = nullptr; // the main page's rows, and the drawing beside them
    QVBoxLayout* mainLayout_ = nullptr;
    PileDrawingView* pileDrawing_ = nullptr;
    QWidget* outputGroup_ = nullptr;
    SheetPage* sheetPage_ = nullptr;
    WorkbenchPage* workbenchPage_ = nullptr;
    QVBoxLayout* workbenchLayout_ = nullptr;
    QGridLayout* inputRows_ = nullptr;
    QGridLayout* outputRows_ = nullptr;
    struct InputRow {
        QLabel* label;
        QWidget* field;
    };
    std::vector<InputRow> inputRowWidgets_;
    QListWidget* precisionList_ = nullptr;
    std::vector<QWidget*> inputs_, outputs_, buttons_;
    std::vector<QWidget*> targetFields_; // in the order of the target group's rows
};

} // namespace qianyan

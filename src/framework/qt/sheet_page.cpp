#include "framework/qt/sheet_page.h"

#include "documents/printed_pages.h"
#include "documents/qt/qt_text.h"
#include "documents/qt/sheet_font.h"
#include "documents/qt/sheet_pdf.h"
#include "documents/sheet_workbook.h"
#include "framework/calculator_frame.h"
#include "framework/qt/column_grid.h"
#include "framework/qt/control_binding.h"
#include "framework/qt/window_look.h"

#include <QBoxLayout>
#include <QGestureEvent>
#include <QLabel>
#include <QNativeGestureEvent>
#include <QPinchGesture>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTextBlock>
#include <QTextCursor>
#include <QWheelEvent>

namespace qianyan {

namespace {

// A pinch reports a scale; the model moves the slider by distance steps of 20, so a base distance of
// 100 makes doubling the fingers' spread five steps larger.
constexpr double pinchBaseDistance = 100;

QPushButton* smallButton(int width) {
    auto* button = new QPushButton;
    button->setFixedWidth(width);
    return button;
}

} // namespace

SheetPage::SheetPage(ControlBinding& binding, QWidget* parent) : QWidget(parent), binding_(binding) {
    auto* title = new QLabel;
    title->setAlignment(Qt::AlignCenter);
    setFontPixels(title, 20, true);
    binding_.bind("lb_jisuanjieguo", title);

    auto* pageBook = smallButton(36);
    auto* sanchu = smallButton(36);
    auto* slider = new QSlider(Qt::Horizontal);
    auto* save = smallButton(60);
    auto* saveAs = smallButton(72);
    auto* exit = smallButton(60);
    // The file a save wrote; a long path is cut at the page's edge rather than widening the window.
    auto* saved = new QLabel;
    saved->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    binding_.bind("cbt_PageBook", pageBook);
    binding_.bind("cbt_sanchu", sanchu);
    binding_.bind("tcb_meoFontSize", slider);
    binding_.bind("cbt_Save", save);
    binding_.bind("cbt_LingCun", saveAs);
    binding_.bind("lb_cunpan", saved);
    binding_.bind("cbt_Exit", exit);

    // The exports have a row of their own: the sheet page is narrow.
    auto* exports = new QHBoxLayout;
    const auto addExport = [&](const char* text, const char* name, void (SheetPage::*run)()) {
        auto* button = new QPushButton(QString::fromUtf8(text));
        button->setObjectName(QLatin1String(name));
        button->setEnabled(false);
        connect(button, &QPushButton::clicked, this, run);
        exports->addWidget(button);
        exports_.push_back(button);
    };
    addExport("导出PDF", "export_pdf", &SheetPage::exportPdf);
    addExport("打印", "print_doc", &SheetPage::print);
    addExport("导出Excel", "export_xlsx", &SheetPage::exportWorkbook);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(pageBook);
    buttons->addWidget(sanchu);
    buttons->addWidget(slider, 1);
    buttons->addWidget(save);
    buttons->addWidget(saveAs);
    buttons->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(title);
    layout->addWidget(makeView("meo_jisuanjieguo_Doc"), 1);
    layout->addWidget(makeView("meo_jisuanjieguo_Xls"), 1);
    layout->addLayout(exports);
    layout->addLayout(buttons);
    layout->addWidget(saved);
}

QPlainTextEdit* SheetPage::makeView(const char* name) {
    auto* memo = new QPlainTextEdit;
    memo->setReadOnly(true);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setTextInteractionFlags(Qt::NoTextInteraction);
    memo->setFont(sheetFont(12));
    // The views change by cursor edits at their end; an undo history of them would only grow.
    memo->document()->setUndoRedoEnabled(false);
    memo->viewport()->installEventFilter(this);
    memo->viewport()->setAttribute(Qt::WA_AcceptTouchEvents);
    memo->viewport()->grabGesture(Qt::PinchGesture);
    binding_.bind(name, memo);
    views_.push_back({memo, new ColumnGrid(memo->document()), views_.empty()});
    return memo;
}

void SheetPage::exportPdf() {
    binding_.act([](CalculatorFrame& model) {
        model.exportFile(
            "嵌岩桩计算书(依据JGJ94-2008)_文本.pdf", "PDF (*.pdf)", [&](const std::string& path) {
                writeDocSheetPdf(model.sheet().doc(), sheetFigures(model), path, model.sheet().docKinds());
            });
    });
}

void SheetPage::print() {
    QPrinter printer;
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QString::fromUtf8(printedTitle));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        paintDocSheet(printer, binding_.model().sheet().doc(), sheetFigures(binding_.model()),
                      binding_.model().sheet().docKinds());
}

void SheetPage::exportWorkbook() {
    binding_.act([](CalculatorFrame& model) {
        model.exportFile("嵌岩桩计算书(依据JGJ94-2008)_表格.xlsx", "Excel (*.xlsx)",
                         [&](const std::string& path) { writeSheetWorkbook(model.sheet(), path); });
    });
}

void SheetPage::refresh() {
    // A compute on the main page leaves the hidden views alone, so that its cost does not grow with
    // the sheets.
    if (!isVisible()) return;
    const CalculationSheet& sheet = binding_.model().sheet();
    for (QPushButton* button : exports_) button->setEnabled(sheet.designCount() > 0);
    for (View& view : views_) {
        view.grid->setFont(view.memo->font());
        bringUpToDate(view, view.doc ? sheet.docLines() : sheet.xlsLines());
    }
}

void SheetPage::bringUpToDate(View& view, const SheetLines& sheet) {
    if (sheet.revision() == view.revision) return;
    const std::vector<std::string>& lines = sheet.lines();
    const std::size_t kept = sheet.keptSince(view.revision, view.lineCount);
    QString text;
    for (std::size_t i = kept; i < lines.size(); ++i) {
        if (i > 0) text += QLatin1Char('\n');
        text += qtText(lines[i]);
    }
    // Replace everything after the last kept line: from the end of that line (its line break goes
    // with the rest) or from the start of the text.
    QTextDocument* document = view.memo->document();
    QTextCursor cursor(document);
    if (kept > 0) {
        const QTextBlock last = document->findBlockByNumber(static_cast<int>(kept - 1));
        cursor.setPosition(last.position() + last.length() - 1);
    }
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.insertText(text);
    view.revision = sheet.revision();
    view.lineCount = lines.size();
    view.memo->verticalScrollBar()->setValue(0);
    view.memo->horizontalScrollBar()->setValue(0);
}

void SheetPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

bool SheetPage::eventFilter(QObject* watched, QEvent* event) {
    for (const View& view : views_) {
        if (watched != view.memo->viewport()) continue;
        switch (event->type()) {
        case QEvent::Wheel:
            return wheel(view, *static_cast<QWheelEvent*>(event));
        case QEvent::Gesture:
            return pinch(view, *static_cast<QGestureEvent*>(event));
        case QEvent::NativeGesture:
            return touchpadZoom(view, *static_cast<QNativeGestureEvent*>(event));
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool SheetPage::wheel(const View& view, const QWheelEvent& event) {
    const int delta = event.angleDelta().y();
    if (delta == 0) return false;
    const bool ctrlOnly = event.modifiers() == Qt::ControlModifier;
    binding_.act([&](CalculatorFrame& m) {
        m.runEvent([&] {
            if (view.doc)
                m.meo_jisuanjieguo_DocMouseWheel(delta, ctrlOnly);
            else
                m.meo_jisuanjieguo_XlsMouseWheel(delta, ctrlOnly);
        });
    });
    // Without Ctrl alone the wheel scrolls the sheet as usual.
    return ctrlOnly;
}

bool SheetPage::zoomGesture(const View& view, double distance, bool first) {
    bool handled = false;
    binding_.act([&](CalculatorFrame& m) {
        m.runEvent([&] {
            handled = view.doc ? m.meo_jisuanjieguo_DocGesture(distance, first)
                               : m.meo_jisuanjieguo_XlsGesture(distance, first);
        });
    });
    return handled;
}

bool SheetPage::pinch(const View& view, QGestureEvent& event) {
    auto* gesture = static_cast<QPinchGesture*>(event.gesture(Qt::PinchGesture));
    if (!gesture) return false;
    const bool first = gesture->state() == Qt::GestureStarted;
    const bool handled = zoomGesture(view, pinchBaseDistance * gesture->totalScaleFactor(), first);
    // The first event must be taken too, or the rest of the gesture never arrives.
    event.setAccepted(gesture, handled || first);
    return true;
}

bool SheetPage::touchpadZoom(const View& view, const QNativeGestureEvent& event) {
    // A touchpad reports its pinch as steps of relative scale; their product is the gesture's scale.
    switch (event.gestureType()) {
    case Qt::BeginNativeGesture:
        touchpadScale_ = 1;
        zoomGesture(view, pinchBaseDistance, true);
        return true;
    case Qt::ZoomNativeGesture:
        touchpadScale_ *= 1 + event.value();
        zoomGesture(view, pinchBaseDistance * touchpadScale_, false);
        return true;
    default:
        return false;
    }
}

} // namespace qianyan

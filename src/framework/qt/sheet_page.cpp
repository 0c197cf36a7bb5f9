#include "framework/qt/sheet_page.h"

#include "documents/printed_pages.h"
#include "documents/qt/qt_text.h"
#include "documents/qt/sheet_font.h"
#include "documents/qt/sheet_pdf.h"
#include "documents/sheet_workbook.h"
#include "framework/calculator_frame.h"
#include "framework/qt/background_work.h"
#include "framework/qt/column_grid.h"
#include "framework/qt/control_binding.h"
#include "framework/qt/print_support.h"
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
#include <QTimer>
#include <QWheelEvent>

#include <chrono>
#include <memory>

namespace qianyan {

namespace {

// A pinch reports a scale; the model moves the slider by distance steps of 20, so a base distance of
// 100 makes doubling the fingers' spread five steps larger.
constexpr double pinchBaseDistance = 100;

// How long one turn of the event loop may spend taking sheet lines into the views, and how many lines it
// takes between looks at the clock.
constexpr auto sliceTime = std::chrono::milliseconds(10);
constexpr std::size_t linesPerLook = 64;

constexpr const char* pdfName = "嵌岩桩计算书(依据JGJ94-2008)_文本.pdf";
constexpr const char* workbookName = "嵌岩桩计算书(依据JGJ94-2008)_表格.xlsx";

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
    // The sheet is written in the worker; the model's handlers ask and report around it.
    for (const auto& [button, elsewhere] : {std::pair{save, false}, std::pair{saveAs, true}}) {
        button->disconnect();
        connect(button, &QPushButton::clicked, this,
                [this, elsewhere = elsewhere] { this->save(elsewhere); });
    }
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

    controls_ = new QWidget;
    auto* controls = new QVBoxLayout(controls_);
    controls->setContentsMargins(0, 0, 0, 0);
    controls->addWidget(title);
    controls->addWidget(makeView("meo_jisuanjieguo_Doc"), 1);
    controls->addWidget(makeView("meo_jisuanjieguo_Xls"), 1);
    controls->addLayout(exports);
    controls->addLayout(buttons);
    controls->addWidget(saved);
    work_ = new BackgroundWork(*this, QStringLiteral("sheet_progress"), QStringLiteral("sheet_cancel"));
    connect(work_, &BackgroundWork::busyChanged, controls_, [this](bool on) { controls_->setEnabled(!on); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(controls_, 1);
    layout->addWidget(work_);
}

SheetPage::~SheetPage() {
    // The worker's file reads this page's progress; it stops before the page goes.
    work_->stopUnended();
}

bool SheetPage::busy() const {
    return work_->busy();
}

void SheetPage::stopWork() {
    work_->stop();
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

void SheetPage::writeInWorker(
    std::function<void()> write,
    std::function<void(CalculatorFrame&, const std::optional<PlatformError>&)> finish) {
    work_->run(
        std::move(write),
        [this, finish = std::move(finish)](std::exception_ptr failure) {
            // Stopped by 取消: the writers left no file behind and an existing one whole.
            if (BackgroundWork::stoppedByCancel(failure)) return;
            binding_.act([&](CalculatorFrame& m) {
                m.runEvent([&] {
                    std::optional<PlatformError> writeFailure;
                    try {
                        if (failure) std::rethrow_exception(failure);
                    } catch (const PlatformError& e) {
                        writeFailure = e;
                    }
                    finish(m, writeFailure);
                });
            });
        },
        true);
}

void SheetPage::save(bool elsewhere) {
    if (busy()) return;
    std::optional<CalculatorFrame::SheetSave> begun;
    binding_.act([&](CalculatorFrame& m) {
        if (m.reachable(elsewhere ? "cbt_LingCun" : "cbt_Save"))
            m.runEvent([&] { begun = m.beginSheetSave(elsewhere); });
    });
    if (!begun) return;
    auto sheet = std::make_shared<CalculatorFrame::SheetSave>(std::move(*begun));
    Platform& platform = binding_.model().platform();
    writeInWorker(
        [this, sheet, &platform] {
            const std::function<void()> step = work_->steps(sheet->lineCount);
            platform.writeTextFile(sheet->path, [&](const LineSink& sink) {
                sheet->lines([&](std::string_view line) {
                    sink(line);
                    step();
                });
            });
        },
        [sheet](CalculatorFrame& m, const std::optional<PlatformError>& failure) {
            m.finishSheetSave(*sheet, failure);
        });
}

void SheetPage::exportInWorker(const char* fileName, const char* filter,
                               std::function<void(const CalculatorFrame&, const std::string& path)> write) {
    if (busy()) return;
    std::string path;
    binding_.act([&](CalculatorFrame& m) { path = m.exportPath(fileName, filter); });
    if (path.empty()) return;
    const CalculatorFrame& model = binding_.model();
    writeInWorker([&model, path, write = std::move(write)] { write(model, path); },
                  [path](CalculatorFrame& m, const std::optional<PlatformError>& failure) {
                      m.finishExport(path, failure);
                  });
}

void SheetPage::exportPdf() {
    exportInWorker(pdfName, "PDF (*.pdf)", [this](const CalculatorFrame& model, const std::string& path) {
        writeDocSheetPdf(model.sheet().doc(), sheetFigures(model), path, model.sheet().docKinds(),
                         work_->progress());
    });
}

void SheetPage::print() {
    if (busy()) return;
    awaitPrintSupport();
    auto printer = std::make_shared<QPrinter>();
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setDocName(QString::fromUtf8(printedTitle));
    QPrintDialog dialog(printer.get(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const CalculatorFrame& model = binding_.model();
    writeInWorker(
        [this, &model, printer] {
            try {
                paintDocSheet(*printer, model.sheet().doc(), sheetFigures(model), model.sheet().docKinds(),
                              work_->progress());
            } catch (const WorkCancelled&) {
                printer->abort();
                throw;
            }
        },
        [](CalculatorFrame& m, const std::optional<PlatformError>& failure) {
            if (failure) m.platform().reportError(std::string("打印失败：") + failure->what());
        });
}

void SheetPage::exportWorkbook() {
    exportInWorker(workbookName, "Excel (*.xlsx)",
                   [this](const CalculatorFrame& model, const std::string& path) {
                       writeSheetWorkbook(model.sheet(), path, {}, work_->steps(model.sheet().designCount()));
                   });
}

void SheetPage::refresh() {
    // A compute on the main page leaves the hidden views alone, so that its cost does not grow with
    // the sheets.
    if (!isVisible()) return;
    const CalculationSheet& sheet = binding_.model().sheet();
    for (QPushButton* button : exports_) button->setEnabled(sheet.designCount() > 0);
    bool more = false;
    const auto deadline = std::chrono::steady_clock::now() + sliceTime;
    // One slice a turn for all the views together: the view that starts a turn takes at least one look
    // and the others only while the turn has time left, and the next turn starts with the next view, so
    // that every view moves on.
    for (std::size_t k = 0; k < views_.size(); ++k) {
        View& view = views_[(firstView_ + k) % views_.size()];
        view.grid->setFont(view.memo->font());
        const SheetLines& lines = view.doc ? sheet.docLines() : sheet.xlsLines();
        const bool lookNow = k == 0 || std::chrono::steady_clock::now() < deadline;
        more = (lookNow ? bringUpToDate(view, lines, deadline) : behind(view, lines)) || more;
    }
    firstView_ = (firstView_ + 1) % views_.size();

    if (!more || catchingUp_) return;
    catchingUp_ = true;
    QTimer::singleShot(0, this, [this] {
        catchingUp_ = false;
        refresh();
    });
}

bool SheetPage::behind(const View& view, const SheetLines& sheet) {
    return sheet.revision() != view.revision || view.lineCount != sheet.lines().size();
}

bool SheetPage::bringUpToDate(View& view, const SheetLines& sheet,
                              std::chrono::steady_clock::time_point deadline) {
    if (!behind(view, sheet)) return false;
    const std::vector<std::string>& lines = sheet.lines();
    const bool changed = sheet.revision() != view.revision;
    // The view holds the first lineCount lines of its revision; those still the same stay.
    const std::size_t kept = sheet.keptSince(view.revision, view.lineCount);
    QTextDocument* document = view.memo->document();
    QTextCursor cursor(document);
    if (kept > 0) {
        const QTextBlock last = document->findBlockByNumber(static_cast<int>(kept - 1));
        cursor.setPosition(last.position() + last.length() - 1);
    }
    if (kept < view.lineCount) {
        // Everything after the last kept line goes: from the end of that line (its line break goes
        // with the rest) or from the start of the text.
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    cursor.movePosition(QTextCursor::End);
    // At least one slice, so that every view moves on.
    std::size_t next = kept;
    for (bool first = true; next < lines.size() && (first || std::chrono::steady_clock::now() < deadline);
         first = false) {
        QString text;
        for (const std::size_t end = std::min(lines.size(), next + linesPerLook); next < end; ++next) {
            if (next > 0) text += QLatin1Char('\n');
            text += qtText(lines[next]);
        }
        cursor.insertText(text);
    }
    view.revision = sheet.revision();
    view.lineCount = next;
    if (changed) {
        view.memo->verticalScrollBar()->setValue(0);
        view.memo->horizontalScrollBar()->setValue(0);
    }
    return next < lines.size();
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

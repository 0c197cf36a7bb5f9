#include "framework/qt/calculator_window.h"

#include "documents/qt/qt_text.h"
#include "framework/project_file.h"
#include "framework/qt/control_binding.h"
#include "framework/qt/control_widgets.h"
#include "framework/qt/form_page.h"
#include "framework/qt/pile_drawing_view.h"
#include "framework/qt/sheet_page.h"
#include "framework/qt/window_look.h"
#include "framework/qt/workbench_page.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace qianyan {

namespace {

constexpr int statusHeight = 30;
// Below this a window shows too little of any page to be of use.
constexpr QSize minimumWindowSize(320, 240);
constexpr int assumedTitleBar = 32;

// The strip at the bottom of the main page until the first message takes its place.
class LogoStrip : public QWidget {
public:
    LogoStrip() { setFixedHeight(statusHeight); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRectF emblem(0, 2, height() - 4, height() - 4);
        paintEmblem(painter, emblem);
        QFont font = this->font();
        font.setPixelSize(13);
        font.setItalic(true);
        painter.setFont(font);
        painter.setPen(QColor(0x11, 0x5D, 0xD9));
        painter.drawText(rect().adjusted(height() + 2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         QStringLiteral("qianyan 嵌岩"));
    }
};

} // namespace

CalculatorWindow::CalculatorWindow(std::unique_ptr<CalculatorFrame> model, const QString& title,
                                   QSize clientSize, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(std::move(model)), binding_(new ControlBinding(*model_, this)),
      mainSize_(clientSize) {
    setAttribute(Qt::WA_DeleteOnClose);
    // The caption and which calculator this is, so that a taskbar tells the windows apart.
    setWindowTitle(title + QStringLiteral(" - ") + qtText(model_->calculatorName()));
    setFontPixels(this, 14);
    setMinimumSize(minimumWindowSize);
    resize(clientSize);

    pages_ = new QStackedWidget;
    // The main page is laid out for its designed size at least; a smaller window scrolls it.
    mainPage_ = buildMainPage();
    mainPage_->setMinimumSize(clientSize);
    auto* mainScroll = new QScrollArea;
    mainScroll->setObjectName(QStringLiteral("mainPageScroll"));
    mainScroll->setWidgetResizable(true);
    mainScroll->setFrameShape(QFrame::NoFrame);
    mainScroll->setWidget(mainPage_);
    mainScroll->viewport()->setAutoFillBackground(false);
    mainPage_->setAutoFillBackground(false);
    pages_->addWidget(mainScroll);
    sheetPage_ = new SheetPage(*binding_);
    pages_->addWidget(sheetPage_);
    auto* workbench = new QWidget;
    workbenchLayout_ = new QVBoxLayout(workbench);
    workbenchLayout_->setContentsMargins(0, 0, 0, 0);
    pages_->addWidget(workbench);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages_);

    binding_->setAfterEvent([this] {
        refresh();
        if (model_->closeRequested()) close();
    });
    addProjectAction(QStringLiteral("保存项目"), QKeySequence::Save, saveProjectAsked);
    addProjectAction(QStringLiteral("打开项目"), QKeySequence::Open, openProjectAsked);
    // The project commands are in the window's context menu, with their keys beside them.
    setContextMenuPolicy(Qt::ActionsContextMenu);
    refresh();
}

void CalculatorWindow::addProjectAction(const QString& text, QKeySequence::StandardKey key,
                                        void (*run)(CalculatorFrame&)) {
    auto* action = new QAction(text, this);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, run] {
        // A worker sweeping a copy of the window would overwrite what a project brought, and one writing
        // a sheet reads it.
        if ((workbenchPage_ && workbenchPage_->busy()) || sheetPage_->busy()) return;
        binding_->act(run);
    });
    addAction(action);
}

void CalculatorWindow::closeEvent(QCloseEvent* event) {
    // A sheet being written is stopped first: the question may save the same sheet.
    sheetPage_->stopWork();
    // After 退出 the model has asked already.
    if (!model_->closeRequested()) {
        model_->runEvent([this] { model_->requestClose(); });
        refresh();
    }
    event->setAccepted(model_->closeRequested());
}

CalculatorWindow::~CalculatorWindow() {
    // The widgets read the model until they are gone (a closing view asks its headers once more), so
    // they go first.
    delete pages_;
}

QWidget* CalculatorWindow::buildMainPage() {
    auto* main = new QWidget;
    mainRow_ = new QHBoxLayout(main);
    mainRow_->setContentsMargins(0, 0, 0, 0);
    auto* page = new QWidget;
    mainRow_->addWidget(page, 1);

    auto* title = new QLabel;
    title->setAlignment(Qt::AlignCenter);
    setFontPixels(title, 22, true);
    binding_->bind("lb_cxm", title);
    auto* copyRight = captionButton(15);
    copyRight->setFixedWidth(32);
    binding_->bind("cbt_CopyRight", copyRight);
    auto* titleRow = new QHBoxLayout;
    titleRow->addSpacing(32);
    titleRow->addWidget(title, 1);
    titleRow->addWidget(copyRight);

    auto* inputs = new QGroupBox;
    binding_->bind("gpb_srcs", inputs);
    inputRows_ = new QGridLayout(inputs);
    inputRows_->setColumnStretch(1, 1);

    auto* outputs = new QGroupBox;
    outputGroup_ = outputs;
    binding_->bind("gpb_scjg", outputs);
    auto* precision = captionButton(15);
    precision->setFixedWidth(32);
    binding_->bind("cbt_JingDu", precision);
    auto* outputLayout = new QVBoxLayout(outputs);
    auto* precisionRow = new QHBoxLayout;
    precisionRow->addStretch(1);
    precisionRow->addWidget(precision);
    outputLayout->addLayout(precisionRow);
    outputRows_ = new QGridLayout;
    outputRows_->setColumnStretch(1, 1);
    outputLayout->addLayout(outputRows_);

    auto* code = new QLabel;
    code->setAlignment(Qt::AlignCenter);
    binding_->bind("lb_guifan", code);

    auto* compute = captionButton(18);
    auto* view = captionButton(18);
    auto* workbench = captionButton(18);
    auto* quit = captionButton(18);
    workbench->setFixedWidth(48);
    binding_->bind("cbt_compute", compute);
    binding_->bind("cbt_View", view);
    binding_->bind("cbt_YouHua", workbench);
    binding_->bind("cbt_tuichu", quit);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(compute, 2);
    buttonRow->addWidget(view, 2);
    buttonRow->addWidget(workbench);
    buttonRow->addWidget(quit, 1);

    auto* logo = new LogoStrip;
    auto* status = new QLabel;
    status->setMinimumHeight(statusHeight);
    status->setWordWrap(true);
    status->setTextFormat(Qt::PlainText);
    binding_->bind("img_Logo", logo);
    binding_->bind("lb_shuoming", status);
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(logo, 1);
    statusRow->addWidget(status, 1);

    auto* layout = new QVBoxLayout(page);
    mainLayout_ = layout;
    layout->setContentsMargins(10, 8, 10, 6);
    layout->addLayout(titleRow);
    layout->addWidget(inputs);
    layout->addWidget(outputs);
    layout->addWidget(code);
    layout->addStretch(1);
    layout->addLayout(buttonRow);
    layout->addLayout(statusRow);

    // The precision list floats over the outputs, under ≈, while it is shown.
    precisionList_ = new QListWidget(page);
    precisionList_->setFocusPolicy(Qt::NoFocus);
    precisionList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    precisionList_->setFixedWidth(110);
    binding_->bind("popbox_jingdu", precisionList_);

    inputs_.clear();
    outputs_ = {precision};
    buttons_ = {compute, view, workbench, quit, copyRight};
    return main;
}

QWidget* CalculatorWindow::inputWidget(std::string_view control) {
    QWidget* widget = makeControlWidget(*binding_, control);
    // Enter in a field or a list runs 计算.
    if (auto* box = qobject_cast<QComboBox*>(widget); box && box->lineEdit())
        box->lineEdit()->installEventFilter(this);
    if (qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget))
        widget->installEventFilter(this);
    return widget;
}

std::string_view CalculatorWindow::inputLabel(std::string_view control) {
    const DeclaredControl* c = model_->declaration().find(control);
    return c ? c->label() : std::string_view();
}

void CalculatorWindow::addInputRow(std::string_view label, std::string_view control) {
    addInputRow(label, {control});
}

void CalculatorWindow::addInputRow(std::string_view label, std::initializer_list<std::string_view> controls,
                                   std::string_view labelControl) {
    QLabel* caption = rowLabel(label);
    if (!labelControl.empty()) binding_->bind(labelControl, caption);
    QWidget* field = nullptr;
    if (controls.size() == 1) {
        field = inputWidget(*controls.begin());
        binding_->bind(*controls.begin(), field);
        inputs_.push_back(field);
    } else {
        // Several controls on one row (a check box beside the button of its panel).
        field = new QWidget;
        auto* row = new QHBoxLayout(field);
        row->setContentsMargins(0, 0, 0, 0);
        for (const std::string_view control : controls) {
            QWidget* widget = inputWidget(control);
            binding_->bind(control, widget);
            row->addWidget(widget, qobject_cast<QCheckBox*>(widget) ? 0 : 1);
            inputs_.push_back(widget);
        }
    }
    inputRowWidgets_.push_back({caption, field});
    const int row = inputRows_->rowCount();
    inputRows_->addWidget(caption, row, 0);
    inputRows_->addWidget(field, row, 1);
    updateTabOrder();
    refresh();
}

FormPage* CalculatorWindow::addInputGroup(std::string_view groupControl) {
    auto* group = new QGroupBox;
    binding_->bind(groupControl, group);
    auto* form = new FormPage(*binding_);
    // The group takes the height the window has left and scrolls when its rows need more.
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(form);
    scroll->viewport()->setAutoFillBackground(false);
    form->setAutoFillBackground(false);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(scroll);
    group->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    mainLayout_->insertWidget(mainLayout_->indexOf(outputGroup_), group, 100);
    refresh();
    return form;
}

FormPage* CalculatorWindow::addPage(std::string_view layer) {
    auto* page = new FormPage(*binding_);
    pages_->addWidget(page);
    pageLayers_.emplace_back(layer);
    refresh();
    return page;
}

void CalculatorWindow::addOutputRow(std::string_view label, std::string_view control,
                                    std::string_view labelControl) {
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFontPixels(field, 18);
    field->setMinimumWidth(100);
    binding_->bind(control, field);
    QLabel* caption = rowLabel(label);
    if (!labelControl.empty()) binding_->bind(labelControl, caption);
    const int row = outputRows_->rowCount();
    outputRows_->addWidget(caption, row, 0);
    outputRows_->addWidget(field, row, 1);
    outputs_.push_back(field);
    updateTabOrder();
    refresh();
}

QWidget* CalculatorWindow::targetGroup(int width) {
    auto* group = new QGroupBox;
    group->setFixedWidth(width);
    binding_->bind("gpb_Mubiao", group);
    auto* rows = new QVBoxLayout(group);
    rows->setContentsMargins(6, 4, 6, 4);
    rows->setSpacing(2);
    // Each field under its label: the column is as narrow as the drawing.
    const auto add = [&](std::string_view control, QWidget* beside = nullptr) {
        if (!model_->declaration().find(control)) return;
        rows->addWidget(new QLabel(qtText(inputLabel(control))));
        QWidget* field = inputWidget(control);
        binding_->bind(control, field);
        if (auto* edit = qobject_cast<QLineEdit*>(field); edit && edit->isReadOnly())
            edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        targetFields_.push_back(field);
        if (!beside) {
            rows->addWidget(field);
            return;
        }
        auto* row = new QHBoxLayout;
        row->addWidget(field, 3);
        row->addWidget(beside, 2);
        rows->addLayout(row);
    };
    add("edt_MubiaoRa");
    add("edt_MubiaoN");
    if (model_->declaration().find("edt_XuyaoHrD")) {
        // The multiple of d beside the depth, under its own short label.
        QWidget* multiple = inputWidget("edt_XuyaoHrD");
        binding_->bind("edt_XuyaoHrD", multiple);
        static_cast<QLineEdit*>(multiple)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* labelled = new QWidget;
        auto* line = new QHBoxLayout(labelled);
        line->setContentsMargins(0, 0, 0, 0);
        line->setSpacing(2);
        line->addWidget(new QLabel(qtText(inputLabel("edt_XuyaoHrD"))));
        line->addWidget(multiple, 1);
        add("edt_XuyaoHr", labelled);
        targetFields_.push_back(multiple);
    }
    add("edt_XuyaoLr");
    add("edt_XuyaoD");
    auto* adopt = captionButton(14);
    binding_->bind("cbt_Caiyong", adopt);
    rows->addWidget(adopt);
    targetFields_.push_back(adopt);
    return group;
}

void CalculatorWindow::addPileDrawing() {
    constexpr int width = 200, rightMargin = 10;
    pileDrawing_ = new PileDrawingView;
    pileDrawing_->setObjectName(QStringLiteral("pileDrawing"));
    pileDrawing_->setFixedWidth(width);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 8, rightMargin, 6);
    if (model_->targetAdapter()) column->addWidget(targetGroup(width));
    column->addWidget(pileDrawing_, 1);
    mainRow_->addLayout(column);
    updateTabOrder();
    mainSize_.rwidth() += width + rightMargin;
    mainPage_->setMinimumSize(mainSize_);
    resize(mainSize_);
    refresh();
}

void CalculatorWindow::updateTabOrder() {
    // Top to bottom: inputs, ≈ and the outputs, the target group beside them, the buttons, then © of the
    // title row.
    std::vector<QWidget*> order = inputs_;
    order.insert(order.end(), outputs_.begin(), outputs_.end());
    order.insert(order.end(), targetFields_.begin(), targetFields_.end());
    order.insert(order.end(), buttons_.begin(), buttons_.end());
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

QWidget* CalculatorWindow::controlWidget(std::string_view name) const {
    return binding_->widget(name);
}

void CalculatorWindow::setWorkbenchPage(QWidget* page) {
    workbenchPage_ = qobject_cast<WorkbenchPage*>(page);
    workbenchLayout_->addWidget(page);
    refresh();
}

void CalculatorWindow::refresh() {
    binding_->refresh();
    // The page shown is the first whose layer the model shows.
    for (std::size_t i = 0; i < pageLayers_.size(); ++i) {
        const Control* layer = model_->find(pageLayers_[i]);
        if (layer && layer->visible) {
            const int from = pages_->currentIndex();
            if (from != static_cast<int>(i)) {
                pages_->setCurrentIndex(static_cast<int>(i));
                pageShown(from);
            }
            break;
        }
    }
    sheetPage_->refresh();
    if (pileDrawing_) pileDrawing_->setDrawing(model_->pileDrawing());
    placePrecisionList();
}

QSize CalculatorWindow::designedSize() const {
    return pages_->currentWidget() == workbenchLayout_->parentWidget() ? workbenchSize : mainSize_;
}

void CalculatorWindow::pageShown(int from) {
    pageSizes_.resize(static_cast<std::size_t>(pages_->count()));
    if (!placed_ || isMaximized() || isFullScreen()) return;
    pageSizes_[static_cast<std::size_t>(from)] = size();
    const QSize kept = pageSizes_[static_cast<std::size_t>(pages_->currentIndex())];
    fitOnScreen(kept.isValid() ? kept : designedSize());
}

void CalculatorWindow::fitOnScreen(QSize wanted) {
    const QScreen* on = screen();
    if (!on) {
        resize(wanted);
        return;
    }
    const QRect room = on->availableGeometry();
    // The frame is known only once the window manager has framed the window; until then a title bar's
    // worth is left for it.
    QSize frame = frameGeometry().size() - size();
    if (frame.height() <= 0) frame = QSize(0, assumedTitleBar);
    const QSize roomForWindow = room.size() - frame;
    QSize fitted = wanted.boundedTo(roomForWindow);
    // Shorter than its design, the page scrolls up and down: its scroll bar gets room of its own, so
    // that nothing needs to scroll across.
    if (fitted.height() < wanted.height())
        fitted.setWidth(std::min(fitted.width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                                 roomForWindow.width()));
    resize(fitted.expandedTo(minimumSize()));
    QRect outer(pos(), size() + frame);
    if (!placed_) outer.moveCenter(room.center());
    outer.moveRight(std::min(outer.right(), room.right()));
    outer.moveBottom(std::min(outer.bottom(), room.bottom()));
    outer.moveLeft(std::max(outer.left(), room.left()));
    outer.moveTop(std::max(outer.top(), room.top()));
    move(outer.topLeft());
}

void CalculatorWindow::placePrecisionList() {
    if (precisionList_->isHidden()) return;
    const QWidget* button = binding_->widget("cbt_JingDu");
    const int rows = precisionList_->count();
    precisionList_->setFixedHeight(precisionList_->sizeHintForRow(0) * rows +
                                   2 * precisionList_->frameWidth() + 4);
    const QPoint below =
        button->mapTo(precisionList_->parentWidget(), QPoint(button->width(), button->height()));
    precisionList_->move(below.x() - precisionList_->width(), below.y());
    precisionList_->raise();
}

void CalculatorWindow::wrapLongInputRows() {
    // Known only once the window is laid out: the room beside the widest label. A field that needs more
    // (a list whose longest item is long) goes under its label across the group, so no text is cut.
    layout()->activate();
    int labelWidth = 0;
    for (const InputRow& r : inputRowWidgets_) labelWidth = std::max(labelWidth, r.label->sizeHint().width());
    const QMargins margins = inputRows_->contentsMargins();
    const int room = inputRows_->parentWidget()->contentsRect().width() - margins.left() - margins.right() -
                     labelWidth - inputRows_->horizontalSpacing();
    int row = 0;
    for (const InputRow& r : inputRowWidgets_) {
        const bool wrap = r.field->minimumSizeHint().width() > room;
        inputRows_->removeWidget(r.label);
        inputRows_->removeWidget(r.field);
        inputRows_->addWidget(r.label, row, 0, 1, wrap ? 2 : 1);
        if (wrap) ++row;
        inputRows_->addWidget(r.field, row, wrap ? 0 : 1, 1, wrap ? 2 : 1);
        ++row;
    }
}

void CalculatorWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintVerticalGradient(painter, rect(), QColor(0x00, 0xBF, 0xFF), Qt::white);
}

void CalculatorWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!placed_) {
        // Where the window opens: its page's designed size where the screen allows, centred.
        fitOnScreen(designedSize());
        placed_ = true;
    }
    refresh();
    wrapLongInputRows();
    if (!inputs_.empty() && !focusWidget()) inputs_.front()->setFocus();
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
    // Enter in any input runs 计算, as long as 计算 is there to press.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            binding_->act([](CalculatorFrame& m) { m.click("cbt_compute"); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace qianyan

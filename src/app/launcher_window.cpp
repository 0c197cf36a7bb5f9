#include "app/launcher_window.h"

#include "app/about_window.h"
#include "app/calculator_faces.h"
#include "documents/qt/qt_text.h"
#include "framework/calculator_registry.h"
#include "framework/launcher_texts.h"
#include "framework/project_file.h"
#include "framework/qt/calculator_window.h"
#include "framework/qt/control_binding.h"
#include "framework/qt/window_look.h"
#include "framework/text_layout.h"
#include "platform/qt/qt_platform.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <span>

namespace qianyan {

namespace {

QString text(std::string_view scrambled) {
    return qtText(unscramble(scrambled, launcher_texts::key));
}

// Under the heading, a button per calculator and 退出 below them, each a step lower than the one before.
constexpr int headingHeight = 45, buttonStep = 85, buttonHeight = 80, bottomMargin = 15;

} // namespace

TVOR_FRM_KELD0::TVOR_FRM_KELD0(QtPlatform& platform)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      platform_(platform) {
    setWindowTitle(QStringLiteral("嵌岩桩承载力计算(JGJ94-2008)"));
    const int exitTop = headingHeight + buttonStep * static_cast<int>(calculators().size());
    setFixedSize(230, exitTop + buttonHeight + bottomMargin);

    auto* heading = new QLabel(text(launcher_texts::heading), this);
    heading->setObjectName(QStringLiteral("lb_guifan"));
    heading->setGeometry(0, 0, 230, headingHeight);
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet(QStringLiteral("color: white;"));
    setFontPixels(heading, 24, true);

    int top = headingHeight;
    for (const CalculatorEntry& c : calculators()) {
        QPushButton* button =
            addButton(std::string(c.button), text(c.first) + QLatin1Char('\n') + text(c.second), top,
                      QColor::fromRgb(c.captionColour).name().toUpper(), 16);
        button->setEnabled(hasCalculatorFace(c.name));
        connect(button, &QPushButton::clicked, this,
                [this, button = std::string(c.button), name = c.name] { openCalculator(button, name); });
        top += buttonStep;
    }
    QPushButton* exit =
        addButton("cbt_guanbi", QStringLiteral("退    出"), exitTop, QStringLiteral("#000000"), 24);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);

    platform_.setAboutWindow([this] { showAboutWindow(); });
}

TVOR_FRM_KELD0::~TVOR_FRM_KELD0() {
    platform_.setAboutWindow({});
    for (auto& [name, window] : open_) delete window.data();
}

QPushButton* TVOR_FRM_KELD0::addButton(const std::string& name, const QString& caption, int top,
                                       const QString& colour, int px) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromStdString(name));
    button->setGeometry(40, top, 150, buttonHeight);
    button->setStyleSheet(QStringLiteral("QPushButton { color: %1; font-size: %2px; border-radius: 30px;"
                                         " border: 1px solid #7f9cc9; background: qlineargradient(x1:0, "
                                         "y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dfe8f6); }"
                                         " QPushButton:pressed { background: #c6d6f0; }"
                                         " QPushButton:disabled { color: #9aa4b1; background: #eef1f5; }")
                              .arg(colour)
                              .arg(px));
    buttons_[name] = button;
    return button;
}

QPushButton* TVOR_FRM_KELD0::button(const std::string& name) const {
    const auto found = buttons_.find(name);
    return found == buttons_.end() ? nullptr : found->second;
}

CalculatorWindow* TVOR_FRM_KELD0::openWindow(const std::string& button) const {
    const auto found = open_.find(button);
    return found == open_.end() ? nullptr : found->second.data();
}

CalculatorWindow* TVOR_FRM_KELD0::openCalculator(const std::string& button, std::string_view calculator) {
    if (CalculatorWindow* open = openWindow(button)) {
        // Pressed again, the button brings its calculator forward, from the taskbar if need be.
        if (open->isMinimized()) open->showNormal();
        open->raise();
        open->activateWindow();
        return open;
    }
    CalculatorWindow* window = makeCalculatorFace(calculator, platform_);
    if (!window) return nullptr;
    open_[button] = window;
    window->show();
    return window;
}

void TVOR_FRM_KELD0::openProjectFile(const std::string& path) {
    try {
        const std::string window = projectWindowName(platform_.readFile(path, projectFileLimit));
        const std::span<const CalculatorEntry> list = calculators();
        const auto entry = std::ranges::find(list, window, &CalculatorEntry::window);
        if (entry == list.end() || !hasCalculatorFace(entry->name))
            throw WindowStateError("这不是本程序计算器的项目");
        CalculatorWindow* opened = openCalculator(std::string(entry->button), entry->name);
        opened->binding().act([&path](CalculatorFrame& model) { openProject(model, path); });
    } catch (const std::runtime_error& e) {
        // The reason may quote a name from the file.
        platform_.reportError("打开项目失败：" + oneLine(e.what()));
    }
}

void TVOR_FRM_KELD0::showAboutWindow() {
    if (!about_) about_ = std::make_unique<TVOR_DAX_FRM_CopyRight>(platform_);
    centreOnScreen(about_.get());
    about_->show();
}

void TVOR_FRM_KELD0::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintVerticalGradient(painter, rect(), QColor(0x11, 0x5D, 0xD9), Qt::white);
}

void TVOR_FRM_KELD0::closeEvent(QCloseEvent* event) {
    // The main window takes every calculator with it; each asks about its unsaved sheets, and a
    // cancelled question keeps that window and the program.
    for (auto& [name, window] : open_) {
        if (window && !window->close()) {
            event->ignore();
            return;
        }
    }
    if (about_) about_->close();
    event->accept();
}

} // namespace qianyan

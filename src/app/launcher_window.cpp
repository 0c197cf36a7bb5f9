#include "app/launcher_window.h"

#include "app/about_window.h"
#include "app/calculator_faces.h"
#include "documents/qt/qt_text.h"
#include "framework/calculator_names.h"
#include "framework/launcher_texts.h"
#include "framework/qt/calculator_window.h"
#include "framework/qt/window_look.h"
#include "platform/qt/qt_platform.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace qianyan {

namespace {

QString text(std::string_view scrambled) {
    return qtText(unscramble(scrambled, launcher_texts::key));
}

// A calculator's button names it in two lines; the one other button is 退出.
QString caption(std::string_view button) {
    for (const CalculatorCaption& c : calculatorCaptions())
        if (c.button == button) return text(c.first) + QLatin1Char('\n') + text(c.second);
    return QStringLiteral("退    出");
}

struct LauncherButton {
    const char* name;
    int top;
    const char* color;
    int px;
    void (TVOR_FRM_KELD0::*click)();
};

} // namespace

TVOR_FRM_KELD0::TVOR_FRM_KELD0(QtPlatform& platform)
    : QWidget(nullptr,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      platform_(platform) {
    setWindowTitle(QStringLiteral("嵌岩桩承载力计算(JGJ94-2008)"));
    setFixedSize(230, 480);

    auto* heading = new QLabel(text(launcher_texts::heading), this);
    heading->setObjectName(QStringLiteral("lb_guifan"));
    heading->setGeometry(0, 0, 230, 45);
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet(QStringLiteral("color: white;"));
    setFontPixels(heading, 24, true);

    const LauncherButton layout[] = {
        {"cbt_Gongshi1", 45, "#006400", 16, &TVOR_FRM_KELD0::cbt_Gongshi1Click},
        {"cbt_Gongshi1_1", 130, "#006400", 16, &TVOR_FRM_KELD0::cbt_Gongshi1_1Click},
        {"cbt_Gongshi2", 215, "#0000FF", 16, &TVOR_FRM_KELD0::cbt_Gongshi2Click},
        {"cbt_Gongshi3", 300, "#FF0000", 16, &TVOR_FRM_KELD0::cbt_Gongshi3Click},
        {"cbt_guanbi", 385, "#000000", 24, &TVOR_FRM_KELD0::cbt_guanbiClick},
    };
    const auto faces = calculatorFaces();
    for (const LauncherButton& b : layout) {
        auto* button = new QPushButton(caption(b.name), this);
        button->setObjectName(QLatin1String(b.name));
        button->setGeometry(40, b.top, 150, 80);
        button->setStyleSheet(QStringLiteral("QPushButton { color: %1; font-size: %2px; border-radius: 30px;"
                                             " border: 1px solid #7f9cc9; background: qlineargradient(x1:0, "
                                             "y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dfe8f6); }"
                                             " QPushButton:pressed { background: #c6d6f0; }"
                                             " QPushButton:disabled { color: #9aa4b1; background: #eef1f5; }")
                                  .arg(QLatin1String(b.color))
                                  .arg(b.px));
        const bool isExit = std::string_view(b.name) == "cbt_guanbi";
        const bool hasFace = std::any_of(faces.begin(), faces.end(),
                                         [&](const CalculatorFace& f) { return f.button == b.name; });
        button->setEnabled(isExit || hasFace);
        connect(button, &QPushButton::clicked, this, b.click);
        buttons_[b.name] = button;
    }

    platform_.setAboutWindow([this] { showAboutWindow(); });
}

TVOR_FRM_KELD0::~TVOR_FRM_KELD0() {
    platform_.setAboutWindow({});
    for (auto& [name, window] : open_) delete window.data();
}

QPushButton* TVOR_FRM_KELD0::button(const std::string& name) const {
    const auto found = buttons_.find(name);
    return found == buttons_.end() ? nullptr : found->second;
}

CalculatorWindow* TVOR_FRM_KELD0::openWindow(const std::string& button) const {
    const auto found = open_.find(button);
    return found == open_.end() ? nullptr : found->second.data();
}

void TVOR_FRM_KELD0::openCalculator(const std::string& button) {
    // An open calculator is left as it is: not raised, not focused.
    if (openWindow(button)) return;
    for (const CalculatorFace& face : calculatorFaces()) {
        if (face.button != button) continue;
        CalculatorWindow* window = face.make(platform_);
        open_[button] = window;
        centreOnScreen(window);
        window->show();
        return;
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

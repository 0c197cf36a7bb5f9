#pragma once
// What every Qt check starts from: a desktop platform whose dialogs and links are recorded instead of
// shown, with a documents folder of its own, and a guard that closes any modal dialog that still opens,
// so that a test fails instead of hanging.
#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>

#include <string>
#include <vector>

namespace qianyan::testing {

// The documents folder is the desktop's own, found under a home of the test's: the real lookup runs and
// creates the folder.
class StubPlatform : public QtPlatform {
public:
    StubPlatform() : home_(qgetenv("HOME")), config_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("HOME", folder.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (folder.path() + QStringLiteral("/.config")).toLocal8Bit());
    }
    ~StubPlatform() override {
        qputenv("HOME", home_);
        qputenv("XDG_CONFIG_HOME", config_);
    }
    bool askYesNo(std::string_view question) override {
        dialogs.emplace_back(question);
        return answer;
    }
    SaveChoice askSaveDiscardCancel(std::string_view question) override {
        dialogs.emplace_back(question);
        return saveChoice;
    }
    void inform(std::string_view message) override { dialogs.emplace_back(message); }
    void reportError(std::string_view message) override { dialogs.emplace_back(message); }
    void openLink(std::string_view link) override { links.emplace_back(link); }
    // The path "chosen" in the project file dialog; empty: cancelled.
    std::string askProjectPath(bool /*saving*/) override { return projectPath; }
    // The path "chosen" in the save dialog of an export or 另存为…; empty: cancelled.
    std::string askSavePath(const std::string& /*suggested*/, std::string_view /*filter*/) override {
        return savePath;
    }

    QTemporaryDir folder;
    bool answer = false;
    SaveChoice saveChoice = SaveChoice::Cancel;
    std::string projectPath, savePath;
    std::vector<std::string> dialogs, links;

private:
    QByteArray home_, config_;
};

class ModalGuard {
public:
    ModalGuard() {
        timer_.setInterval(200);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            const auto* box = qobject_cast<QMessageBox*>(modal);
            seen << (box ? box->text() : modal->windowTitle());
            modal->close();
        });
        timer_.start();
    }
    // The dialogs that opened unasked, empty when none did.
    QString unexpected() const { return seen.join(QStringLiteral(" | ")); }

private:
    QTimer timer_;
    QStringList seen;
};

// One wheel step over a widget, as a mouse sends it.
inline void wheel(QWidget* target, int delta, Qt::KeyboardModifiers modifiers) {
    const QPointF at = target->rect().center();
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

} // namespace qianyan::testing

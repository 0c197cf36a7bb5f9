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

class StubPlatform : public QtPlatform {
  public:
    std::string documentsFolder() override { return folder.path().toStdString(); }
    bool askYesNo(std::string_view question) override {
        dialogs.emplace_back(question);
        return answer;
    }
    void inform(std::string_view message) override { dialogs.emplace_back(message); }
    void reportError(std::string_view message) override { dialogs.emplace_back(message); }
    void openLink(std::string_view link) override { links.emplace_back(link); }

    QTemporaryDir folder;
    bool answer = false;
    std::vector<std::string> dialogs, links;
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

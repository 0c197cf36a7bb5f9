#pragma once
// A desktop window under Qt Test, the one harness of the desktop checks: a desktop platform of the
// check's own, the window shown, and a failure when a message box opened that the check did not expect.
// A check class derives from it beside QObject and calls start() in init() and finish() in cleanup():
//
//     class Formula2FaceTest : public QObject, public testing::FaceFixture<Formula2Window> {
//         Q_OBJECT
//     private slots:
//         void init() { QVERIFY(start()); }
//         void cleanup() { finish(); }
//     };
#include "support/qt_fixture.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QSize>
#include <QTest>

#include <memory>

namespace qianyan::testing {

template <class Window, class Platform = StubPlatform> class FaceFixture {
protected:
    // A new window on a new platform, shown (at that size, when one is given); false when it never
    // appeared.
    bool start(QSize size = {}) {
        guard = std::make_unique<ModalGuard>();
        platform = std::make_unique<Platform>();
        window = new Window(*platform);
        if (size.isValid()) window->resize(size);
        window->show();
        return QTest::qWaitForWindowExposed(window);
    }
    // Deletes the window and every window closed since (before the platform they use), and fails the
    // check when a dialog opened unasked.
    void finish() {
        delete window.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform.reset();
        const QString unexpected = guard->unexpected();
        guard.reset();
        QVERIFY2(unexpected.isEmpty(), qPrintable(QStringLiteral("unexpected dialog: ") + unexpected));
    }

    std::unique_ptr<ModalGuard> guard;
    std::unique_ptr<Platform> platform;
    QPointer<Window> window;
};

} // namespace qianyan::testing

#pragma once
// A calculator window's face under GoogleTest, the same start for every face check: one application for
// the test program, a desktop platform of the test's own, the window shown, and a failure when a message
// box opened that the check did not expect.
#include "qt/qt_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <memory>

namespace qianyan::testing {

template <class Window> class FaceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "qianyan_face_tests";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) application() = new QApplication(argc, argv);
    }
    // The application goes with the suite, before the program's own statics do.
    static void TearDownTestSuite() {
        delete application();
        application() = nullptr;
    }
    static QApplication*& application() {
        static QApplication* app = nullptr;
        return app;
    }
    void SetUp() override {
        window = std::make_unique<Window>(platform);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override {
        window.reset();
        EXPECT_EQ(guard.unexpected(), QString()) << "a message box opened";
    }

    ModalGuard guard;
    StubPlatform platform;
    std::unique_ptr<Window> window;
};

} // namespace qianyan::testing

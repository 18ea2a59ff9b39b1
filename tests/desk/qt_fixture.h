// A machine whose forms are drawn by the Qt toolkit, off screen.
#pragma once

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

#include "hosts/desk/toolkit/qt_toolkit.h"
#include "hosts/sim/host/test_machine.h"

namespace desk_test {

// The off-screen platform's notes on what it cannot do (raise a window...) stay out.
inline void QuietPlatform(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || message.startsWith(QStringLiteral("This plugin does not support"))) return;
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// The one QApplication of the test program, made at first use.
inline QApplication& Application() {
    qInstallMessageHandler(QuietPlatform);
    static int argc = 1;
    static char name[] = "desk-tests";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

class QtFixture : public ::testing::Test {
protected:
    QtFixture() {
        Application();
        platform::toolkit::Install(toolkit);
    }
    ~QtFixture() override { platform::toolkit::Install(nullptr); }

    sim::TestMachine machine;
    std::shared_ptr<desk::QtToolkit> toolkit = std::make_shared<desk::QtToolkit>();
};

}  // namespace desk_test

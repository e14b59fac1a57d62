#include "core/messages.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

// The title bar shows a window's caption followed by the application's display name, when the
// program sets one ("登录 — Vesk进销存软件"). The program sets only the name, so that Qt's display
// name is no name of its own but follows the application name, and captions stand as they are.
TEST(Captions, StandInTheTitleBarWithoutTheApplicationTitle) {
    ASSERT_EQ(QApplication::applicationName(), kApplicationTitle); // set up as the program is
    QApplication::setApplicationName(QStringLiteral("另一个名字"));
    const QString displayed = QApplication::applicationDisplayName();
    QApplication::setApplicationName(kApplicationTitle);
    EXPECT_EQ(displayed, "另一个名字");
}

} // namespace

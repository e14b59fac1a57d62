#include <QApplication>
#include <gtest/gtest.h>

namespace {

// The title bar shows a window's caption followed by the application's display name, when the
// program sets one ("登录 — Vesk进销存软件"). The program sets only the names its folders are
// made of, so that Qt's display name is no name of its own but follows the application name,
// and captions stand as they are.
TEST(Captions, StandInTheTitleBarWithoutTheApplicationTitle) {
    const QString name = QApplication::applicationName();
    ASSERT_EQ(name, "vesk"); // set up as the program is
    QApplication::setApplicationName(QStringLiteral("另一个名字"));
    const QString displayed = QApplication::applicationDisplayName();
    QApplication::setApplicationName(name);
    EXPECT_EQ(displayed, "另一个名字");
}

} // namespace

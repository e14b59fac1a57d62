#include "app/startup.h"
#include "core/clock.h"
#include "support/scriptedmessages.h"
#include "support/scriptedmodal.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(StartUp, WithoutTheBookItSaysSoAndEndsWithoutALogin) {
    QTemporaryDir empty;
    environment::setApplicationDirectory(empty.path());
    ScriptedMessages shown;
    ScriptedModal windows;
    const int code = runProgram(*qApp, shown, windows);
    environment::setApplicationDirectory({});
    EXPECT_NE(code, 0);
    ASSERT_EQ(shown.shown().size(), 1u);
    EXPECT_EQ(shown.shown()[0].text, "无法链接到数据库!");
    EXPECT_EQ(shown.shown()[0].caption, "连接错误");
    EXPECT_TRUE(windows.shownWindows().isEmpty());
}

} // namespace

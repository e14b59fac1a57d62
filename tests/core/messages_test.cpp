#include "core/dberror.h"
#include "core/guard.h"
#include "core/messages.h"
#include "support/scriptedmessages.h"

#include <gtest/gtest.h>

namespace {

TEST(ErrorReport, AddsAFullStopAfterALetterButNotAfterPunctuation) {
    EXPECT_EQ(errorReportText("disk I/O error"), "disk I/O error.");
    EXPECT_EQ(errorReportText("已满!"), "已满!");
    EXPECT_EQ(errorReportText("done."), "done.");
    EXPECT_EQ(errorReportText("ends with blank "), "ends with blank ");
    EXPECT_EQ(errorReportText("数据库错误"), "数据库错误.");
    EXPECT_EQ(errorReportText(""), "");
}

TEST(ErrorReport, AnEscapedExceptionIsShownAndStopsThere) {
    ScriptedMessages shown;
    setMessages(&shown);
    // The exception stops in the guard: the caller goes on after the guarded call.
    bool guarded = true, callerWentOn = false;
    try {
        guarded = runGuarded([] { throw DbError("no such table: Fnothing"); });
        callerWentOn = true;
    } catch (...) {
    }
    EXPECT_FALSE(guarded);
    EXPECT_TRUE(callerWentOn);
    ASSERT_EQ(shown.shown().size(), 1u);
    EXPECT_EQ(shown.shown()[0].form, ScriptedMessages::Form::ErrorReport);
    EXPECT_EQ(shown.shown()[0].text, "no such table: Fnothing.");
    EXPECT_EQ(shown.shown()[0].caption, "Vesk进销存软件");
    EXPECT_TRUE(runGuarded([] {}));
    setMessages(nullptr);
}

} // namespace

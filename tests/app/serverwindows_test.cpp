// Every window the main window opens, once on a server book: each shows its lists from the
// server's rows without an error.
#include "app/windowset.h"
#include "core/sysdata.h"
#include "entrywindows.h"
#include "support/booktest.h"
#include "support/postedbook.h"

#include <QDialog>

namespace {

class OnTheServer : public BookTest {
protected:
    BookEngine engine() const override { return BookEngine::Server; }
};

class ServerWindows : public PostedBook<OnTheServer> {};

TEST_F(ServerWindows, EveryWindowOpensOnAServerBookWithoutAnError) {
    ASSERT_TRUE(sysData->myCon.isServer());
    post(TradeKindId::Purchase, "CJ1", {{pen, "12.5", "4"}, {ink, "3", "10"}}, "20");
    post(TradeKindId::Sale, "XS1", {{pen, "19.99", "3"}}, "50");
    messages_.clear();
    WindowSet set;
    const int opened = openEveryEntryWindow(modal_, [this](const QString& name, QDialog&) {
        for (const ScriptedMessages::Shown& shown : messages_.shown())
            ADD_FAILURE() << name.toStdString() << " said: " << shown.text.toStdString();
        messages_.clear();
    });
    EXPECT_GE(opened, 35);
    EXPECT_TRUE(messages_.shown().empty()) << messages_.last().toStdString();
}

} // namespace

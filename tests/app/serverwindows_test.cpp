// Every window the main window opens, once on a server book: each shows its lists from the
// server's rows without an error.
#include "app/windowset.h"
#include "core/mainentries.h"
#include "core/sysdata.h"
#include "core/windowregistry.h"
#include "support/booktest.h"
#include "support/postedbook.h"

#include <QDialog>
#include <QSet>

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
    QSet<QString> seen;
    int opened = 0;
    for (const mainentries::Entry& entry : mainentries::entries()) {
        // Initialisation asks first and opening stock chooses a file first.
        if (entry.opens == mainentries::kSystemInitialisation ||
            entry.opens == mainentries::kOpeningStock || !windows::hasOpener(entry.opens) ||
            seen.contains(entry.opens))
            continue;
        seen.insert(entry.opens);
        modal_.expect(entry.opens, [&](QDialog&) { ++opened; });
        windows::open(entry.opens);
        modal_.expectAllShown();
        for (const ScriptedMessages::Shown& shown : messages_.shown())
            ADD_FAILURE() << entry.opens.toStdString() << " said: " << shown.text.toStdString();
        messages_.clear();
    }
    EXPECT_GE(opened, 35);
}

} // namespace

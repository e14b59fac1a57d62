#pragma once

#include "core/connection.h"
#include "core/query.h"
#include "core/sysdata.h"
#include "support/booktest.h"
#include "support/serverbook.h"

#include <QDeadlineTimer>
#include <QThread>
#include <future>
#include <gtest/gtest.h>
#include <memory>

// Ends, from a connection of its own, the first other session of the book found waiting as
// the condition on pg_stat_activity says, as a restarted server or a broken network ends it.
class SessionEnder {
public:
    SessionEnder(std::unique_ptr<Connection> watcher, const QString& waiting)
        : watcher_(std::move(watcher)) {
        EXPECT_TRUE(watcher_->open()); // before the book may refuse new sessions
        ended_ = std::async(std::launch::async, [this, waiting] { return endOne(waiting); });
    }
    bool ended() { return ended_.get(); }

private:
    bool endOne(const QString& waiting) {
        TQuery q(*watcher_, QStringLiteral("ender"));
        for (const QDeadlineTimer failsafe(30000); !failsafe.hasExpired(); QThread::msleep(10)) {
            q.load(QStringLiteral("SELECT pg_terminate_backend(pid, 10000) AS ended FROM "
                                  "pg_stat_activity WHERE datname=current_database() AND "
                                  "pid<>pg_backend_pid() AND %1")
                       .arg(waiting));
            q.open();
            const bool found = q.recordCount() > 0;
            q.close();
            if (found)
                return true;
        }
        return false;
    }

    std::unique_ptr<Connection> watcher_;
    std::future<bool> ended_;
};

// Waiting for "SyncRep" is a commit the server has made and not yet acknowledged.
inline const QString kCommitMade = QStringLiteral("wait_event='SyncRep'");
inline const QString kWaitingForALock = QStringLiteral("wait_event_type='Lock'");

// A test on a server book whose program's connection breaks while it writes, on the book the
// base fixture fills.
template <class Base> class LostSessionOn : public Base {
protected:
    BookEngine engine() const override { return BookEngine::Server; }

    // The program's next commit is made and then waits for a standby that never comes (the
    // tests' cluster names one), until its session is ended. The new session after the break
    // commits as every session does.
    void nextCommitWaitsForItsAcknowledgement() {
        const QString names = this->scalar("SHOW synchronous_standby_names");
        ASSERT_FALSE(names.isEmpty()) << "the tests' cluster names no standby: restart it with "
                                         "scripts/pgcluster.sh";
        sysData->myCon.run("SET synchronous_commit TO on");
    }
    // No new session may open on the book: the server is as good as unreachable.
    void refuseNewSessions(bool refuse) {
        if (bookName.isEmpty())
            bookName = this->scalar("SELECT current_database()");
        ServerBook::admin(QStringLiteral("ALTER DATABASE \"%1\" WITH ALLOW_CONNECTIONS %2")
                              .arg(bookName, refuse ? "false" : "true"));
    }
    std::unique_ptr<SessionEnder> ender(const QString& waiting) {
        return std::make_unique<SessionEnder>(this->anotherCounter(), waiting);
    }

private:
    QString bookName;
};

using LostSessionTest = LostSessionOn<BookTest>;

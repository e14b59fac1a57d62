#pragma once

#include "core/connection.h"
#include "core/query.h"
#include "core/rowlock.h"

#include <QDeadlineTimer>
#include <QThread>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <memory>

// Another counter on the same book in the middle of its work: a writing transaction open
// until commit(), holding what it wrote and what it held as the program holds rows.
class OtherCounter {
public:
    // The watcher is a third connection to the book, which sees whether this counter's
    // work makes another wait.
    OtherCounter(std::unique_ptr<Connection> connection, std::unique_ptr<Connection> watcher)
        : connection_(std::move(connection)), watcher_(std::move(watcher)),
          query_(*connection_, QStringLiteral("other")) {
        connection_->run("BEGIN IMMEDIATE");
    }
    ~OtherCounter() {
        if (connection_->inTransaction())
            connection_->run("ROLLBACK");
    }
    OtherCounter(const OtherCounter&) = delete;
    OtherCounter& operator=(const OtherCounter&) = delete;

    void exec(const QString& sql) {
        query_.load(sql);
        query_.execute();
        query_.close();
    }
    // The value named v of the first row, as this counter's transaction sees it.
    QString scalar(const QString& sql) {
        query_.load(sql);
        query_.open();
        const QString value = query_.eof() ? QString() : query_.field(u"v").asText();
        query_.close();
        return value;
    }
    // Holds a row as the program does before writing what refers to it.
    void hold(const QString& table, const QString& keyColumn, long long key, RowHold how) {
        hold(table, keyColumn, QString::number(key), how);
    }
    void hold(const QString& table, const QString& keyColumn, const QString& key, RowHold how) {
        ASSERT_TRUE(holdRow(query_, table, keyColumn, key, how));
    }
    // Holds a name as the program does before checking that no row carries it.
    void holdName(const QString& scope, const QString& name) { ::holdName(query_, scope, name); }
    void commit() { connection_->run("COMMIT"); }

    // Until the server shows a session waiting for a lock; the embedded engine shows nothing
    // of the kind, and a moment is given instead.
    template <typename Future> void awaitALockWait(Future& running) {
        using namespace std::chrono_literals;
        if (!watcher_->isServer()) {
            running.wait_for(300ms);
            return;
        }
        TQuery q(*watcher_, QStringLiteral("watcher"));
        const QDeadlineTimer failsafe(30000);
        for (;;) {
            q.load(QStringLiteral("SELECT COUNT(*) AS n FROM pg_stat_activity WHERE "
                                  "datname=current_database() AND wait_event_type='Lock'"));
            q.open();
            const bool waiting = q.field(u"n").asInteger() > 0;
            q.close();
            if (waiting)
                return;
            ASSERT_FALSE(failsafe.hasExpired()) << "nothing ever waited for the other counter";
            QThread::msleep(20);
        }
    }

private:
    std::unique_ptr<Connection> connection_;
    std::unique_ptr<Connection> watcher_;
    TQuery query_;
};

// Runs the procedure at this counter while the other holds its transaction: it must be waiting
// for the other, and finishes once the other commits.
template <typename Procedure> auto whileHeldBy(OtherCounter& other, Procedure procedure) {
    using namespace std::chrono_literals;
    auto running = std::async(std::launch::async, procedure);
    other.awaitALockWait(running);
    EXPECT_EQ(running.wait_for(0ms), std::future_status::timeout)
        << "went ahead without waiting for the other counter";
    other.commit();
    return running.get();
}

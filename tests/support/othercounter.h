#pragma once

#include "core/connection.h"
#include "core/query.h"
#include "core/rowlock.h"

#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <memory>

// Another counter on the same book in the middle of its work: a writing transaction open
// until commit(), holding what it wrote and what it held as the program holds rows.
class OtherCounter {
public:
    explicit OtherCounter(std::unique_ptr<Connection> connection)
        : connection_(std::move(connection)), query_(*connection_, QStringLiteral("other")) {
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
    // Holds a row as the program does before writing what refers to it.
    void hold(const QString& table, const QString& keyColumn, long long key, RowHold how) {
        ASSERT_TRUE(holdRow(query_, table, keyColumn, QString::number(key), how));
    }
    void commit() { connection_->run("COMMIT"); }

private:
    std::unique_ptr<Connection> connection_;
    TQuery query_;
};

// Runs the procedure at this counter while the other holds its transaction: it must still be
// waiting a moment later, and finishes once the other commits.
template <typename Procedure> auto whileHeldBy(OtherCounter& other, Procedure procedure) {
    using namespace std::chrono_literals;
    auto running = std::async(std::launch::async, procedure);
    EXPECT_EQ(running.wait_for(300ms), std::future_status::timeout)
        << "went ahead without waiting for the other counter";
    other.commit();
    return running.get();
}

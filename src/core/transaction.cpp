#include "core/transaction.h"

#include "core/connection.h"
#include "core/engine.h"
#include "core/messages.h"

#include <QRandomGenerator>
#include <chrono>
#include <thread>

namespace {

// How often the fate of a transaction still running is asked, a tenth of a second apart.
constexpr int kFateQuestions = 10;

const char* beginning(const Connection& connection, Transaction::Mode mode) {
    if (mode == Transaction::Mode::Reading)
        return connection.isServer() ? "BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY"
                                     : "BEGIN DEFERRED";
    return "BEGIN IMMEDIATE";
}

} // namespace

Transaction::Transaction(Connection& connection, Mode mode) : connection_(connection) {
    if (connection_.inTransaction()) {
        connection_.run("SAVEPOINT vesk");
    } else {
        connection_.run(beginning(connection_, mode));
        outermost_ = true;
    }
    generation_ = connection_.generation();
}

Transaction::~Transaction() {
    // On a session opened since, whatever is open there is not this transaction's.
    if (done_ || !connection_.isOpen() || !connection_.inTransaction() ||
        connection_.generation() != generation_)
        return;
    try {
        if (outermost_) {
            connection_.run("ROLLBACK");
        } else {
            connection_.run("ROLLBACK TO vesk");
            connection_.run("RELEASE vesk");
        }
    } catch (...) {
        // The connection is gone; the engine has rolled back already.
    }
}

void Transaction::commit() {
    // A COMMIT on the new session would find nothing to commit and report success.
    if (connection_.generation() != generation_)
        throw DbError(QStringLiteral("与服务器的连接已中断"), DbError::Kind::ConnectionLost);
    connection_.run(outermost_ ? "COMMIT" : "RELEASE vesk");
    done_ = true;
}

namespace transactions {

void pauseBeforeAttempt(int attempt) {
    const int longest = 10 * attempt;
    std::this_thread::sleep_for(
        std::chrono::milliseconds(1 + QRandomGenerator::global()->bounded(longest)));
}

bool connectionBusy(const Connection& connection) {
    return connection.inTransaction();
}

QString serverId(Connection& connection) {
    if (!connection.isServer())
        return QString();
    const ResultSet id =
        connection.prepare(QStringLiteral("SELECT CAST(pg_current_xact_id() AS text)"))->query({});
    return id.text(0, 0);
}

Fate fateAfterBreak(Connection& connection, const QString& id) {
    if (id.isEmpty())
        return Fate::RolledBack;
    try {
        const auto statement =
            connection.prepare(QStringLiteral("SELECT pg_xact_status(CAST(:id AS xid8))"));
        // "in progress": the ended session may not have finished it on the server yet, which
        // takes it moments; a session the server still runs (a broken network) stays so.
        for (int asked = 1;; ++asked) {
            const QString fate = statement->query({id}).text(0, 0);
            if (fate == u"committed")
                return Fate::Committed;
            if (fate == u"aborted")
                return Fate::RolledBack;
            if (asked == kFateQuestions)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    } catch (const DbError&) {
    }
    return Fate::Unknown;
}

bool committedOrTold(Connection& connection, const QString& id) {
    const Fate fate = fateAfterBreak(connection, id);
    if (fate == Fate::Committed)
        return true;
    notice(fate == Fate::RolledBack
               ? QStringLiteral("与服务器的连接已中断，操作未完成，请重新操作。")
               : QStringLiteral("与服务器的连接已中断，无法确认操作是否已完成。"
                                "请刷新列表核对后再决定是否重新操作。"));
    return false;
}

} // namespace transactions

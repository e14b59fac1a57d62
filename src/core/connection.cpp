#include "core/connection.h"

#include "core/dberror.h"
#include "core/pgengine.h"
#include "core/serversetting.h"
#include "core/sqliteengine.h"

#include <QDir>

Connection::Connection(QString path) : path_(std::move(path)) {
    auto engine = std::make_unique<SqliteEngine>(path_);
    sqlite_ = engine.get();
    engine_ = std::move(engine);
}

Connection::Connection(QString address, std::unique_ptr<Engine> engine)
    : path_(std::move(address)), engine_(std::move(engine)) {}

Connection Connection::server(QString conninfo) {
    auto engine = std::make_unique<PgEngine>(conninfo);
    return Connection(std::move(conninfo), std::move(engine));
}

Connection::~Connection() = default;

QString Connection::shownPath() const {
    if (!isServer())
        return QDir::toNativeSeparators(path_);
    QString password;
    return serversetting::withoutPassword(path_, &password);
}

bool Connection::open() {
    return engine_->open();
}

void Connection::close() {
    engine_->close();
}

bool Connection::isOpen() const {
    return engine_->isOpen();
}

bool Connection::inTransaction() const {
    return engine_->inTransaction();
}

unsigned Connection::generation() const {
    return engine_->generation();
}

const QString& Connection::lastError() const {
    return engine_->lastError();
}

int Connection::upgradedFrom() const {
    return sqlite_ ? sqlite_->upgradedFrom() : 0;
}

QString Connection::upgradeBackup() const {
    return sqlite_ ? sqlite_->upgradeBackup() : QString();
}

Engine& Connection::opened() {
    // A server out of reach after a broken connection fails the operation as the break did,
    // so that the person hears the connection is gone rather than of some failure.
    if (!engine_->isOpen() && !engine_->open())
        throw DbError(QStringLiteral("无法链接到数据库：") + engine_->lastError(),
                      isServer() ? DbError::Kind::ConnectionLost : DbError::Kind::Failure);
    return *engine_;
}

sqlite3* Connection::handle() {
    if (!sqlite_)
        throw DbError(QStringLiteral("服务器上的账簿不能按文件处理"));
    opened();
    return sqlite_->handle();
}

void Connection::run(const char* sql) {
    opened().run(sql);
}

std::unique_ptr<Statement> Connection::prepare(const QString& sql) {
    return opened().prepare(sql);
}

#include "core/schema.h"

#include "core/connection.h"
#include "core/dberror.h"
#include "schema/schemasql.h"

#include <QFile>
#include <sqlite3.h>

namespace schema {

void create(const QString& path) {
    if (QFile::exists(path))
        throw DbError(QStringLiteral("文件已存在：") + path);
    sqlite3* db = nullptr;
    const QByteArray file = path.toUtf8();
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        const QString text = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close_v2(db);
        throw DbError(text);
    }
    char* error = nullptr;
    const int rc = sqlite3_exec(db, schemaSql(), nullptr, nullptr, &error);
    const QString text = QString::fromUtf8(error ? error : "");
    sqlite3_free(error);
    sqlite3_close_v2(db);
    if (rc != SQLITE_OK) {
        QFile::remove(path);
        throw DbError(text);
    }
}

bool isOurs(Connection& connection) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection.handle(), "PRAGMA application_id", -1, &statement, nullptr) !=
        SQLITE_OK)
        throw DbError(QString::fromUtf8(sqlite3_errmsg(connection.handle())));
    const bool ours =
        sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_int(statement, 0) == kApplicationId;
    sqlite3_finalize(statement);
    return ours;
}

} // namespace schema

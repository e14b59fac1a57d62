#include "core/schema.h"

#include "core/dberror.h"
#include "core/sqlitewords.h"
#include "schema/schemasql.h"
#include "schema/upgradesteps.h"

#include <QFile>
#include <QRegularExpression>
#include <map>
#include <sqlite3.h>

namespace schema {

QString newerVersionRefusal(int version) {
    return QStringLiteral("账簿由较新版本的程序建立（账簿版本 %1，本程序为 %2），请更新程序")
        .arg(version)
        .arg(kUserVersion);
}

namespace {

void exec(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const QString text = failureText(db, error);
        sqlite3_free(error);
        throw DbError(text);
    }
}

int firstInteger(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
        throw DbError(failureText(db));
    const int rc = sqlite3_step(statement);
    const int value = rc == SQLITE_ROW ? sqlite3_column_int(statement, 0) : 0;
    sqlite3_finalize(statement);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw DbError(failureText(db));
    return value;
}

// Each object of the book by type and name, with its definition as written and with the
// blanks that do not matter taken out: an upgrade that writes a definition of schema.sql
// again gives the same text even where it was laid out otherwise.
using Structure = std::map<QString, QString>;

QString normalised(QString sql) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    static const QRegularExpression aroundPunctuation(QStringLiteral(" ?([(),;=]) ?"));
    sql.replace(blanks, QStringLiteral(" "));
    sql.replace(aroundPunctuation, QStringLiteral("\\1"));
    return sql.trimmed();
}

Structure structureOf(sqlite3* db) {
    Structure structure;
    sqlite3_stmt* statement = nullptr;
    // The engine's own tables (sequences, planner statistics) are data, not definition.
    if (sqlite3_prepare_v2(db,
                           "SELECT type, name, sql FROM sqlite_schema "
                           "WHERE name NOT LIKE 'sqlite\\_%' ESCAPE '\\'",
                           -1, &statement, nullptr) != SQLITE_OK)
        throw DbError(failureText(db));
    while (sqlite3_step(statement) == SQLITE_ROW) {
        const auto text = [&](int column) {
            return QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
        };
        structure[text(0) + u' ' + text(1)] = normalised(text(2));
    }
    sqlite3_finalize(statement);
    return structure;
}

// The structure of a new book, made once in memory.
const Structure& expectedStructure() {
    static const Structure expected = [] {
        sqlite3* db = nullptr;
        sqlite3_open(":memory:", &db);
        Structure made;
        try {
            exec(db, schemaSql());
            made = structureOf(db);
        } catch (const DbError&) {
            sqlite3_close(db);
            throw;
        }
        sqlite3_close(db);
        return made;
    }();
    return expected;
}

} // namespace

void create(const QString& path) {
    if (QFile::exists(path))
        throw DbError(QStringLiteral("文件已存在：") + path);
    sqlite3* db = nullptr;
    const QByteArray file = path.toUtf8();
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        const QString text = failureText(db);
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

int applicationIdOf(sqlite3* db) {
    return firstInteger(db, "PRAGMA application_id");
}

int versionOf(sqlite3* db) {
    return firstInteger(db, "PRAGMA user_version");
}

QStringList structureDifferences(sqlite3* db) {
    const Structure& expected = expectedStructure();
    const Structure found = structureOf(db);
    QStringList differences;
    for (const auto& [name, sql] : expected) {
        const auto it = found.find(name);
        if (it == found.end())
            differences << QStringLiteral("缺少 ") + name;
        else if (it->second != sql)
            differences << QStringLiteral("不同于本版本的 ") + name;
    }
    for (const auto& [name, sql] : found)
        if (!expected.count(name))
            differences << QStringLiteral("多出 ") + name;
    return differences;
}

void upgrade(sqlite3* db) {
    const int from = versionOf(db);
    if (from < kOldestVersion || from > kUserVersion)
        throw DbError(QStringLiteral("无法升级版本 %1 的账簿").arg(from));
    exec(db, "BEGIN IMMEDIATE");
    try {
        for (int version = from + 1; version <= kUserVersion; ++version) {
            const std::string step = upgradeStep(Engine::Embedded, version);
            if (step.empty())
                throw DbError(QStringLiteral("缺少升级到版本 %1 的步骤").arg(version));
            exec(db, step.c_str());
        }
        exec(db,
             QByteArray("PRAGMA user_version = " + QByteArray::number(kUserVersion)).constData());
        const QStringList differences = structureDifferences(db);
        if (!differences.isEmpty())
            throw DbError(QStringLiteral("升级后的账簿结构不符：") +
                          differences.join(QStringLiteral("；")));
        exec(db, "COMMIT");
    } catch (const DbError&) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace schema

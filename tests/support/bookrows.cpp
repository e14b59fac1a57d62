#include "support/bookrows.h"

#include <QFile>
#include <QStringList>
#include <functional>
#include <sqlite3.h>

QString rowsOf(const QString& file) {
    sqlite3* db = nullptr;
    QString rows;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return rows;
    }
    const auto each = [db](const QByteArray& sql, const std::function<void(sqlite3_stmt*)>& row) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &s, nullptr) == SQLITE_OK)
            while (sqlite3_step(s) == SQLITE_ROW)
                row(s);
        sqlite3_finalize(s);
    };
    QStringList tables;
    each("SELECT name FROM sqlite_schema WHERE type='table' ORDER BY name", [&](sqlite3_stmt* s) {
        tables << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    });
    for (const QString& table : tables)
        each("SELECT * FROM \"" + table.toUtf8() + "\" ORDER BY rowid", [&](sqlite3_stmt* s) {
            rows += table;
            for (int i = 0; i < sqlite3_column_count(s); ++i)
                rows += u'|' +
                        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, i)));
            rows += u'\n';
        });
    sqlite3_close(db);
    return rows;
}

#include "twobooks.h"

#include "schema/schemasql.h"
#include "schema/serverschema.h"

#include <QRegularExpression>
#include <sqlite3.h>
#include <stdexcept>

namespace {

// A number as text in its shortest form, so that the server's numeric (3.500000) and the
// embedded engine's double (3.5) read the same.
QString shortest(QString field) {
    static const QRegularExpression decimal(QStringLiteral("^-?[0-9]+\\.[0-9]*$"));
    if (decimal.match(field).hasMatch()) {
        while (field.endsWith(u'0'))
            field.chop(1);
        if (field.endsWith(u'.'))
            field.chop(1);
    }
    return field == QStringLiteral("-0") ? QStringLiteral("0") : field;
}

QStringList normalised(const QStringList& columns, QStringList rows) {
    for (QString& row : rows) {
        QStringList fields = row.split(u'|');
        for (QString& field : fields)
            field = shortest(field);
        row = fields.join(u'|');
    }
    rows.sort();
    return QStringList{columns.join(u'|').toLower()} + rows;
}

} // namespace

TwoBooks::TwoBooks() {
    sqlite3_open(":memory:", &embedded_);
    if (const QString error = execEmbedded(QString::fromUtf8(schemaSql())); !error.isEmpty())
        throw std::runtime_error(error.toStdString());
    if (const std::string error = schema::createOnServer(server.conninfo()); !error.empty())
        throw std::runtime_error(error);
}

TwoBooks::~TwoBooks() {
    sqlite3_close(embedded_);
}

QString TwoBooks::execEmbedded(const QString& sql) {
    char* error = nullptr;
    if (sqlite3_exec(embedded_, sql.toUtf8().constData(), nullptr, nullptr, &error) == SQLITE_OK)
        return {};
    const QString text = QString::fromUtf8(error ? error : "?");
    sqlite3_free(error);
    return text;
}

QString TwoBooks::exec(const QString& sql) {
    QStringList errors;
    if (const QString e = execEmbedded(sql); !e.isEmpty())
        errors << QStringLiteral("embedded: ") + e;
    if (const QString e = server.exec(sql); !e.isEmpty())
        errors << QStringLiteral("server: ") + e;
    return errors.join(u'\n');
}

QStringList embeddedRowsOf(sqlite3* db, const QString& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(sql.toStdString() + ": " + sqlite3_errmsg(db));
    QStringList columns, rows;
    for (int i = 0; i < sqlite3_column_count(statement); ++i)
        columns << QString::fromUtf8(sqlite3_column_name(statement, i));
    while (sqlite3_step(statement) == SQLITE_ROW) {
        QStringList fields;
        for (int i = 0; i < sqlite3_column_count(statement); ++i)
            fields << (sqlite3_column_type(statement, i) == SQLITE_NULL
                           ? QStringLiteral("NULL")
                           : QString::fromUtf8(
                                 reinterpret_cast<const char*>(sqlite3_column_text(statement, i))));
        rows << fields.join(u'|');
    }
    sqlite3_finalize(statement);
    return normalised(columns, rows);
}

QStringList serverRowsOf(ServerDb& server, const QString& sql) {
    return normalised(server.columns(sql), server.rows(sql));
}

QStringList TwoBooks::embeddedRows(const QString& sql) {
    return embeddedRowsOf(embedded_, sql);
}

QStringList TwoBooks::serverRows(const QString& sql) {
    return serverRowsOf(server, sql);
}

QString TwoBooks::differences(const QString& sql) {
    const QStringList embedded = embeddedRows(sql), onServer = serverRows(sql);
    QStringList lines;
    for (const QString& row : embedded)
        if (!onServer.contains(row))
            lines << QStringLiteral("only embedded: ") + row;
    for (const QString& row : onServer)
        if (!embedded.contains(row))
            lines << QStringLiteral("only server:   ") + row;
    if (embedded != onServer && lines.isEmpty())
        lines << QStringLiteral("the same rows, differently often");
    return lines.join(u'\n');
}

QStringList TwoBooks::embeddedNames(const QString& type) {
    QStringList names;
    for (const QString& row : embeddedRows(
             QStringLiteral("SELECT name FROM sqlite_schema WHERE type = '%1' AND name NOT LIKE "
                            "'sqlite\\_%' ESCAPE '\\'")
                 .arg(type)))
        names << row;
    names.removeFirst(); // the column name
    return names;
}

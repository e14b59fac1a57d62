#include "core/query.h"

#include "core/connection.h"
#include "core/dberror.h"

#include <sqlite3.h>

namespace {

[[noreturn]] void engineError(sqlite3* db) {
    throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
}

} // namespace

TQuery::TQuery(Connection& connection, const QString& name) : connection_(connection) {
    setObjectName(name);
}

TQuery::~TQuery() {
    finalize();
}

void TQuery::finalize() {
    // A statement of an earlier opening was finalized when the connection closed.
    if (statement_ && connection_.isOpen() && generation_ == connection_.generation())
        connection_.putBack(sql_.toUtf8(), statement_);
    statement_ = nullptr;
}

void TQuery::load(const QString& sql) {
    close();
    finalize();
    sql_ = sql;
    parameters_.clear();
    sqlite3_stmt* statement = prepared();
    const int count = sqlite3_bind_parameter_count(statement);
    for (int i = 1; i <= count; ++i) {
        const char* name = sqlite3_bind_parameter_name(statement, i);
        parameters_.push_back({QString::fromUtf8(name ? name + 1 : ""), Value()});
    }
}

sqlite3_stmt* TQuery::prepared() {
    sqlite3* db = connection_.handle();
    if (statement_ && generation_ == connection_.generation())
        return statement_;
    const QByteArray text = sql_.toUtf8();
    statement_ = connection_.take(text);
    if (statement_) {
        generation_ = connection_.generation();
        return statement_;
    }
    const char* tail = nullptr;
    if (sqlite3_prepare_v3(db, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                           &statement_, &tail) != SQLITE_OK) {
        statement_ = nullptr;
        engineError(db);
    }
    generation_ = connection_.generation();
    if (!statement_)
        throw DbError(QStringLiteral("语句为空"));
    if (tail && QByteArray(tail).trimmed().size() > 0) {
        sqlite3_finalize(statement_); // never kept: a second statement would go unnoticed
        statement_ = nullptr;
        throw DbError(QStringLiteral("一次只能执行一条语句"));
    }
    return statement_;
}

int TQuery::parameterIndex(QStringView name) const {
    for (std::size_t i = 0; i < parameters_.size(); ++i)
        if (parameters_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

TQuery::Parameter& TQuery::parameter(QStringView name) {
    const int i = parameterIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("%1: 参数“%2”不存在").arg(objectName(), name.toString()));
    return parameters_[std::size_t(i)];
}

void TQuery::bind(QStringView name, const QString& text) {
    parameter(name).value = text;
}
void TQuery::bind(QStringView name, double value) {
    parameter(name).value = value;
}
void TQuery::bind(QStringView name, long long value) {
    parameter(name).value = value;
}

void TQuery::bindAll(sqlite3_stmt* statement) {
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    for (std::size_t i = 0; i < parameters_.size(); ++i) {
        const int index = int(i) + 1;
        const Value& v = parameters_[i].value;
        if (std::holds_alternative<std::monostate>(v))
            throw DbError(
                QStringLiteral("%1: 参数“%2”没有赋值").arg(objectName(), parameters_[i].name));
        if (const auto* text = std::get_if<QString>(&v)) {
            const QByteArray utf8 = text->toUtf8();
            sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()),
                              SQLITE_TRANSIENT);
        } else if (const auto* real = std::get_if<double>(&v)) {
            sqlite3_bind_double(statement, index, *real);
        } else {
            sqlite3_bind_int64(statement, index, std::get<long long>(v));
        }
    }
}

int TQuery::execute() {
    if (sql_.isEmpty())
        throw DbError(objectName() + QStringLiteral(": 没有语句"));
    sqlite3_stmt* statement = prepared();
    bindAll(statement);
    sqlite3* db = sqlite3_db_handle(statement);
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    }
    sqlite3_reset(statement);
    if (rc != SQLITE_DONE)
        engineError(db);
    return sqlite3_changes(db);
}

void TQuery::open() {
    if (sql_.isEmpty())
        throw DbError(objectName() + QStringLiteral(": 没有语句"));
    close();
    sqlite3_stmt* statement = prepared();
    bindAll(statement);
    try {
        result_ = ResultSet::read(statement);
    } catch (...) {
        sqlite3_reset(statement);
        throw;
    }
    sqlite3_reset(statement);
    open_ = true;
    current_ = 0;
    emit resultReset();
}

void TQuery::close() {
    const bool wasOpen = open_;
    open_ = false;
    result_ = ResultSet();
    current_ = 0;
    ordering_.clear();
    if (wasOpen)
        emit resultReset();
}

void TQuery::next() {
    if (!eof())
        setCurrentRow(current_ + 1);
}

void TQuery::first() {
    setCurrentRow(0);
}

void TQuery::setCurrentRow(int row) {
    if (row == current_)
        return;
    current_ = row;
    emit currentRowChanged(row);
}

Field TQuery::field(QStringView name) const {
    const int column = open_ ? result_.column(name) : -1;
    if (column < 0)
        throw DbError(QStringLiteral("%1: 字段“%2”不存在").arg(objectName(), name.toString()));
    return Field(*this, column);
}

void TQuery::sort(const QString& ordering) {
    if (!open_)
        return;
    result_.sort(ordering);
    ordering_ = ordering;
    current_ = 0;
    emit resultReset();
}

namespace {
bool onRow(const TQuery& q) {
    return !q.eof();
}
} // namespace

QString Field::asText() const {
    return onRow(query_) ? query_.result_.text(query_.current_, column_) : QString();
}

double Field::asFloat() const {
    return onRow(query_) ? query_.result_.real(query_.current_, column_) : 0.0;
}

long long Field::asInteger() const {
    return onRow(query_) ? query_.result_.integer(query_.current_, column_) : 0;
}

bool Field::isNull() const {
    return !onRow(query_) || query_.result_.type(query_.current_, column_) == ResultSet::Type::Null;
}

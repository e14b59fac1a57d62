#include "core/query.h"

#include "core/connection.h"
#include "core/dberror.h"

TQuery::TQuery(Connection& connection, const QString& name) : connection_(connection) {
    setObjectName(name);
}

TQuery::~TQuery() = default;

void TQuery::load(const QString& sql) {
    close();
    statement_.reset();
    sql_ = sql;
    names_.clear();
    values_.clear();
    queued_.clear();
    names_ = prepared().parameters();
    values_.resize(std::size_t(names_.size()));
}

Statement& TQuery::prepared() {
    // A statement of an earlier opening died with it.
    if (statement_ && generation_ == connection_.generation() && connection_.isOpen())
        return *statement_;
    statement_.reset();
    statement_ = connection_.prepare(sql_);
    generation_ = connection_.generation();
    return *statement_;
}

int TQuery::parameterIndex(QStringView name) const {
    for (int i = 0; i < names_.size(); ++i)
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

SqlValue& TQuery::parameter(QStringView name) {
    const int i = parameterIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("%1: 参数“%2”不存在").arg(objectName(), name.toString()));
    return values_[std::size_t(i)];
}

void TQuery::bind(QStringView name, const QString& text) {
    parameter(name) = text;
}
void TQuery::bind(QStringView name, double value) {
    parameter(name) = value;
}
void TQuery::bind(QStringView name, long long value) {
    parameter(name) = value;
}

const std::vector<SqlValue>& TQuery::boundValues() const {
    for (std::size_t i = 0; i < values_.size(); ++i)
        if (std::holds_alternative<std::monostate>(values_[i]))
            throw DbError(QStringLiteral("%1: 参数“%2”没有赋值").arg(objectName(), names_[int(i)]));
    return values_;
}

int TQuery::execute() {
    if (sql_.isEmpty())
        throw DbError(objectName() + QStringLiteral(": 没有语句"));
    Statement& statement = prepared();
    return statement.execute(boundValues());
}

void TQuery::queue() {
    if (sql_.isEmpty())
        throw DbError(objectName() + QStringLiteral(": 没有语句"));
    queued_.push_back(boundValues());
}

int TQuery::executeQueued() {
    if (queued_.empty())
        return 0;
    const std::vector<std::vector<SqlValue>> runs = std::move(queued_);
    queued_.clear();
    return prepared().executeEach(runs);
}

void TQuery::open() {
    if (sql_.isEmpty())
        throw DbError(objectName() + QStringLiteral(": 没有语句"));
    close();
    Statement& statement = prepared();
    result_ = statement.query(boundValues());
    open_ = true;
    ++openings_;
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

int TQuery::rowOf(QStringView name, const QString& key) const {
    const int column = open_ && !key.isEmpty() ? result_.column(name) : -1;
    for (int row = 0; column >= 0 && row < result_.rowCount(); ++row)
        if (result_.text(row, column) == key)
            return row;
    return -1;
}

bool TQuery::locate(QStringView name, const QString& key) {
    const int row = rowOf(name, key);
    if (row >= 0)
        setCurrentRow(row);
    return row >= 0;
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

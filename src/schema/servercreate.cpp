// Writing a new server book through libpq.
#include "schema/serverschema.h"

#include <libpq-fe.h>
#include <memory>

namespace schema {

namespace {

struct Finish {
    void operator()(PGconn* c) const { PQfinish(c); }
};
struct Clear {
    void operator()(PGresult* r) const { PQclear(r); }
};
using Connection = std::unique_ptr<PGconn, Finish>;
using Result = std::unique_ptr<PGresult, Clear>;

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

// Tables and views outside the server's own catalogues.
const char* const kExistingRelations =
    "SELECT count(*) FROM pg_catalog.pg_class c "
    "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
    "WHERE c.relkind IN ('r', 'p', 'v', 'm', 'f') "
    "AND n.nspname NOT IN ('pg_catalog', 'information_schema') AND n.nspname NOT LIKE 'pg_toast%'";

// The database's rules for text. The embedded book orders text byte for byte and ignores the
// case of Latin letters only; a database of the C rules does the same, and the server compares
// and folds text in it without consulting a language's tables, which is much of what a
// search or a sort of text costs.
const char* const kTextRules =
    "SELECT datcollate, datctype, pg_encoding_to_char(encoding) FROM pg_catalog.pg_database "
    "WHERE datname = current_database()";

bool isC(const std::string& locale) {
    return locale == "C" || locale == "POSIX";
}

} // namespace

std::string writeServerBook(PGconn* c) {
    const Result rules(PQexec(c, kTextRules));
    if (PQresultStatus(rules.get()) != PGRES_TUPLES_OK || PQntuples(rules.get()) != 1)
        return "无法查看数据库的字符规则：" + trimmed(PQerrorMessage(c));
    const std::string collate = PQgetvalue(rules.get(), 0, 0);
    const std::string ctype = PQgetvalue(rules.get(), 0, 1);
    const std::string encoding = PQgetvalue(rules.get(), 0, 2);
    if (!isC(collate) || !isC(ctype) || encoding != "UTF8")
        return "数据库的字符规则是 " + collate + "/" + ctype + "（" + encoding +
               "），账簿需要 C 规则、UTF8 编码的数据库，其排序和大小写规则与单机账簿相同。"
               "请这样建立数据库：createdb --locale=C --encoding=UTF8 --template=template0 "
               "数据库名。";
    const Result existing(PQexec(c, kExistingRelations));
    if (PQresultStatus(existing.get()) != PGRES_TUPLES_OK)
        return "无法查看数据库中的表：" + trimmed(PQerrorMessage(c));
    const std::string count = PQgetvalue(existing.get(), 0, 0);
    if (count != "0")
        return "数据库中已有 " + count + " 个表或视图，账簿只能写入空数据库。";
    if (Result written(PQexec(c, serverSql().c_str()));
        PQresultStatus(written.get()) != PGRES_COMMAND_OK &&
        PQresultStatus(written.get()) != PGRES_TUPLES_OK)
        return "写入账簿失败：" + trimmed(PQerrorMessage(c));
    return {};
}

std::string createOnServer(const std::string& conninfo) {
    const Connection c(PQconnectdb(conninfo.c_str()));
    if (PQstatus(c.get()) != CONNECTION_OK)
        return "无法连接到服务器：" + trimmed(PQerrorMessage(c.get()));
    // The server's notices (an extension already there) are no news to the person running this.
    PQsetNoticeProcessor(
        c.get(), [](void*, const char*) {}, nullptr);
    const auto failure = [&](const std::string& reason) {
        Result(PQexec(c.get(), "ROLLBACK"));
        return reason;
    };
    if (Result begun(PQexec(c.get(), "BEGIN")); PQresultStatus(begun.get()) != PGRES_COMMAND_OK)
        return failure("无法开始事务：" + trimmed(PQerrorMessage(c.get())));
    if (const std::string refused = writeServerBook(c.get()); !refused.empty())
        return failure(refused + "未作任何改动。");
    if (Result committed(PQexec(c.get(), "COMMIT"));
        PQresultStatus(committed.get()) != PGRES_COMMAND_OK)
        return failure("提交失败：" + trimmed(PQerrorMessage(c.get())));
    return {};
}

} // namespace schema

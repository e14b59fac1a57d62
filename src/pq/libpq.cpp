// The PostgreSQL client library is loaded the first time a book on a server is used, not when
// the program starts: it brings some twenty libraries of its own (Kerberos, LDAP, TLS), whose
// loading made every start on a book kept on this computer about 6 ms slower. The program calls
// libpq's functions as declared in its header; each is defined here once, calling the
// library's own, found by name when first called.
#include "pq/libpq.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <libpq-fe.h>

namespace pq {

namespace {

struct Library {
    void* handle = nullptr;
    std::string error;
};

const Library& library() {
    static const Library loaded = [] {
        Library l;
        l.handle = dlopen("libpq.so.5", RTLD_NOW | RTLD_LOCAL);
        if (!l.handle) {
            const char* why = dlerror();
            l.error = why ? why : "libpq.so.5";
        }
        return l;
    }();
    return loaded;
}

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "无法载入 PostgreSQL 客户端库：%s\n", why.c_str());
    std::abort();
}

template <typename Function> Function resolve(const char* name) {
    const Library& l = library();
    if (!l.handle)
        fail(l.error);
    void* symbol = dlsym(l.handle, name);
    if (!symbol)
        fail(std::string("libpq.so.5 没有 ") + name);
    return reinterpret_cast<Function>(symbol);
}

} // namespace

std::string loadError() {
    return library().error;
}

} // namespace pq

// One definition a function: its declaration's return type, parameters and the arguments
// passed on.
#define VESK_PQ(type, name, parameters, arguments)                                                 \
    type name parameters {                                                                         \
        static const auto real = pq::resolve<decltype(&name)>(#name);                              \
        return real arguments;                                                                     \
    }

extern "C" {
VESK_PQ(PGconn*, PQconnectdb, (const char* conninfo), (conninfo))
VESK_PQ(PGconn*, PQconnectdbParams,
        (const char* const* keywords, const char* const* values, int expand_dbname),
        (keywords, values, expand_dbname))
VESK_PQ(void, PQfinish, (PGconn * conn), (conn))
VESK_PQ(ConnStatusType, PQstatus, (const PGconn* conn), (conn))
VESK_PQ(PGTransactionStatusType, PQtransactionStatus, (const PGconn* conn), (conn))
VESK_PQ(char*, PQerrorMessage, (const PGconn* conn), (conn))
VESK_PQ(PQnoticeProcessor, PQsetNoticeProcessor, (PGconn * conn, PQnoticeProcessor proc, void* arg),
        (conn, proc, arg))
VESK_PQ(PQconninfoOption*, PQconninfoParse, (const char* conninfo, char** errmsg),
        (conninfo, errmsg))
VESK_PQ(void, PQconninfoFree, (PQconninfoOption * connOptions), (connOptions))
VESK_PQ(void, PQfreemem, (void* ptr), (ptr))

VESK_PQ(PGresult*, PQexec, (PGconn * conn, const char* query), (conn, query))
VESK_PQ(PGresult*, PQprepare,
        (PGconn * conn, const char* stmtName, const char* query, int nParams,
         const Oid* paramTypes),
        (conn, stmtName, query, nParams, paramTypes))
VESK_PQ(PGresult*, PQdescribePrepared, (PGconn * conn, const char* stmt), (conn, stmt))
VESK_PQ(PGresult*, PQexecPrepared,
        (PGconn * conn, const char* stmtName, int nParams, const char* const* paramValues,
         const int* paramLengths, const int* paramFormats, int resultFormat),
        (conn, stmtName, nParams, paramValues, paramLengths, paramFormats, resultFormat))
VESK_PQ(int, PQsendQueryPrepared,
        (PGconn * conn, const char* stmtName, int nParams, const char* const* paramValues,
         const int* paramLengths, const int* paramFormats, int resultFormat),
        (conn, stmtName, nParams, paramValues, paramLengths, paramFormats, resultFormat))
VESK_PQ(PGresult*, PQgetResult, (PGconn * conn), (conn))
VESK_PQ(int, PQenterPipelineMode, (PGconn * conn), (conn))
VESK_PQ(int, PQexitPipelineMode, (PGconn * conn), (conn))
VESK_PQ(int, PQpipelineSync, (PGconn * conn), (conn))
VESK_PQ(int, PQputCopyData, (PGconn * conn, const char* buffer, int nbytes), (conn, buffer, nbytes))
VESK_PQ(int, PQputCopyEnd, (PGconn * conn, const char* errormsg), (conn, errormsg))

VESK_PQ(ExecStatusType, PQresultStatus, (const PGresult* res), (res))
VESK_PQ(char*, PQresultErrorField, (const PGresult* res, int fieldcode), (res, fieldcode))
VESK_PQ(int, PQntuples, (const PGresult* res), (res))
VESK_PQ(int, PQnfields, (const PGresult* res), (res))
VESK_PQ(char*, PQfname, (const PGresult* res, int field_num), (res, field_num))
VESK_PQ(Oid, PQftype, (const PGresult* res, int field_num), (res, field_num))
VESK_PQ(int, PQnparams, (const PGresult* res), (res))
VESK_PQ(Oid, PQparamtype, (const PGresult* res, int param_num), (res, param_num))
VESK_PQ(char*, PQgetvalue, (const PGresult* res, int tup_num, int field_num),
        (res, tup_num, field_num))
VESK_PQ(int, PQgetlength, (const PGresult* res, int tup_num, int field_num),
        (res, tup_num, field_num))
VESK_PQ(int, PQgetisnull, (const PGresult* res, int tup_num, int field_num),
        (res, tup_num, field_num))
VESK_PQ(char*, PQcmdTuples, (PGresult * res), (res))
VESK_PQ(void, PQclear, (PGresult * res), (res))
}

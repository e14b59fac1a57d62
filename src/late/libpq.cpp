// The PostgreSQL client library's functions the program calls, loaded when a book on a server
// is first used.
#include "late/library.h"

#include <libpq-fe.h>

extern "C" {
VESK_LATE(late::libpq(), PGconn*, PQconnectdb, (const char* conninfo), (conninfo))
VESK_LATE(late::libpq(), PGconn*, PQconnectdbParams,
          (const char* const* keywords, const char* const* values, int expand_dbname),
          (keywords, values, expand_dbname))
VESK_LATE(late::libpq(), void, PQfinish, (PGconn * conn), (conn))
VESK_LATE(late::libpq(), ConnStatusType, PQstatus, (const PGconn* conn), (conn))
VESK_LATE(late::libpq(), PGTransactionStatusType, PQtransactionStatus, (const PGconn* conn), (conn))
VESK_LATE(late::libpq(), char*, PQerrorMessage, (const PGconn* conn), (conn))
VESK_LATE(late::libpq(), int, PQconnectionNeedsPassword, (const PGconn* conn), (conn))
VESK_LATE(late::libpq(), int, PQconnectionUsedPassword, (const PGconn* conn), (conn))
VESK_LATE(late::libpq(), PQnoticeProcessor, PQsetNoticeProcessor,
          (PGconn * conn, PQnoticeProcessor proc, void* arg), (conn, proc, arg))
VESK_LATE(late::libpq(), PQconninfoOption*, PQconninfoParse, (const char* conninfo, char** errmsg),
          (conninfo, errmsg))
VESK_LATE(late::libpq(), void, PQconninfoFree, (PQconninfoOption * connOptions), (connOptions))
VESK_LATE(late::libpq(), void, PQfreemem, (void* ptr), (ptr))

VESK_LATE(late::libpq(), PGresult*, PQexec, (PGconn * conn, const char* query), (conn, query))
VESK_LATE(late::libpq(), PGresult*, PQprepare,
          (PGconn * conn, const char* stmtName, const char* query, int nParams,
           const Oid* paramTypes),
          (conn, stmtName, query, nParams, paramTypes))
VESK_LATE(late::libpq(), PGresult*, PQdescribePrepared, (PGconn * conn, const char* stmt),
          (conn, stmt))
VESK_LATE(late::libpq(), PGresult*, PQexecPrepared,
          (PGconn * conn, const char* stmtName, int nParams, const char* const* paramValues,
           const int* paramLengths, const int* paramFormats, int resultFormat),
          (conn, stmtName, nParams, paramValues, paramLengths, paramFormats, resultFormat))
VESK_LATE(late::libpq(), int, PQsendQueryPrepared,
          (PGconn * conn, const char* stmtName, int nParams, const char* const* paramValues,
           const int* paramLengths, const int* paramFormats, int resultFormat),
          (conn, stmtName, nParams, paramValues, paramLengths, paramFormats, resultFormat))
VESK_LATE(late::libpq(), PGresult*, PQgetResult, (PGconn * conn), (conn))
VESK_LATE(late::libpq(), int, PQenterPipelineMode, (PGconn * conn), (conn))
VESK_LATE(late::libpq(), int, PQexitPipelineMode, (PGconn * conn), (conn))
VESK_LATE(late::libpq(), int, PQpipelineSync, (PGconn * conn), (conn))
VESK_LATE(late::libpq(), int, PQputCopyData, (PGconn * conn, const char* buffer, int nbytes),
          (conn, buffer, nbytes))
VESK_LATE(late::libpq(), int, PQputCopyEnd, (PGconn * conn, const char* errormsg), (conn, errormsg))

VESK_LATE(late::libpq(), ExecStatusType, PQresultStatus, (const PGresult* res), (res))
VESK_LATE(late::libpq(), char*, PQresultErrorField, (const PGresult* res, int fieldcode),
          (res, fieldcode))
VESK_LATE(late::libpq(), int, PQntuples, (const PGresult* res), (res))
VESK_LATE(late::libpq(), int, PQnfields, (const PGresult* res), (res))
VESK_LATE(late::libpq(), char*, PQfname, (const PGresult* res, int field_num), (res, field_num))
VESK_LATE(late::libpq(), Oid, PQftype, (const PGresult* res, int field_num), (res, field_num))
VESK_LATE(late::libpq(), int, PQnparams, (const PGresult* res), (res))
VESK_LATE(late::libpq(), Oid, PQparamtype, (const PGresult* res, int param_num), (res, param_num))
VESK_LATE(late::libpq(), char*, PQgetvalue, (const PGresult* res, int tup_num, int field_num),
          (res, tup_num, field_num))
VESK_LATE(late::libpq(), int, PQgetlength, (const PGresult* res, int tup_num, int field_num),
          (res, tup_num, field_num))
VESK_LATE(late::libpq(), int, PQgetisnull, (const PGresult* res, int tup_num, int field_num),
          (res, tup_num, field_num))
VESK_LATE(late::libpq(), char*, PQcmdTuples, (PGresult * res), (res))
VESK_LATE(late::libpq(), void, PQclear, (PGresult * res), (res))
}

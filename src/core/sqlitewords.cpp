#include "core/sqlitewords.h"

#include <sqlite3.h>

// A fault of the disk or the file, rather than of a statement, is told in the person's words;
// the engine's own follow for whoever looks into it. A statement's refusal (a trigger's, in
// Chinese already) and a statement's fault pass as the engine gives them.
QString failureText(sqlite3* db, const char* engineText) {
    const QString engine = QString::fromUtf8(engineText ? engineText : sqlite3_errmsg(db));
    const char* said = nullptr;
    switch (sqlite3_extended_errcode(db) & 0xff) {
    case SQLITE_FULL:
        said = "磁盘空间已满，未能写入";
        break;
    case SQLITE_IOERR:
        said = "读写账簿文件出错，磁盘或网络可能有故障";
        break;
    case SQLITE_READONLY:
        said = "账簿文件是只读的，不能写入";
        break;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        said = "没有读写账簿文件的权限";
        break;
    case SQLITE_CANTOPEN:
        said = "无法打开账簿文件";
        break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        said = "账簿文件已损坏或不是数据库文件";
        break;
    case SQLITE_NOMEM:
        said = "内存不足";
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        said = "账簿正被另一个窗口或另一台电脑使用，请稍后重试";
        break;
    default:
        return engine;
    }
    return QStringLiteral("%1（%2）").arg(QString::fromUtf8(said), engine);
}

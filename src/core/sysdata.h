#pragma once

#include "core/connection.h"
#include "core/query.h"

#include <QString>

// The data module: the one connection to the book beside the program and the named slots
// every window runs its statements through.
class TsysData {
public:
    // A book on a PostgreSQL server, by its libpq connection string.
    struct Server {
        QString conninfo;
    };

    // Composes the path from the directory (with its trailing separator); does not open yet.
    explicit TsysData(const QString& directory);
    explicit TsysData(const Server& server);
    // Opens the book; false, with the reason in lastError, when it cannot be opened. A server's
    // database must hold a book of this program, of this version or one it upgrades.
    bool connect();
    const QString& lastError() const;
    // The version the book had before connect() upgraded it; 0 when it was of this version.
    int upgradedFrom() const;

    static QString fileName() { return QStringLiteral("kestdata.db"); }

    Connection myCon;
    TQuery QueryCommon;
    TQuery QueryHouse;
    TQuery QueryField;
    TQuery QueryCate;
    TQuery QueryProduct;
    TQuery QuerySupplier;
    TQuery QueryCustomer;
    TQuery QueryEmployee;
    TQuery QueryHouseIn;
    TQuery QueryYsYf;
    TQuery QueryBankItm;
    TQuery QueryBank;
    TQuery QueryRe;
    TQuery QueryAsset;
    TQuery QueryAssCate;
    TQuery QueryKestData;
    TQuery QueryPD;
    TQuery QueryPDMX;
    TQuery QueryP1;
    TQuery QueryP2;
    TQuery QueryOrder;
    TQuery QueryOrderDetails;

private:
    TsysData(const QString& address, bool server);
    QString refusal_;
    int serverUpgradedFrom_ = 0;
};

// The one instance, set at start-up (and by each test).
extern TsysData* sysData;

#include "core/sysdata.h"

#include "core/serverbook.h"

TsysData* sysData = nullptr;

#define SLOT_OF(name) name(myCon, QStringLiteral(#name))

TsysData::TsysData(const QString& directory) : TsysData(directory + fileName(), false) {}

TsysData::TsysData(const Server& server) : TsysData(server.conninfo, true) {}

TsysData::TsysData(const QString& address, bool server)
    : myCon(server ? Connection::server(address) : Connection(address)), SLOT_OF(QueryCommon),
      SLOT_OF(QueryHouse), SLOT_OF(QueryField), SLOT_OF(QueryCate), SLOT_OF(QueryProduct),
      SLOT_OF(QuerySupplier), SLOT_OF(QueryCustomer), SLOT_OF(QueryEmployee), SLOT_OF(QueryHouseIn),
      SLOT_OF(QueryYsYf), SLOT_OF(QueryBankItm), SLOT_OF(QueryBank), SLOT_OF(QueryRe),
      SLOT_OF(QueryAsset), SLOT_OF(QueryAssCate), SLOT_OF(QueryKestData), SLOT_OF(QueryPD),
      SLOT_OF(QueryPDMX), SLOT_OF(QueryP1), SLOT_OF(QueryP2), SLOT_OF(QueryOrder),
      SLOT_OF(QueryOrderDetails) {}

#undef SLOT_OF

bool TsysData::connect() {
    refusal_.clear();
    serverUpgradedFrom_ = 0;
    if (!myCon.open())
        return false;
    if (myCon.isServer()) {
        const serverbook::Opening opening = serverbook::open(myCon);
        refusal_ = opening.refusal;
        serverUpgradedFrom_ = opening.upgradedFrom;
        if (!refusal_.isEmpty()) {
            myCon.close();
            return false;
        }
    }
    return true;
}

int TsysData::upgradedFrom() const {
    return myCon.isServer() ? serverUpgradedFrom_ : myCon.upgradedFrom();
}

const QString& TsysData::lastError() const {
    return refusal_.isEmpty() ? myCon.lastError() : refusal_;
}

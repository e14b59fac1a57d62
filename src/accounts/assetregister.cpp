#include "accounts/assetregister.h"

#include "core/dates.h"
#include "core/messages.h"
#include "core/sysdata.h"
#include "core/transaction.h"

namespace assets {

accounts::Write writeAsset(const QString& statement, const Asset& asset, const QString& success) {
    const auto value =
        accounts::amountOf(asset.purPrice, QStringLiteral("入账价值不是有效的数字！"));
    if (!value)
        return accounts::Write::Refused;
    TQuery& q = sysData->QueryCommon;
    q.load(statement);
    q.bind(u"assName", asset.assName.trimmed());
    q.bind(u"cateID", asset.cateID);
    q.bind(u"purPrice", value->toString());
    q.bind(u"purDate", dates::text(asset.purDate));
    q.bind(u"remark", asset.remark.trimmed());
    if (q.hasParameter(u"assID"))
        q.bind(u"assID", asset.assID);
    const bool written = q.execute() > 0;
    q.close();
    if (!written)
        return accounts::Write::NoRow;
    notice(success);
    return accounts::Write::Done;
}

bool deleteAsset(const QString& assID) {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("DELETE FROM Fasset WHERE assID=:assID"));
    q.bind(u"assID", assID);
    const bool deleted = q.execute() > 0;
    q.close();
    if (deleted)
        notice(QStringLiteral("删除成功！"));
    return deleted;
}

bool deleteCategory(const QString& cateID) {
    Transaction transaction(sysData->myCon);
    TQuery& q = sysData->QueryCommon;
    // The list may be stale; an asset left without its category would vanish from every list.
    q.load(QStringLiteral("SELECT COUNT(*) AS n FROM Fasset WHERE cateID=:cateID"));
    q.bind(u"cateID", cateID);
    q.open();
    const bool used = q.field(u"n").asInteger() > 0;
    q.close();
    if (used) {
        notice(QStringLiteral("此分类下存在资产信息，不能删除！"));
        return false;
    }
    q.load(QStringLiteral("DELETE FROM FassCate WHERE cateID=:cateID"));
    q.bind(u"cateID", cateID);
    const bool deleted = q.execute() > 0;
    q.close();
    transaction.commit();
    return deleted; // the window reports it once its tree is rebuilt
}

} // namespace assets

#include "accounts/assetregister.h"

#include "core/dates.h"
#include "core/messages.h"
#include "core/sysdata.h"

namespace assets {

accounts::Write writeAsset(const QString& statement, const Asset& asset, const QString& success,
                           const masterrows::ShownRow& shown) {
    const auto value =
        accounts::amountOf(asset.purPrice, QStringLiteral("入账价值不是有效的数字！"));
    if (!value)
        return accounts::Write::Refused;
    TQuery& q = sysData->QueryCommon;
    const std::optional<int> written = masterrows::writeChecked([&] {
        masterrows::requireAsShown(q, shown);
        if (!holdRow(q, masterrows::kAssetCategory.table, masterrows::kAssetCategory.keyColumn,
                     asset.cateID, RowHold::Referenced))
            throw Refusal(kCategoryGone);
        q.load(statement);
        q.bind(u"assName", asset.assName.trimmed());
        q.bind(u"cateID", asset.cateID);
        q.bind(u"purPrice", value->toString());
        q.bind(u"purDate", dates::text(asset.purDate));
        q.bind(u"remark", asset.remark.trimmed());
        if (q.hasParameter(u"assID"))
            q.bind(u"assID", asset.assID);
        const int rows = q.execute();
        q.close();
        return rows;
    });
    if (!written)
        return accounts::Write::Outdated;
    if (*written <= 0)
        return accounts::Write::NoRow;
    notice(success);
    return accounts::Write::Done;
}

bool deleteAsset(const QString& assID) {
    const std::optional<int> deleted = masterrows::writeChecked([&] {
        return masterrows::deleteHeld(sysData->QueryCommon, masterrows::kAsset, assID,
                                      [](TQuery&) {});
    });
    if (!deleted || *deleted <= 0)
        return false;
    notice(QStringLiteral("删除成功！"));
    return true;
}

bool deleteCategory(const QString& cateID) {
    // An asset written into the category holds it referenced (writeAsset): once held here,
    // none can arrive before the deletion.
    const std::optional<int> deleted = masterrows::writeChecked([&] {
        return masterrows::deleteHeld(
            sysData->QueryCommon, masterrows::kAssetCategory, cateID, [&](TQuery& q) {
                // The list may be stale; an asset left without its category would vanish
                // from every list.
                q.load(QStringLiteral("SELECT COUNT(*) AS n FROM Fasset WHERE cateID=:cateID"));
                q.bind(u"cateID", cateID);
                q.open();
                const bool used = q.field(u"n").asInteger() > 0;
                q.close();
                if (used)
                    throw Refusal(QStringLiteral("此分类下存在资产信息，不能删除！"));
            });
    });
    return deleted && *deleted > 0; // the window reports it once its tree is rebuilt
}

} // namespace assets

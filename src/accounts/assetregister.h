#pragma once

#include "accounts/amounts.h"
#include "masterdata/masterrows.h"

#include <QDate>
#include <QString>

// The register of fixed assets and their categories; it touches no other table.
namespace assets {

struct Asset {
    QString assID; // empty for a new asset
    QString cateID;
    QString assName;
    QString purPrice; // the book value as typed; empty means 0
    QDate purDate;
    QString remark;
};

inline const QString kInsertAsset =
    QStringLiteral("INSERT INTO Fasset(assName,cateID,purPrice,purDate,remark) "
                   "VALUES(:assName,:cateID,:purPrice,:purDate,:remark)");
inline const QString kUpdateAsset =
    QStringLiteral("UPDATE Fasset SET assName=:assName,cateID=:cateID,purPrice=:purPrice,"
                   "purDate=:purDate,remark=:remark WHERE assID=:assID");
inline const QString kInsertCategory =
    QStringLiteral("INSERT INTO FassCate(cateName) VALUES(:cateName)");
inline const QString kRenameCategory =
    QStringLiteral("UPDATE FassCate SET cateName=:cateName WHERE cateID=:cateID");

inline const QString kCategoryGone =
    QStringLiteral("所选资产分类已被其他用户删除，请重新选择资产分类！");

// Runs kInsertAsset or kUpdateAsset with the asset, reporting success when a row changed.
// A book value that is no number is refused with a message and nothing is written. The asset
// edited is compared with shown (the asset as the window showed it; none for a new one) and
// its category held, inside the writing transaction: Outdated, with a message, when another
// counter has changed or removed either.
accounts::Write writeAsset(const QString& statement, const Asset& asset, const QString& success,
                           const masterrows::ShownRow& shown);
// Deletes the asset, held; reports "删除成功！" and returns true when a row went. One removed
// by another counter meanwhile is refused with a message.
bool deleteAsset(const QString& assID);
// Deletes the category unless an asset still names it ("此分类下存在资产信息，不能删除！"),
// looked up on the category held in the same transaction as the deletion; returns true when a
// row went.
bool deleteCategory(const QString& cateID);

} // namespace assets

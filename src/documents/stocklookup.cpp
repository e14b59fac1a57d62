#include "documents/stocklookup.h"

#include "core/query.h"

namespace stocklookup {

void loadStock(TQuery& slot, const QString& cateID, const QString& houseID) {
    const QString cate = cateID.trimmed();
    const QString house = houseID.trimmed();
    if (house.isEmpty()) {
        QString sql = QStringLiteral("SELECT Fproduct.*,Fprodcate.CateName FROM Fproduct,Fprodcate "
                                     "WHERE Fproduct.cateID=Fprodcate.cateID");
        if (!cate.isEmpty())
            sql += QStringLiteral(" AND Fproduct.cateID=:cateID");
        slot.load(sql);
    } else {
        QString sql = QStringLiteral("SELECT VInveHouse.*,Fprodcate.CateName FROM VInveHouse,"
                                     "Fprodcate WHERE VInveHouse.cateID=Fprodcate.cateID");
        if (!cate.isEmpty())
            sql += QStringLiteral(" AND VInveHouse.cateID=:cateID");
        slot.load(sql + QStringLiteral(" AND VInveHouse.houseID=:houseID"));
        slot.bind(u"houseID", house);
    }
    if (!cate.isEmpty())
        slot.bind(u"cateID", cate);
    slot.open();
}

} // namespace stocklookup

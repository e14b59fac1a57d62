#include "masterdata/masterrows.h"

#include "core/query.h"

namespace masterrows {

const RowKind kHouse{QStringLiteral("Fhouse"),
                     QStringLiteral("houseID"),
                     {QStringLiteral("houseName"), QStringLiteral("resperson"),
                      QStringLiteral("phone"), QStringLiteral("address"),
                      QStringLiteral("remark")}};

namespace {

RowKind counterpart(const QString& table) {
    return {table,
            QStringLiteral("compID"),
            {QStringLiteral("compName"), QStringLiteral("conperson"), QStringLiteral("phone"),
             QStringLiteral("address"), QStringLiteral("bankName"), QStringLiteral("bankCard"),
             QStringLiteral("remark")}};
}

RowKind category(const QString& table) {
    return {table, QStringLiteral("cateID"), {QStringLiteral("cateName")}};
}

} // namespace

const RowKind kSupplier = counterpart(QStringLiteral("Fsupplier"));
const RowKind kCustomer = counterpart(QStringLiteral("Fcustomer"));
const RowKind kEmployee{QStringLiteral("Femployee"),
                        QStringLiteral("empID"),
                        {QStringLiteral("empName"), QStringLiteral("sex"), QStringLiteral("birth"),
                         QStringLiteral("phone"), QStringLiteral("address"),
                         QStringLiteral("rewdis"), QStringLiteral("remark")}};
const RowKind kProduct{
    QStringLiteral("Fproduct"),
    QStringLiteral("prodID"),
    {QStringLiteral("cateID"), QStringLiteral("prodBH"), QStringLiteral("prodName"),
     QStringLiteral("type"), QStringLiteral("company"), QStringLiteral("unitName"),
     QStringLiteral("inprice"), QStringLiteral("outprice"), QStringLiteral("remark"),
     QStringLiteral("field1"), QStringLiteral("field2")}};
const RowKind kProductCategory = category(QStringLiteral("Fprodcate"));
const RowKind kAccount{QStringLiteral("Fitem"),
                       QStringLiteral("itmID"),
                       {QStringLiteral("itmName"), QStringLiteral("remark")}};
const RowKind kAsset{QStringLiteral("Fasset"),
                     QStringLiteral("assID"),
                     {QStringLiteral("assName"), QStringLiteral("cateID"),
                      QStringLiteral("purPrice"), QStringLiteral("purDate"),
                      QStringLiteral("remark")}};
const RowKind kAssetCategory = category(QStringLiteral("FassCate"));
const RowKind kUser{
    QStringLiteral("Users"), QStringLiteral("UserID"), {QStringLiteral("UserName")}};

ShownRow shownRow(const RowKind& kind, const QString& key, const TQuery& values) {
    ShownRow row{&kind, key, {}};
    for (const QString& column : kind.columns)
        row.values.push_back(values.field(column).asText());
    return row;
}

void hold(TQuery& q, const RowKind& kind, const QString& key, RowHold how) {
    if (!holdRow(q, kind.table, kind.keyColumn, key, how))
        throw Refusal(kRemovedText);
}

void requireAsShown(TQuery& q, const ShownRow& row) {
    if (!row.kind)
        return;
    const RowKind& kind = *row.kind;
    hold(q, kind, row.key, RowHold::Changed);
    q.load(QStringLiteral("SELECT %1 FROM %2 WHERE %3=:key")
               .arg(kind.columns.join(u','), kind.table, kind.keyColumn));
    q.bind(u"key", row.key.trimmed());
    q.open();
    QStringList now;
    for (const QString& column : kind.columns)
        now.push_back(q.field(column).asText());
    q.close();
    if (now != row.values)
        throw Refusal(kChangedText);
}

} // namespace masterrows

#include "reports/ui/reportgrid.h"

#include "core/numbers.h"
#include "core/query.h"
#include "reports/productsales.h"

#include <QBrush>
#include <QTableView>

namespace {

constexpr int kDetailKind = 1;
constexpr int kDetailAmount = 2;
constexpr int kDetailHandler = 3;
constexpr int kProductProfit = 8;

} // namespace

void ReportModel::showIn(QTableView& view) {
    showAsList(view, *this);
    followSortArrow(view, *this);
}

JournalDetailModel::JournalDetailModel(TQuery& query, QObject* parent)
    : ReportModel(query,
                  {{"optDate", "操作日期", Draw::Text, 100},
                   {"orderType", "单据类型", Draw::Text, 90},
                   {"sumMoney", "金额", Draw::Money, 110},
                   {"empName", "经办人", Draw::Text, 80},
                   {"remark", "备注", Draw::Text, 200}},
                  parent) {}

QVariant JournalDetailModel::data(const QModelIndex& index, int role) const {
    const int column = index.column();
    if (role == Qt::TextAlignmentRole && (column == kDetailKind || column == kDetailHandler))
        return QVariant(Qt::AlignCenter);
    if (column != kDetailAmount || !index.isValid() || index.row() >= query().recordCount() ||
        (role != Qt::DisplayRole && role != Qt::ForegroundRole))
        return SlotModel::data(index, role);
    const ResultSet& r = query().result();
    const int field = r.column(u"sumMoney");
    if (field < 0 || r.type(index.row(), field) == ResultSet::Type::Null)
        return SlotModel::data(index, role);
    const Decimal amount = Decimal::fromDouble(r.real(index.row(), field)).cents();
    if (role == Qt::ForegroundRole)
        return amount.isNegative() ? QVariant(QBrush(Qt::red)) : QVariant();
    return numbers::money(amount.isNegative() ? -amount : amount);
}

ProductSalesModel::ProductSalesModel(TQuery& query, QObject* parent)
    : ReportModel(query,
                  {{"prodBH", "商品编号", Draw::Text, 90},
                   {"prodName", "商品名称", Draw::Text, 140},
                   {"type", "规格/型号", Draw::Text, 90},
                   {"sumCount", "库存量", Draw::Number, 70},
                   {"unitName", "单位", Draw::Text, 50},
                   {"inprice", "进货价", Draw::Money, 80},
                   {"sc", "销售数量", Draw::Number, 75},
                   {"sm", "销售金额", Draw::Money, 100},
                   {"je", "利润", Draw::Money, 100}},
                  parent) {}

QVariant ProductSalesModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || index.column() != kProductProfit || !index.isValid() ||
        index.row() >= query().recordCount())
        return SlotModel::data(index, role);
    const ResultSet& r = query().result();
    const int row = index.row();
    return numbers::money(productProfit(r.real(row, r.column(u"sm")), r.real(row, r.column(u"sc")),
                                        r.real(row, r.column(u"inprice"))));
}

#include "documents/openingstock.h"

#include "core/clock.h"
#include "core/numbers.h"
#include "core/session.h"
#include "core/sysdata.h"
#include "documents/documentheader.h"
#include "documents/tradedocument.h"
#include "documents/tradekind.h"
#include "documents/tradeposting.h"
#include "masterdata/counterpartkind.h"
#include "masterdata/importchecks.h"
#include "masterdata/productcatalog.h"

#include <QHash>
#include <map>
#include <stdexcept>

namespace {

using namespace importchecks;

enum Column { Code, Name, House, Quantity, Price, Amount };

QString codeCaption() {
    for (const catalog::FieldCaption& c : catalog::readFieldCaptions())
        if (c.fieldName.compare(u"prodBH", Qt::CaseInsensitive) == 0 && !c.textValue.isEmpty())
            return c.textValue;
    return QStringLiteral("商品编号");
}

std::vector<ImportColumn> columns() {
    const QString code = codeCaption();
    return {{code, {code, QStringLiteral("商品编号"), QStringLiteral("编号")}, true},
            // The name and the amount come from the book and the quantity; any in the sheet
            // are replaced.
            {QStringLiteral("商品名称"), {QStringLiteral("商品名称")}, false},
            {QStringLiteral("仓库"), {QStringLiteral("仓库"), QStringLiteral("仓库名称")}, true},
            {QStringLiteral("数量"),
             {QStringLiteral("数量"), QStringLiteral("期初数量"), QStringLiteral("库存数量")},
             true},
            {QStringLiteral("成本价"),
             {QStringLiteral("成本价"), QStringLiteral("进价"), QStringLiteral("单价")},
             false},
            {QStringLiteral("金额"), {QStringLiteral("金额")}, false}};
}

struct Product {
    QString prodID, prodBH, prodName, inprice;
    int count = 0; // products of this code
};

// Products by the key of their code.
QHash<QString, Product> productsByCode() {
    QHash<QString, Product> products;
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT prodID,prodBH,prodName,inprice FROM Fproduct"));
    q.open();
    for (; !q.eof(); q.next()) {
        const QString code = q.field(u"prodBH").asText();
        if (code.isEmpty())
            continue;
        Product& p = products[bookKey(code)];
        if (++p.count == 1)
            p = {q.field(u"prodID").asText(), code, q.field(u"prodName").asText(),
                 Decimal::fromDouble(q.field(u"inprice").asFloat()).toString(), 1};
    }
    q.close();
    return products;
}

// Warehouse names (as keys) and their houseIDs, the first of a name winning.
QHash<QString, QString> houses() {
    QHash<QString, QString> houses;
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT houseID,houseName FROM Fhouse ORDER BY houseID"));
    q.open();
    for (; !q.eof(); q.next()) {
        const QString key = bookKey(q.field(u"houseName").asText());
        if (!houses.contains(key))
            houses.insert(key, q.field(u"houseID").asText());
    }
    q.close();
    return houses;
}

// The product and warehouse keys whose opening stock is posted already, with the code of the
// first document that holds it.
QHash<QString, QString> postedOpeningStock() {
    QHash<QString, QString> posted;
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT d.prodID,h.houseID,h.orderID FROM OrderPurD d JOIN OrderPur h "
                          "ON h.orderID=d.orderID WHERE d.remark=:remark ORDER BY h.orderID"));
    q.bind(u"remark", kOpeningStockRemark);
    q.open();
    for (; !q.eof(); q.next()) {
        const QString key = q.field(u"prodID").asText() + u'\n' + q.field(u"houseID").asText();
        if (!posted.contains(key))
            posted.insert(key, q.field(u"orderID").asText());
    }
    q.close();
    return posted;
}

void checkRows(std::vector<ImportRow>& rows) {
    const std::vector<ImportColumn> heads = columns();
    const QHash<QString, Product> products = productsByCode();
    const QHash<QString, QString> houseIDs = houses();
    // A sheet imported a second time (was the first import through?) would double the stock.
    const QHash<QString, QString> posted = postedOpeningStock();
    QHash<QString, int> seen; // product and warehouse → the first row that has them
    for (ImportRow& row : rows) {
        QStringList& v = row.values;
        required(row, Code, heads[Code].heading);
        required(row, House, heads[House].heading);
        const auto product = products.constFind(bookKey(v[Code]));
        if (!v[Code].isEmpty() && product == products.cend())
            addReason(row, heads[Code].heading + QStringLiteral("不在账中：") + v[Code]);
        else if (!v[Code].isEmpty() && product->count > 1)
            addReason(row, heads[Code].heading +
                               QStringLiteral("在账中有%1个商品：").arg(product->count) + v[Code]);
        const auto houseID = houseIDs.constFind(bookKey(v[House]));
        if (!v[House].isEmpty() && houseID == houseIDs.cend())
            addReason(row, QStringLiteral("没有这个仓库：") + v[House]);
        else if (product != products.cend() && product->count == 1 && houseID != houseIDs.cend())
            if (const auto before = posted.constFind(product->prodID + u'\n' + *houseID);
                before != posted.cend())
                addReason(row, QStringLiteral("此商品在该仓库已有期初库存（%1）").arg(*before));
        v[Name] = product != products.cend() ? product->prodName : QString();

        required(row, Quantity, heads[Quantity].heading);
        const auto quantity =
            v[Quantity].isEmpty() ? std::nullopt : number(row, Quantity, heads[Quantity].heading);
        if (quantity && !(Decimal() < *quantity))
            addReason(row, heads[Quantity].heading + QStringLiteral("须大于0"));
        if (v[Price].isEmpty() && product != products.cend())
            v[Price] = product->inprice; // the product's purchase price
        const auto price = number(row, Price, heads[Price].heading);
        if (price && price->isNegative())
            addReason(row, heads[Price].heading + QStringLiteral("不能为负数"));
        v[Amount].clear();
        if (quantity && price) {
            try {
                const Decimal amount = (*quantity * *price).cents();
                if (numbers::fitsTheBook(amount))
                    v[Amount] = amount.toString();
                else
                    addReason(row, QStringLiteral("金额超出范围"));
            } catch (const std::overflow_error&) {
                addReason(row, QStringLiteral("金额超出范围"));
            }
        }
        lengths(row, heads);
        // A bad row is checked too: with it skipped, a later row of the same product and
        // warehouse would post, and the bad row, once mended, would be refused as posted.
        if (v[Code].isEmpty())
            continue;
        const QString key = bookKey(v[Code]) + u'\n' + bookKey(v[House]);
        if (const auto first = seen.constFind(key); first != seen.cend())
            addReason(row, QStringLiteral("与第%1行是同一仓库的同一商品").arg(*first));
        else
            seen.insert(key, row.line);
    }
}

QString casualSupplierID() {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT compID FROM Fsupplier WHERE compName=:compName ORDER BY compID"));
    q.bind(u"compName", kSupplierKind.casualName);
    q.open();
    const QString id = q.eof() ? QString() : q.field(u"compID").asText();
    q.close();
    if (id.isEmpty())
        throw std::runtime_error(
            QStringLiteral("账中没有“%1”。").arg(kSupplierKind.casualName).toStdString());
    return id;
}

// The documents of one warehouse, ten lines each, in the order of the sheet.
std::vector<TradeDocument> documentsOf(const std::vector<const ImportRow*>& lines,
                                       const TradeDocument& header) {
    const QHash<QString, Product> products = productsByCode();
    std::vector<TradeDocument> documents;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int row = int(i % TradeDocument::kRows) + 1;
        if (row == 1)
            documents.push_back(header);
        TradeDocument& d = documents.back();
        const QStringList& v = lines[i]->values;
        const Product& p = products.value(bookKey(v[Code]));
        d.cell(row, 1) = p.prodID;
        d.cell(row, 2) = p.prodBH;
        d.cell(row, 3) = p.prodName;
        d.cell(row, 6) = v[Price];
        d.cell(row, 7) = v[Quantity];
        d.cell(row, 8) = v[Amount];
        d.cell(row, 9) = kOpeningStockRemark;
        d.runningTotal += *Decimal::parse(v[Amount]);
        d.sumMoney = d.runningTotal.cents().toString();
        d.money = d.sumMoney; // fully paid: the supplier's balance does not move
    }
    return documents;
}

QString postRows(const std::vector<ImportRow>& rows) {
    // The warehouses in the order the sheet first names them.
    const QHash<QString, QString> houseIDs = houses();
    std::vector<QString> order;
    std::map<QString, std::vector<const ImportRow*>> byHouse;
    for (const ImportRow& row : rows) {
        const QString id = houseIDs.value(bookKey(row.values[House]));
        if (byHouse[id].empty())
            order.push_back(id);
        byHouse[id].push_back(&row);
    }
    const QDateTime now = environment::now();
    // The first document's code moves to a free moment as a window's does (another counter
    // may import in the same second); the rest are numbered after it.
    const documents::CodeOrigin first{tradeKind(TradeKindId::Purchase).prefix, now,
                                      QStringLiteral("-1")};
    QString stem;
    TradeDocument header;
    header.compID = casualSupplierID();
    header.compName = kSupplierKind.casualName;
    header.empName = session::userName();
    header.date = now.date();
    QStringList codes;
    for (const QString& id : order) {
        header.houseID = id;
        header.houseName = byHouse[id].front()->values[House];
        for (TradeDocument& d : documentsOf(byHouse[id], header)) {
            if (codes.isEmpty()) {
                d.orderCode = first.code();
                d.codeOrigin = first;
            } else {
                d.orderCode = stem + QString::number(codes.size() + 1);
            }
            const auto written = writeTradeDocument(tradeKind(TradeKindId::Purchase), d);
            if (!written)
                throw std::runtime_error("a document was not written");
            if (codes.isEmpty())
                stem = written->chopped(1);
            codes << *written;
        }
    }
    sysData->QueryCommon.close();
    return QStringLiteral("期初库存过账成功！共%1张采购进货单：%2")
        .arg(codes.size())
        .arg(codes.size() == 1 ? codes.front()
                               : codes.front() + QStringLiteral(" 至 ") + codes.back());
}

} // namespace

const ImportKind& openingStockImport() {
    static const ImportKind kind{QStringLiteral("导入期初库存"),
                                 QStringLiteral("过账(&P)"),
                                 QStringLiteral("确定将这%1行期初库存过账吗？"),
                                 true,
                                 columns,
                                 checkRows,
                                 postRows};
    return kind;
}

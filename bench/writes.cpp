#include "writes.h"

#include "core/dates.h"
#include "core/decimal.h"
#include "core/sysdata.h"
#include "core/transaction.h"
#include "documents/stockdocument.h"
#include "documents/stockposting.h"
#include "documents/tradedocument.h"
#include "documents/tradeposting.h"
#include "reports/querykind.h"
#include "reports/voiding.h"

#include <stdexcept>

namespace writes {

namespace {

// Ten products spread over the book, with their codes and prices.
struct Item {
    QString prodID, prodBH, inprice;
};
const std::vector<Item>& items() {
    static const std::vector<Item> chosen = [] {
        std::vector<Item> result;
        TQuery& q = sysData->QueryCommon;
        q.load(QStringLiteral("SELECT prodID,prodBH,inprice FROM Fproduct WHERE prodID % 9973 = 1 "
                              "LIMIT 10"));
        q.open();
        for (; !q.eof(); q.next())
            result.push_back({q.field(u"prodID").asText(), q.field(u"prodBH").asText(),
                              q.field(u"inprice").asText()});
        q.close();
        if (result.size() != 10)
            throw std::runtime_error("the book has too few products");
        return result;
    }();
    return chosen;
}

// The ten lines of a stock document as its window's grid holds them.
void fillLines(DocumentLines& d) {
    int row = 1;
    for (const Item& item : items()) {
        d.cell(row, 1) = item.prodID;
        d.cell(row, 2) = item.prodBH;
        d.cell(row, 6) = item.inprice;
        d.cell(row, 7) = QStringLiteral("2");
        d.cell(row, 8) = item.inprice;
        ++row;
    }
}

} // namespace

void postTrade(TradeKindId id, const QString& code, const QDate& day) {
    TradeDocument d;
    d.houseName = QStringLiteral("一号仓库");
    d.houseID = QStringLiteral("1");
    d.orderCode = code;
    d.compID = QStringLiteral("2");
    d.compName = QStringLiteral("往来单位");
    d.empName = QStringLiteral("张伟");
    d.date = day;
    Decimal total;
    int row = 1;
    for (const Item& item : items()) {
        const Decimal price = *Decimal::parse(item.inprice);
        const Decimal amount = price * Decimal::fromInt(3);
        d.cell(row, 1) = item.prodID;
        d.cell(row, 2) = item.prodBH;
        d.cell(row, 6) = item.inprice;
        d.cell(row, 7) = QStringLiteral("3");
        d.cell(row, 8) = amount.toString();
        total = total + amount;
        ++row;
    }
    d.runningTotal = total;
    d.sumMoney = total.cents().toString();
    d.money = d.sumMoney;
    if (postTradeDocument(tradeKind(id), d) != PostResult::Posted)
        throw std::runtime_error("posting failed");
}

void postTransfer(const QString& code, const QDate& day) {
    TransferDocument d;
    fillLines(d);
    d.houseOutName = QStringLiteral("一号仓库");
    d.houseOutID = QStringLiteral("1");
    d.houseInName = QStringLiteral("二号仓库");
    d.houseInID = QStringLiteral("2");
    d.orderCode = code;
    d.empName = QStringLiteral("张伟");
    d.date = day;
    if (saveTransfer(d) != StockSaveResult::Saved)
        throw std::runtime_error("the transfer was not saved");
}

void postLossReport(const QString& code, const QDate& day) {
    LossOverflowDocument d;
    fillLines(d);
    d.type = StockKindId::Loss;
    d.houseName = QStringLiteral("一号仓库");
    d.houseID = QStringLiteral("1");
    d.orderCode = code;
    d.empName = QStringLiteral("张伟");
    d.date = day;
    if (saveLossOverflow(d) != StockSaveResult::Saved)
        throw std::runtime_error("the loss report was not saved");
}

void cashEntry(const QDate& day) {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("INSERT INTO FitemBank(optDate,orderType,sumMoney,empName,remark,itmID) "
                          "VALUES(:optDate,:orderType,:sumMoney,:empName,:remark,:itmID)"));
    q.bind(u"optDate", dates::text(day));
    q.bind(u"orderType", QStringLiteral("现金出款"));
    q.bind(u"sumMoney", QStringLiteral("-250"));
    q.bind(u"empName", QStringLiteral("张伟"));
    q.bind(u"remark", QStringLiteral("快递费"));
    q.bind(u"itmID", QStringLiteral("1"));
    q.execute();
    q.close();
}

std::vector<QString> purchasesBetween(const QDate& first, const QDate& last) {
    std::vector<QString> result;
    TQuery& list = sysData->QueryOrder;
    list.load(QStringLiteral("SELECT orderID FROM OrderPur WHERE optDate>=:optDate1 AND "
                             "optDate<=:optDate2"));
    list.bind(u"optDate1", dates::text(first));
    list.bind(u"optDate2", dates::text(last));
    for (list.open(); !list.eof(); list.next())
        result.push_back(list.field(u"orderID").asText());
    list.close();
    return result;
}

void voidPurchase(const QString& orderID) {
    if (!voidDocument(queryKind(QueryKindId::Purchase), orderID))
        throw std::runtime_error("the purchase to void is gone");
}

void oneRowCommit() {
    TQuery& q = sysData->QueryCommon;
    Transaction transaction(sysData->myCon);
    q.load(QStringLiteral("INSERT INTO benchCommit(n) VALUES(1)"));
    q.execute();
    transaction.commit();
    q.close();
}

} // namespace writes

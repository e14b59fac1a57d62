#include "writes.h"

#include "core/dates.h"
#include "core/decimal.h"
#include "core/sysdata.h"
#include "core/transaction.h"
#include "documents/tradedocument.h"
#include "documents/tradeposting.h"

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

// The ten lines of a stock document: the grid columns the statements bind.
void bindLines(TQuery& q, const QString& code) {
    for (const Item& item : items()) {
        q.bind(u"orderID", code);
        q.bind(u"prodID", item.prodID);
        q.bind(u"price", item.inprice);
        q.bind(u"pcount", QStringLiteral("2"));
        q.bind(u"sumMoney", item.inprice);
        q.bind(u"remark", QString());
        q.execute();
    }
}

void moveStock(TQuery& q, const QString& statement) {
    q.load(statement);
    for (const Item& item : items()) {
        q.bind(u"prodID", item.prodID);
        q.bind(u"sumCount", QStringLiteral("2"));
        q.execute();
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
    TQuery& q = sysData->QueryCommon;
    Transaction transaction(sysData->myCon);
    q.load(QStringLiteral("INSERT INTO OrderDB(orderID,houseOut,empName,houseIn,optDate) "
                          "VALUES(:orderID,:houseOut,:empName,:houseIn,:optDate)"));
    q.bind(u"orderID", code);
    q.bind(u"houseOut", QStringLiteral("1"));
    q.bind(u"empName", QStringLiteral("张伟"));
    q.bind(u"houseIn", QStringLiteral("2"));
    q.bind(u"optDate", dates::text(day));
    if (q.execute() > 0) {
        q.load(QStringLiteral("INSERT INTO OrderDBD(orderID,prodID,price,pcount,sumMoney,remark) "
                              "VALUES(:orderID,:prodID,:price,:pcount,:sumMoney,:remark)"));
        bindLines(q, code);
    }
    transaction.commit();
    q.close();
}

void postLossReport(const QString& code, const QDate& day) {
    TQuery& q = sysData->QueryCommon;
    Transaction transaction(sysData->myCon);
    q.load(QStringLiteral("INSERT INTO OrderBsBy(orderID,houseID,empName,orderType,optDate) "
                          "VALUES(:orderID,:houseID,:empName,:orderType,:optDate)"));
    q.bind(u"orderID", code);
    q.bind(u"houseID", QStringLiteral("1"));
    q.bind(u"empName", QStringLiteral("张伟"));
    q.bind(u"orderType", QStringLiteral("报损"));
    q.bind(u"optDate", dates::text(day));
    if (q.execute() > 0) {
        q.load(QStringLiteral("INSERT INTO OrderBsByD(orderID,prodID,price,pcount,sumMoney,"
                              "remark) VALUES(:orderID,:prodID,:price,:pcount,:sumMoney,:remark)"));
        bindLines(q, code);
        moveStock(q, QStringLiteral(
                         "UPDATE Fproduct SET sumCount=sumCount-:sumCount WHERE prodID=:prodID"));
    }
    transaction.commit();
    q.close();
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

std::vector<PostedPurchase> purchasesBetween(const QDate& first, const QDate& last) {
    std::vector<PostedPurchase> result;
    TQuery& list = sysData->QueryOrder;
    list.load(QStringLiteral("SELECT orderID,compID,acMoney,coMoney FROM OrderPur WHERE "
                             "optDate>=:optDate1 AND optDate<=:optDate2"));
    list.bind(u"optDate1", dates::text(first));
    list.bind(u"optDate2", dates::text(last));
    list.open();
    TQuery& lines = sysData->QueryOrderDetails;
    lines.load(QStringLiteral("SELECT prodID,pcount FROM OrderPurD WHERE orderID=:orderID"));
    for (; !list.eof(); list.next()) {
        PostedPurchase p{list.field(u"orderID").asText(),
                         list.field(u"compID").asText(),
                         list.field(u"acMoney").asFloat(),
                         list.field(u"coMoney").asFloat(),
                         {}};
        lines.bind(u"orderID", p.orderID);
        lines.open();
        for (; !lines.eof(); lines.next())
            p.lines.emplace_back(lines.field(u"prodID").asText(),
                                 float(lines.field(u"pcount").asFloat()));
        result.push_back(std::move(p));
    }
    list.close();
    lines.close();
    return result;
}

void voidPurchase(const PostedPurchase& p) {
    TQuery& q = sysData->QueryCommon;
    Transaction transaction(sysData->myCon);
    q.load(QStringLiteral("DELETE FROM OrderPur WHERE orderID=:orderID"));
    q.bind(u"orderID", p.orderID);
    if (q.execute() <= 0)
        throw std::runtime_error("the purchase to void is gone");
    q.load(QStringLiteral("DELETE FROM OrderPurD WHERE orderID=:orderID"));
    q.bind(u"orderID", p.orderID);
    q.execute();
    q.load(QStringLiteral("UPDATE Fproduct SET sumCount=sumCount-:sumCount WHERE prodID=:prodID"));
    for (const auto& [prodID, count] : p.lines) {
        q.bind(u"prodID", prodID);
        q.bind(u"sumCount", double(count));
        q.execute();
    }
    q.load(QStringLiteral("UPDATE Fsupplier SET exchMoney=exchMoney-:exchMoney WHERE "
                          "compID=:compID"));
    q.bind(u"compID", p.compID);
    q.bind(u"exchMoney", double(float(p.acMoney)) - double(float(p.coMoney)));
    q.execute();
    q.load(QStringLiteral("DELETE FROM FitemBank WHERE orderCode=:orderID"));
    q.bind(u"orderID", p.orderID);
    q.execute();
    transaction.commit();
    q.close();
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

#include "documents/stockposting.h"

#include "core/dates.h"
#include "core/messages.h"
#include "core/refusal.h"
#include "core/sysdata.h"
#include "core/transaction.h"
#include "documents/freecode.h"
#include "documents/heldrows.h"

#include <exception>
#include <functional>
#include <optional>

namespace {

// A row is a line when it holds a product ID; rows typed by hand have none.
bool isLine(const DocumentLines& lines, int row) {
    return !lines.cell(row, 1).trimmed().isEmpty();
}

// The lines as the grid holds them, amounts included: nothing is computed.
void insertLines(TQuery& q, const StockKind& kind, const QString& code,
                 const DocumentLines& lines) {
    q.load(kind.lineStatement());
    for (int row = 1; row <= DocumentLines::kRows; ++row) {
        if (!isLine(lines, row))
            continue;
        q.bind(u"orderID", code);
        q.bind(u"prodID", lines.cell(row, 1).trimmed());
        q.bind(u"price", lines.cell(row, 6).trimmed());
        q.bind(u"pcount", lines.cell(row, 7).trimmed());
        q.bind(u"sumMoney", lines.cell(row, 8).trimmed());
        q.bind(u"remark", lines.cell(row, 9).trimmed());
        q.execute();
    }
}

void moveStock(TQuery& q, const StockKind& kind, const DocumentLines& lines) {
    q.load(kind.stockStatement);
    for (int row = 1; row <= DocumentLines::kRows; ++row) {
        if (!isLine(lines, row))
            continue;
        q.bind(u"prodID", lines.cell(row, 1).trimmed());
        q.bind(u"sumCount", lines.cell(row, 7).trimmed());
        q.execute();
    }
}

// Runs the statements of one document as a whole: a failure anywhere undoes all of them.
// A row naming a product the book does not know is refused first, since it would be no line.
// The statements give the code the document was written under, nothing when the header
// wrote no row.
StockSaveResult confirmAndWrite(const DocumentLines& lines, const QString& shownCode,
                                const std::function<std::optional<QString>(TQuery&)>& statements) {
    if (const int row = lines.firstRowWithoutProduct()) {
        notice(rowWithoutProductMessage(row));
        return StockSaveResult::UnknownProduct;
    }
    if (!confirmed(QStringLiteral("确定数据录入正确，单据过账吗？")))
        return StockSaveResult::Cancelled;
    TQuery& q = sysData->QueryCommon;
    std::optional<QString> written;
    try {
        written = transactions::retryingConflicts(sysData->myCon, [&] {
            Transaction transaction(sysData->myCon);
            auto code = statements(q);
            transaction.commit();
            return code;
        });
    } catch (const Refusal& refusal) {
        q.close();
        notice(refusal.text());
        return StockSaveResult::Failed;
    } catch (const std::exception&) {
        q.close();
        notice(QStringLiteral("单据保存出现异常！"));
        return StockSaveResult::Failed;
    }
    if (!written)
        return StockSaveResult::NothingInserted;
    notice(documents::savedNotice(shownCode, *written));
    q.close();
    return StockSaveResult::Saved;
}

} // namespace

StockSaveResult saveTransfer(const TransferDocument& d) {
    if (d.houseOutName.isEmpty()) {
        notice(QStringLiteral("请选择调出仓库！"));
        return StockSaveResult::NoHouseOut;
    }
    if (d.houseInName.isEmpty()) {
        notice(QStringLiteral("请选择调入仓库！"));
        return StockSaveResult::NoHouseIn;
    }
    // Names, not keys: two warehouses of one name cannot be told apart by the person.
    if (d.houseOutName == d.houseInName) {
        notice(QStringLiteral("请选择调入仓库和调出仓库不能是同一个仓库！"));
        return StockSaveResult::SameHouses;
    }
    if (d.orderCode.isEmpty()) {
        notice(QStringLiteral("请输入单据号！"));
        return StockSaveResult::NoOrderCode;
    }
    return confirmAndWrite(d, d.orderCode.trimmed(), [&d](TQuery& q) {
        const auto written = documents::writeUnderFreeCode(
            d.orderCode.trimmed(), d.codeOrigin, [&](const QString& code) {
                q.load(
                    QStringLiteral("INSERT INTO OrderDB(orderID,houseOut,empName,houseIn,optDate) "
                                   "VALUES(:orderID,:houseOut,:empName,:houseIn,:optDate)"));
                q.bind(u"orderID", code);
                q.bind(u"houseOut", d.houseOutID.trimmed());
                q.bind(u"empName", d.empName.trimmed());
                q.bind(u"houseIn", d.houseInID.trimmed());
                q.bind(u"optDate", dates::text(d.date));
                return q.execute() > 0;
            });
        if (written) {
            documents::holdHouse(q, d.houseOutID);
            documents::holdHouse(q, d.houseInID);
            documents::holdLineProducts(q, d);
            insertLines(q, stockKind(StockKindId::Transfer), *written, d);
        }
        return written;
    });
}

StockSaveResult saveLossOverflow(const LossOverflowDocument& d) {
    const StockKind& kind = stockKind(d.type);
    if (d.houseName.isEmpty()) {
        notice(QStringLiteral("请选择") + kind.houseLabel + u'!');
        return StockSaveResult::NoHouseIn;
    }
    if (d.orderCode.isEmpty()) {
        notice(QStringLiteral("请输入单据号！"));
        return StockSaveResult::NoOrderCode;
    }
    return confirmAndWrite(d, d.orderCode.trimmed(), [&d, &kind](TQuery& q) {
        const auto written = documents::writeUnderFreeCode(
            d.orderCode.trimmed(), d.codeOrigin, [&](const QString& code) {
                q.load(QStringLiteral(
                    "INSERT INTO OrderBsBy(orderID,houseID,empName,orderType,optDate) "
                    "VALUES(:orderID,:houseID,:empName,:orderType,:optDate)"));
                q.bind(u"orderID", code);
                q.bind(u"houseID", d.houseID.trimmed());
                q.bind(u"empName", d.empName.trimmed());
                q.bind(u"orderType", kind.orderType);
                q.bind(u"optDate", dates::text(d.date));
                return q.execute() > 0;
            });
        if (written) {
            documents::holdHouse(q, d.houseID);
            documents::holdLineProducts(q, d);
            insertLines(q, kind, *written, d);
            moveStock(q, kind, d);
        }
        return written;
    });
}

#include "documents/stockposting.h"

#include "core/dates.h"
#include "core/messages.h"
#include "core/sysdata.h"
#include "documents/heldrows.h"
#include "documents/postedlines.h"
#include "documents/posting.h"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace {

// A row is a line when it holds a product ID; rows typed by hand have none.
constexpr int kStockLineColumn = 1;

// Runs the statements of one document as a whole: a failure anywhere undoes all of them.
// A row naming a product the book does not know is refused first, since it would be no line,
// and so is a quantity the book cannot keep, which would fail the whole document.
StockSaveResult confirmAndWrite(const DocumentLines& lines, const QString& shownCode,
                                documents::PostedHeader& header,
                                const std::function<std::optional<QString>()>& statements) {
    if (const int row = lines.firstRowWithoutProduct()) {
        notice(rowWithoutProductMessage(row));
        return StockSaveResult::UnknownProduct;
    }
    if (const int row = lines.firstRowBeyondRange()) {
        notice(rowBeyondRangeMessage(row));
        return StockSaveResult::BeyondRange;
    }
    if (!confirmed(QStringLiteral("确定数据录入正确，单据过账吗？")))
        return StockSaveResult::Cancelled;
    switch (documents::post(header, shownCode, statements)) {
    case documents::PostingOutcome::Saved:
        return StockSaveResult::Saved;
    case documents::PostingOutcome::NothingWritten:
        return StockSaveResult::NothingInserted;
    case documents::PostingOutcome::Failed:
        break;
    }
    return StockSaveResult::Failed;
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
    if (d.orderCode.trimmed().isEmpty()) { // stored empty, it could never be voided
        notice(QStringLiteral("请输入单据号！"));
        return StockSaveResult::NoOrderCode;
    }
    const StockKind& kind = stockKind(StockKindId::Transfer);
    documents::PostedHeader header{QStringLiteral("OrderDB"),
                                   {{"houseOut", d.houseOutID.trimmed()},
                                    {"empName", d.empName.trimmed()},
                                    {"houseIn", d.houseInID.trimmed()},
                                    {"optDate", dates::text(d.date)}}};
    return confirmAndWrite(d, d.orderCode.trimmed(), header, [&] {
        TQuery& q = sysData->QueryCommon;
        const auto written = documents::writeHeader(
            q, header,
            QStringLiteral("INSERT INTO OrderDB(orderID,houseOut,empName,houseIn,optDate) "
                           "VALUES(:orderID,:houseOut,:empName,:houseIn,:optDate)"),
            d.orderCode.trimmed(), d.codeOrigin);
        if (written) {
            documents::holdHouse(q, d.houseOutID);
            documents::holdHouse(q, d.houseInID);
            documents::holdLineProducts(q, d);
            documents::insertLines(q, kind.lineStatement(), *written, d, kStockLineColumn);
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
    if (d.orderCode.trimmed().isEmpty()) { // stored empty, it could never be voided
        notice(QStringLiteral("请输入单据号！"));
        return StockSaveResult::NoOrderCode;
    }
    documents::PostedHeader header{QStringLiteral("OrderBsBy"),
                                   {{"houseID", d.houseID.trimmed()},
                                    {"empName", d.empName.trimmed()},
                                    {"orderType", kind.orderType},
                                    {"optDate", dates::text(d.date)}}};
    return confirmAndWrite(d, d.orderCode.trimmed(), header, [&] {
        TQuery& q = sysData->QueryCommon;
        const auto written = documents::writeHeader(
            q, header,
            QStringLiteral("INSERT INTO OrderBsBy(orderID,houseID,empName,orderType,optDate) "
                           "VALUES(:orderID,:houseID,:empName,:orderType,:optDate)"),
            d.orderCode.trimmed(), d.codeOrigin);
        if (written) {
            documents::holdHouse(q, d.houseID);
            documents::holdLineProducts(q, d);
            documents::insertLines(q, kind.lineStatement(), *written, d, kStockLineColumn);
            documents::moveStock(q, kind.stockStatement, d, kStockLineColumn);
        }
        return written;
    });
}

#include "documents/posting.h"

#include "core/dberror.h"
#include "core/messages.h"
#include "core/refusal.h"
#include "core/sysdata.h"
#include "core/transaction.h"
#include "documents/afterbreak.h"

namespace documents {

Found lookUp(const PostedHeader& header) {
    if (header.code.isEmpty())
        return Found::Absent; // broken before the header was written: nothing was committed
    return askAfterBreak([&](TQuery& q) {
        QString same;
        for (const auto& [column, value] : header.values)
            same += QStringLiteral(" AND %1=:%1").arg(column);
        q.load(QStringLiteral("SELECT (SELECT COUNT(*) FROM %1 WHERE orderID=:orderID) AS held,"
                              "(SELECT COUNT(*) FROM %1 WHERE orderID=:orderID%2) AS ours,"
                              "(SELECT COUNT(*) FROM %3 WHERE orderID=:orderID) AS lines")
                   .arg(header.table, same, header.lineTable));
        q.bind(u"orderID", header.code);
        header.bind(q);
        q.open();
        if (q.field(u"held").asInteger() == 0)
            return Found::Absent;
        const bool ours =
            q.field(u"ours").asInteger() == 1 && q.field(u"lines").asInteger() == header.lines;
        return ours ? Found::Ours : Found::Unknown;
    });
}

std::optional<QString> tellAfterBreak(Found found, const AfterBreakTexts& texts) {
    switch (found) {
    case Found::Ours:
        return texts.done + u'\n';
    case Found::Absent:
        notice(texts.notDone);
        return std::nullopt;
    case Found::Unknown:
        break;
    }
    notice(texts.unknown);
    return std::nullopt;
}

namespace {

const QString kFailed = QStringLiteral("单据保存出现异常！");

} // namespace

void PostedHeader::bind(TQuery& q) const {
    for (const auto& [column, value] : values)
        q.bind(column, value);
}

std::optional<QString> writeHeader(TQuery& q, PostedHeader& header, const QString& statement,
                                   const QString& code, const std::optional<CodeOrigin>& origin) {
    return writeUnderFreeCode(code, origin, [&](const QString& free) {
        header.code = free;
        q.load(statement);
        q.bind(u"orderID", free);
        header.bind(q);
        return q.execute() > 0;
    });
}

PostingOutcome post(PostedHeader& header, const QString& shownCode,
                    const std::function<std::optional<QString>()>& write) {
    TQuery& q = sysData->QueryCommon;
    std::optional<QString> written;
    QString brokeNotice;
    try {
        written = transactions::retryingConflicts(sysData->myCon, [&] {
            header.code.clear();
            Transaction transaction(sysData->myCon);
            auto code = write();
            transaction.commit();
            return code;
        });
    } catch (const Refusal& refusal) {
        q.close();
        notice(refusal.text());
        return PostingOutcome::Failed;
    } catch (const DbError& e) {
        q.close();
        if (!e.connectionLost()) {
            notice(kFailed);
            return PostingOutcome::Failed;
        }
        const auto told = tellAfterBreak(
            lookUp(header),
            {QStringLiteral("与服务器的连接曾中断，单据已保存。"),
             kFailed + QStringLiteral("\n与服务器的连接已中断，单据未保存，请重新过账。"),
             kFailed + QStringLiteral("\n与服务器的连接已中断，无法确认单据是否已保存。"
                                      "请在单据查询中核对后再决定是否重新过账。")});
        if (!told)
            return PostingOutcome::Failed;
        written = header.code;
        brokeNotice = *told;
    } catch (const std::exception&) {
        q.close();
        notice(kFailed);
        return PostingOutcome::Failed;
    }
    if (!written)
        return PostingOutcome::NothingWritten;
    notice(brokeNotice + savedNotice(shownCode, *written));
    q.close();
    return PostingOutcome::Saved;
}

} // namespace documents

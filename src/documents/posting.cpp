#include "documents/posting.h"

#include "core/dberror.h"
#include "core/messages.h"
#include "core/refusal.h"
#include "core/sysdata.h"
#include "core/transaction.h"
#include "documents/afterbreak.h"

namespace documents {

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
    QString transactionId;
    try {
        written = transactions::retryingConflicts(sysData->myCon, [&] {
            header.code.clear();
            transactionId.clear();
            Transaction transaction(sysData->myCon);
            transactionId = transactions::serverId(sysData->myCon);
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
        // Posted again blindly, a document whose commit got through would be in the book twice.
        const auto told = tellAfterBreak(
            foundAfterBreak(transactions::fateAfterBreak(sysData->myCon, transactionId)),
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

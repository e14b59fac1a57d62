#include "documents/freecode.h"

#include "core/sysdata.h"
#include "core/transaction.h"
#include "documents/documentheader.h"

namespace documents {

QString CodeOrigin::code() const {
    return documentCode(prefix, moment) + suffix;
}

std::optional<CodeOrigin> unchangedOrigin(const std::optional<CodeOrigin>& made,
                                          const QString& shownCode) {
    if (made && shownCode.trimmed() == made->code())
        return made;
    return std::nullopt;
}

bool codeTaken(const QString& code) {
    // Each table compared on its own column, so that its own collation and key decide.
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT orderID FROM OrderPur WHERE orderID=:orderID "
                          "UNION ALL SELECT orderID FROM OrderPurT WHERE orderID=:orderID "
                          "UNION ALL SELECT orderID FROM OrderSale WHERE orderID=:orderID "
                          "UNION ALL SELECT orderID FROM OrderSaleT WHERE orderID=:orderID "
                          "UNION ALL SELECT orderID FROM OrderDB WHERE orderID=:orderID "
                          "UNION ALL SELECT orderID FROM OrderBsBy WHERE orderID=:orderID "
                          "UNION ALL SELECT orderID FROM OrderPD WHERE orderID=:orderID"));
    q.bind(u"orderID", code);
    q.open();
    const bool taken = q.recordCount() > 0;
    q.close();
    return taken;
}

std::optional<QString> writeUnderFreeCode(const QString& code,
                                          const std::optional<CodeOrigin>& origin,
                                          const std::function<bool(const QString&)>& writeHeader) {
    if (!origin) {
        if (!writeHeader(code))
            return std::nullopt;
        return code;
    }
    for (CodeOrigin next = *origin;; next.moment = next.moment.addSecs(1)) {
        const QString candidate = next.code();
        if (codeTaken(candidate))
            continue;
        try {
            // A savepoint of its own: a header refused by the key leaves the caller's
            // transaction as it was.
            Transaction header(sysData->myCon);
            const bool written = writeHeader(candidate);
            header.commit();
            if (!written)
                return std::nullopt;
            return candidate;
        } catch (const std::exception& e) {
            // After a lost connection the check would open a new session, and the next
            // candidate would be written there outside the caller's transaction.
            const auto* dbError = dynamic_cast<const DbError*>(&e);
            if ((dbError && dbError->connectionLost()) || !codeTaken(candidate))
                throw;
        }
    }
}

QString movedCodeNotice(const QString& shownCode, const QString& writtenCode) {
    return QStringLiteral("单据号 %1 已被占用，本单据已存为 %2。").arg(shownCode, writtenCode);
}

QString savedNotice(const QString& shownCode, const QString& writtenCode) {
    const QString saved = QStringLiteral("单据保存成功！");
    if (shownCode == writtenCode)
        return saved;
    return saved + u'\n' + movedCodeNotice(shownCode, writtenCode);
}

} // namespace documents

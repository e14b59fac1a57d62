#pragma once

#include "core/messages.h"
#include "core/refusal.h"
#include "core/rowlock.h"
#include "core/sysdata.h"
#include "core/transaction.h"

#include <QStringList>
#include <optional>

// One kind of master row: its table, its key column and the columns its edit dialog writes.
struct RowKind {
    QString table;
    QString keyColumn;
    QStringList columns;
};

// The master rows a window acts on, looked at again inside the writing transaction that acts,
// on the row held there (core/rowlock.h): another counter may have changed or removed it
// since the window loaded it.
namespace masterrows {

extern const RowKind kHouse;
extern const RowKind kSupplier;
extern const RowKind kCustomer;
extern const RowKind kEmployee;
extern const RowKind kProduct;
extern const RowKind kProductCategory;
extern const RowKind kAccount;
extern const RowKind kAsset;
extern const RowKind kAssetCategory;
extern const RowKind kUser;

inline const QString kRemovedText = QStringLiteral("该记录已被其他用户删除！");
inline const QString kChangedText =
    QStringLiteral("该记录已被其他用户修改，请关闭后重新打开再修改！");

// A row as a window showed it: its key and its kind's columns as text. Without a kind it is a
// new row, with nothing to compare.
struct ShownRow {
    const RowKind* kind = nullptr;
    QString key;
    QStringList values;
};
// The row as the current row of values (a list's slot, a row read for a dialog) shows it.
ShownRow shownRow(const RowKind& kind, const QString& key, const TQuery& values);

// Holds the row as how says; Refusal(kRemovedText) when it is no longer in the book.
void hold(TQuery& q, const RowKind& kind, const QString& key, RowHold how);
// Holds the row against any change and compares it with what the window showed:
// Refusal(kRemovedText) when it is gone, Refusal(kChangedText) when it differs.
void requireAsShown(TQuery& q, const ShownRow& row);

// Holds the row against every other counter, makes the window's check again (it throws a
// Refusal) and deletes the row; rows deleted.
template <typename Check>
int deleteHeld(TQuery& q, const RowKind& kind, const QString& key, Check checkAgain) {
    hold(q, kind, key, RowHold::Removed);
    checkAgain(q);
    q.load(QStringLiteral("DELETE FROM %1 WHERE %2=:key").arg(kind.table, kind.keyColumn));
    q.bind(u"key", key);
    const int rows = q.execute();
    q.close();
    return rows;
}

// Runs work (which opens no transaction of its own) in one writing transaction, run again on a
// conflict with another counter. A Refusal is told to the person and writes nothing: nullopt.
// When the connection to the server breaks, the book is asked whether the transaction was
// committed: adding again blindly would make a second row alike. Committed, it is work's
// result; otherwise the person is told (nullopt).
template <typename Work> auto writeChecked(Work&& work) -> std::optional<decltype(work())> {
    std::optional<decltype(work())> written;
    QString transactionId;
    try {
        return transactions::retryingConflicts(sysData->myCon, [&] {
            written.reset();
            transactionId.clear();
            Transaction transaction(sysData->myCon);
            transactionId = transactions::serverId(sysData->myCon);
            written = work();
            transaction.commit();
            return *written;
        });
    } catch (const Refusal& refusal) {
        sysData->QueryCommon.close();
        notice(refusal.text());
        return std::nullopt;
    } catch (const DbError& e) {
        sysData->QueryCommon.close();
        if (!e.connectionLost())
            throw;
        if (transactions::committedOrTold(sysData->myCon, transactionId))
            return written;
        return std::nullopt;
    }
}

} // namespace masterrows

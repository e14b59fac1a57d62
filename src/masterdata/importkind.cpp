#include "masterdata/importkind.h"

#include "core/dberror.h"
#include "core/refusal.h"
#include "core/rowlock.h"
#include "core/sysdata.h"
#include "core/transaction.h"

#include <algorithm>
#include <stdexcept>

namespace {

// Where each column stands in the sheet (-1 when absent), from a row of titles.
std::vector<int> columnPositions(const std::vector<ImportColumn>& columns,
                                 const QStringList& titles, QStringList& missing) {
    std::vector<int> at;
    for (const ImportColumn& column : columns) {
        int found = -1;
        for (int i = 0; i < titles.size() && found < 0; ++i)
            for (const QString& title : column.titles)
                if (!title.isEmpty() &&
                    titles[i].trimmed().compare(title, Qt::CaseInsensitive) == 0)
                    found = i;
        if (found < 0 && column.required)
            missing << column.heading;
        at.push_back(found);
    }
    return at;
}

std::vector<int> goodLines(const ImportPlan& plan) {
    std::vector<int> lines;
    for (const ImportRow& row : plan.rows)
        if (row.ok())
            lines.push_back(row.line);
    return lines;
}

// What an import whose connection to the server broke is told, once the server has said what
// became of its transaction. Saying nothing was written when it was would invite importing the
// same stock twice.
ImportOutcome afterBreak(transactions::Fate fate, const QString& written) {
    switch (fate) {
    case transactions::Fate::Committed:
        return {true, QStringLiteral("与服务器的连接曾中断，导入已完成。\n") + written};
    case transactions::Fate::RolledBack:
        return {false, QStringLiteral("与服务器的连接已中断，没有写入任何数据，请重新导入。")};
    case transactions::Fate::Unknown:
        break;
    }
    return {false, QStringLiteral("与服务器的连接已中断，无法确认导入的数据是否已写入。"
                                  "请在商品列表或单据查询中核对后再决定是否重新导入。")};
}

} // namespace

int ImportPlan::goodRows() const {
    int good = 0;
    for (const ImportRow& row : rows)
        good += row.ok() ? 1 : 0;
    return good;
}

ImportPlan planImport(const ImportKind& kind, const Sheet& sheet) {
    ImportPlan plan;
    plan.columns = kind.columns();
    if (sheet.rows.empty()) {
        plan.error = QStringLiteral("表格中没有数据。");
        return plan;
    }
    // The titles are the first row naming every column a sheet must have: a sheet made by
    // hand often begins with the table's name or a date above them.
    std::size_t titleRow = 0;
    std::vector<int> at;
    QStringList fewestMissing;
    for (std::size_t r = 0; r < std::min(sheet.rows.size(), kTitleRowsSought); ++r) {
        QStringList missing;
        std::vector<int> found = columnPositions(plan.columns, sheet.rows[r].cells, missing);
        if (r == 0 || missing.size() < fewestMissing.size())
            fewestMissing = missing;
        if (missing.isEmpty()) {
            titleRow = r;
            at = std::move(found);
            break;
        }
    }
    if (!fewestMissing.isEmpty()) {
        plan.error = QStringLiteral("表格中找不到列标题：") +
                     fewestMissing.join(QStringLiteral("、")) + QStringLiteral("。");
        return plan;
    }
    for (std::size_t i = 0; i < at.size(); ++i)
        if (at[i] < 0)
            plan.absent << plan.columns[i].heading;
    plan.rows.reserve(sheet.rows.size() - titleRow - 1);
    for (std::size_t r = titleRow + 1; r < sheet.rows.size(); ++r) {
        const SheetRow& source = sheet.rows[r];
        ImportRow row{source.line, {}, {}};
        for (const int i : at)
            row.values << (i >= 0 ? source.cells.value(i).trimmed() : QString());
        plan.rows.push_back(std::move(row));
    }
    kind.check(plan.rows);
    return plan;
}

ImportOutcome runImport(const ImportKind& kind, const Sheet& sheet, const ImportPlan& shown) {
    QString transactionId;
    QString written; // what the write tells, once it is made
    try {
        return transactions::retryingConflicts(sysData->myCon, [&]() -> ImportOutcome {
            transactionId.clear();
            written.clear();
            Transaction transaction(sysData->myCon);
            transactionId = transactions::serverId(sysData->myCon);
            // One import of a kind at a time: the codes and names it finds free in the book
            // stay free only while no other counter's import of them can be written.
            holdName(sysData->QueryCommon, QStringLiteral("import"), kind.caption);
            const ImportPlan plan = planImport(kind, sheet);
            if (!plan.error.isEmpty() || goodLines(plan) != goodLines(shown))
                return {false, QStringLiteral("账中的数据在预览之后有了变动，没有写入任何数据。"
                                              "请重新导入。")};
            std::vector<ImportRow> good;
            for (const ImportRow& row : plan.rows)
                if (row.ok())
                    good.push_back(row);
            written = kind.write(good);
            transaction.commit();
            return {true, written};
        });
    } catch (const Refusal& refusal) {
        return {false, QStringLiteral("导入失败，没有写入任何数据：") + refusal.text()};
    } catch (const DbError& e) {
        if (e.connectionLost())
            return afterBreak(transactions::fateAfterBreak(sysData->myCon, transactionId), written);
        return {false, QStringLiteral("导入失败，没有写入任何数据：") + e.text()};
    } catch (const std::exception& e) {
        return {false,
                QStringLiteral("导入失败，没有写入任何数据：") + QString::fromUtf8(e.what())};
    }
}

QString bookKey(const QString& text) {
    QString key = text;
    for (QChar& c : key)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    return key;
}

#include "documents/postedlines.h"

#include "core/query.h"

namespace documents {

namespace {

bool isPostedLine(const DocumentLines& lines, int row, int lineTestColumn) {
    return !lines.cell(row, lineTestColumn).trimmed().isEmpty();
}

} // namespace

void insertLines(TQuery& q, const QString& statement, const QString& code,
                 const DocumentLines& lines, int lineTestColumn) {
    q.load(statement);
    for (int row = 1; row <= DocumentLines::kRows; ++row) {
        if (!isPostedLine(lines, row, lineTestColumn))
            continue;
        q.bind(u"orderID", code);
        q.bind(u"prodID", lines.cell(row, 1).trimmed());
        q.bind(u"price", lines.cell(row, 6).trimmed());
        q.bind(u"pcount", lines.cell(row, 7).trimmed());
        q.bind(u"sumMoney", lines.cell(row, 8).trimmed());
        q.bind(u"remark", lines.cell(row, 9).trimmed());
        q.queue();
    }
    q.executeQueued();
}

void moveStock(TQuery& q, const QString& statement, const DocumentLines& lines,
               int lineTestColumn) {
    q.load(statement);
    for (int row = 1; row <= DocumentLines::kRows; ++row) {
        if (!isPostedLine(lines, row, lineTestColumn))
            continue;
        q.bind(u"prodID", lines.cell(row, 1).trimmed());
        q.bind(u"sumCount", lines.cell(row, 7).trimmed());
        q.queue();
    }
    q.executeQueued();
}

} // namespace documents

#include "admin/booksannouncement.h"

#include "core/messages.h"
#include "core/sysdata.h"
#include "documents/bookscheck.h"
#include "documents/bookscheckreport.h"

#include <QStringList>

namespace booksannouncement {

namespace {
constexpr int kShown = 10; // a message box, not a report: the rest is in 账簿检查
}

void checkAndTell() {
    const std::vector<BooksDifference> differences = checkBooks(sysData->myCon);
    if (differences.empty())
        return;
    QStringList lines = booksCheckLines(differences);
    if (lines.size() > kShown) {
        lines.erase(lines.begin() + kShown, lines.end());
        lines << QStringLiteral("……");
    }
    notice(booksCheckSummary(differences) + u'\n' + lines.join(u'\n') +
           QStringLiteral("\n请在“系统维护 → 账簿检查”中查看全部。"));
}

} // namespace booksannouncement

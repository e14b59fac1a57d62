#include "admin/booksannouncement.h"

#include "core/messages.h"
#include "core/sysdata.h"
#include "documents/bookscheck.h"

#include <QStringList>

namespace booksannouncement {

namespace {
constexpr int kShown = 10; // a message box, not a report: the rest is in 账簿检查
}

void checkAndTell() {
    const std::vector<BooksDifference> differences = checkBooks(sysData->myCon);
    if (differences.empty())
        return;
    QStringList lines;
    for (std::size_t i = 0; i < differences.size() && i < std::size_t(kShown); ++i)
        lines << differences[i].text();
    if (differences.size() > std::size_t(kShown))
        lines << QStringLiteral("……");
    notice(QStringLiteral("账簿检查发现 %1 处不符：\n%2\n请在“系统维护 → 账簿检查”中查看全部。")
               .arg(differences.size())
               .arg(lines.join(u'\n')));
}

} // namespace booksannouncement

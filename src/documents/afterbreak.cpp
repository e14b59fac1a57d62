#include "documents/afterbreak.h"

#include "core/query.h"
#include "core/sysdata.h"

#include <exception>

namespace documents {

Found askAfterBreak(const std::function<Found(TQuery&)>& ask) {
    TQuery& q = sysData->QueryCommon;
    q.close();
    try {
        const Found found = ask(q);
        q.close();
        return found;
    } catch (const std::exception&) {
        q.close();
        return Found::Unknown;
    }
}

Found foundAfterBreak(transactions::Fate fate) {
    switch (fate) {
    case transactions::Fate::Committed:
        return Found::Ours;
    case transactions::Fate::RolledBack:
        return Found::Absent;
    case transactions::Fate::Unknown:
        break;
    }
    return Found::Unknown;
}

} // namespace documents

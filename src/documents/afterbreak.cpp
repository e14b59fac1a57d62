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

} // namespace documents

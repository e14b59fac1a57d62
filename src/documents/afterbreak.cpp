#include "accounts/afterbreak.h"

#include "core/query.h"
#include "core/sysdata.h"

#include <exception>

namespace accounts {

documents::Found askAfterBreak(const std::function<documents::Found(TQuery&)>& ask) {
    TQuery& q = sysData->QueryCommon;
    q.close();
    try {
        const documents::Found found = ask(q);
        q.close();
        return found;
    } catch (const std::exception&) {
        q.close();
        return documents::Found::Unknown;
    }
}

} // namespace accounts

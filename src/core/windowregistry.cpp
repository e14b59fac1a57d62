#include "core/windowregistry.h"

#include <QHash>

namespace windows {

namespace {
QHash<QString, Opener>& openers() {
    static QHash<QString, Opener> table;
    return table;
}
} // namespace

void registerOpener(const QString& windowClass, Opener opener) {
    openers().insert(windowClass, std::move(opener));
}

bool hasOpener(const QString& windowClass) {
    return openers().contains(windowClass);
}

bool open(const QString& windowClass) {
    const auto it = openers().constFind(windowClass);
    if (it == openers().constEnd())
        return false;
    (*it)();
    return true;
}

void clearOpeners() {
    openers().clear();
}

} // namespace windows

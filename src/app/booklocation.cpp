#include "app/booklocation.h"

#include "core/clock.h"
#include "core/sysdata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <unistd.h>

namespace booklocation {

namespace {

// The book the data folder holds, once it holds one.
const QString kBookHeld = QStringLiteral("book/held");

} // namespace

Places standardPlaces() {
    const QString bin = environment::applicationDirectory();
    return {bin, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
            QDir::cleanPath(bin + QStringLiteral("../share/vesk/") + TsysData::fileName())};
}

QString locate(const Places& places, const std::function<bool(const QString& lostBook)>& makeAnew) {
    const QString beside = QDir(places.applicationDirectory).filePath(TsysData::fileName());
    if (QFileInfo::exists(beside))
        return beside;
    if (places.dataFolder.isEmpty())
        return beside; // no home to keep it in: opening reports the missing book
    const QString own = QDir(places.dataFolder).filePath(TsysData::fileName());
    // Kept in the user's settings, apart from the data folder that may go with the book.
    QSettings settings;
    const bool heldOne = settings.value(kBookHeld).toString() == own;
    if (!QFileInfo::exists(own) && QFileInfo::exists(places.templateFile) &&
        (!heldOne || makeAnew(own)) && QDir().mkpath(places.dataFolder))
        copyTemplate(places.templateFile, own);
    if (QFileInfo::exists(own))
        settings.setValue(kBookHeld, own);
    return own;
}

bool copyTemplate(const QString& templateFile, const QString& target) {
    QFile source(templateFile);
    if (QFileInfo::exists(target) || !source.open(QIODevice::ReadOnly))
        return false;
    QTemporaryFile copy(target + QStringLiteral(".XXXXXX"));
    if (!copy.open())
        return false;
    // The book holds the shop's accounts and its users' password hashes: the owner's alone.
    copy.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError || copy.write(bytes) != bytes.size() ||
        !copy.flush() || fsync(copy.handle()) != 0)
        return false;
    // The rename never replaces an existing file: a second program starting at the same
    // moment keeps the book the first one put there.
    if (!copy.rename(target))
        return false;
    copy.setAutoRemove(false);
    return true;
}

} // namespace booklocation

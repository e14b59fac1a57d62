#include "core/clock.h"

#include <QCoreApplication>
#include <QDir>

namespace environment {

namespace {
QDateTime fixedNow;
QString fixedDirectory;
} // namespace

QDateTime now() {
    return fixedNow.isValid() ? fixedNow : QDateTime::currentDateTime();
}

void setFixedNow(const QDateTime& moment) {
    fixedNow = moment;
}

QString applicationDirectory() {
    QString dir =
        fixedDirectory.isEmpty() ? QCoreApplication::applicationDirPath() : fixedDirectory;
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

void setApplicationDirectory(const QString& directory) {
    fixedDirectory = directory;
}

} // namespace environment

#include "support/decimalcomma.h"

#include <QProcess>
#include <clocale>
#include <cstring>

namespace {

const char* const kLocale = "de_DE.UTF-8";

} // namespace

DecimalCommaLocale::DecimalCommaLocale()
    : previous_(std::setlocale(LC_ALL, nullptr)), previousLocpath_(qgetenv("LOCPATH")) {
    if (take())
        return;
    made_ = std::make_unique<QTemporaryDir>();
    QProcess localedef;
    localedef.start(QStringLiteral("localedef"),
                    {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                     QStringLiteral("UTF-8"), made_->filePath(QString::fromLatin1(kLocale))});
    if (!localedef.waitForFinished(120000) || localedef.exitCode() != 0) {
        reason_ = QStringLiteral("no de_DE.UTF-8 locale installed, and localedef could not make "
                                 "one: ") +
                  QString::fromLocal8Bit(localedef.readAllStandardError()) +
                  localedef.errorString();
        return;
    }
    qputenv("LOCPATH", made_->path().toLocal8Bit());
    if (!take())
        reason_ = QStringLiteral("the locale made by localedef does not write a decimal comma");
}

DecimalCommaLocale::~DecimalCommaLocale() {
    std::setlocale(LC_ALL, previous_.constData());
    if (previousLocpath_.isEmpty())
        qunsetenv("LOCPATH");
    else
        qputenv("LOCPATH", previousLocpath_);
}

bool DecimalCommaLocale::take() {
    return std::setlocale(LC_ALL, kLocale) &&
           std::strcmp(std::localeconv()->decimal_point, ",") == 0;
}

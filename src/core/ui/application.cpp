#include "core/ui/application.h"

#include "core/messages.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void setUpApplication(QApplication& application) {
    // The name only: a display name would be added to every caption in the title bar.
    QApplication::setApplicationName(kApplicationTitle);
    // Without it Qt takes the Japanese face under C.UTF-8, and 令 or 直 take Japanese shapes.
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPointSize(10);
    QApplication::setFont(font);
    // The pictures of the main window come from the icon theme Debian ships; a desktop's own
    // theme is asked first.
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

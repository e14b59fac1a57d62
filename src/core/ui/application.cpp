#include "core/ui/application.h"

#include "core/messages.h"
#include "core/ui/scannersuffix.h"
#include "core/ui/wheelguard.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/vesk.png").arg(size));
    return icon;
}

void setUpApplication(QApplication& application) {
    // No display name: it would be added to every caption in the title bar.
    // The names QStandardPaths builds the user's folders from (~/.local/share/Vesk/vesk), and
    // the menu entry vesk.desktop that the desktop matches the windows to.
    QApplication::setOrganizationName(QStringLiteral("Vesk"));
    QApplication::setApplicationName(QStringLiteral("vesk"));
    QGuiApplication::setDesktopFileName(QStringLiteral("vesk"));
    QApplication::setWindowIcon(applicationIcon());
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
    ScannerSuffix::watchApplication();
    WheelGuard::watchApplication();
}

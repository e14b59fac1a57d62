#include "app/startup.h"

#include "admin/booksannouncement.h"
#include "app/booklocation.h"
#include "app/windowset.h"
#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/application.h"
#include "core/ui/modal.h"
#include "core/ui/tfrmmain.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

int runProgram(QApplication& application, Messages& shownMessages, Modal& shownModal) {
    setUpApplication(application);
    setMessages(&shownMessages);
    setModal(&shownModal);

    TfrmMain frmMain;

    const QString book = booklocation::locate(booklocation::standardPlaces());
    TsysData data(QFileInfo(book).absolutePath() + u'/');
    if (!data.connect()) {
        // Where and why on a second line: "the book is missing" and "the book is newer than
        // the program" call for different remedies.
        messages().notice(
            QStringLiteral("无法链接到数据库!\n%1：%2")
                .arg(QDir::toNativeSeparators(data.myCon.path()), data.myCon.lastError()),
            QStringLiteral("连接错误"));
        return 1;
    }
    sysData = &data;
    WindowSet windows;
    if (data.myCon.upgradedFrom() != 0) {
        notice(QStringLiteral("账簿已升级到本程序的版本（原为版本 %1）。\n升级前的账簿已备份为：%2")
                   .arg(data.myCon.upgradedFrom())
                   .arg(QDir::toNativeSeparators(data.myCon.upgradeBackup())));
        booksannouncement::checkAndTell();
    }

    // Showing the main window runs the login; it stays hidden when the login was left.
    frmMain.show();
    if (!frmMain.isVisible()) {
        sysData = nullptr;
        return 0;
    }
    const int code = application.exec();
    sysData = nullptr;
    return code;
}

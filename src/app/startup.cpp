#include "app/startup.h"

#include "admin/booksannouncement.h"
#include "app/booklocation.h"
#include "app/windowset.h"
#include "core/messages.h"
#include "core/serverbook.h"
#include "core/serversetting.h"
#include "core/sysdata.h"
#include "core/ui/application.h"
#include "core/ui/modal.h"
#include "core/ui/tfrmmain.h"
#include "core/ui/tfrmserverpassword.h"
#include "core/ui/tfrmserversettings.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <memory>

namespace {

// The data module on the book the setting names: the embedded book, or the server's, asking
// for the server's password for this run when the server wants one.
std::unique_ptr<TsysData> openBook(const QString& conninfo) {
    if (conninfo.isEmpty()) {
        const QString book =
            booklocation::locate(booklocation::standardPlaces(), [](const QString& lost) {
                return messages().cautiousQuestion(
                           QStringLiteral("账簿文件不见了：%1\n若是移走了，请放回原处后再启动"
                                          "本程序；若要从头记账，可新建一个空账簿。\n"
                                          "要新建一个空账簿吗？")
                               .arg(QDir::toNativeSeparators(lost)),
                           QStringLiteral("信息提示")) == Messages::kOk;
            });
        auto data = std::make_unique<TsysData>(QFileInfo(book).absolutePath() + u'/');
        data->connect();
        return data;
    }
    auto data = std::make_unique<TsysData>(TsysData::Server{conninfo});
    // Asked again while the server refuses the password typed: a slip of the finger should not
    // end the program.
    for (bool again = false; !data->connect() && serversetting::needsPassword(data->lastError());
         again = true) {
        const QString password = askServerPassword(conninfo, again);
        if (password.isEmpty())
            break;
        data = std::make_unique<TsysData>(
            TsysData::Server{serversetting::withPassword(conninfo, password)});
    }
    return data;
}

} // namespace

int runProgram(QApplication& application, Messages& shownMessages, Modal& shownModal) {
    setUpApplication(application);
    setMessages(&shownMessages);
    setModal(&shownModal);

    TfrmMain frmMain;

    const QString conninfo = serversetting::load();
    const std::unique_ptr<TsysData> opened = openBook(conninfo);
    TsysData& data = *opened;
    if (!data.myCon.isOpen()) {
        // Where and why on a second line: "the book is missing" and "the book is newer than
        // the program" call for different remedies. A server is named by its setting, which
        // holds no password.
        messages().notice(
            QStringLiteral("无法链接到数据库!\n%1：%2")
                .arg(conninfo.isEmpty() ? QDir::toNativeSeparators(data.myCon.path()) : conninfo,
                     data.lastError()),
            QStringLiteral("连接错误"));
        if (!conninfo.isEmpty() &&
            messages().question(QStringLiteral("是否修改服务器设置？"),
                                QStringLiteral("连接错误")) == Messages::kOk) {
            TfrmServerSettings settings(serverbook::tryOpen);
            settings.showModal();
        }
        return 1;
    }
    sysData = &data;
    WindowSet windows;
    if (data.upgradedFrom() != 0) {
        // A server book is upgraded in one transaction on the server; its backups are the
        // shop's own.
        const QString upgraded =
            QStringLiteral("账簿已升级到本程序的版本（原为版本 %1）。").arg(data.upgradedFrom());
        notice(data.myCon.isServer()
                   ? upgraded
                   : upgraded + QStringLiteral("\n升级前的账簿已备份为：%1")
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

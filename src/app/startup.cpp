#include "app/startup.h"

#include "app/booklocation.h"
#include "app/windowset.h"
#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/application.h"
#include "core/ui/modal.h"
#include "core/ui/tfrmmain.h"

#include <QApplication>
#include <QFileInfo>

int runProgram(QApplication& application, Messages& shownMessages, Modal& shownModal) {
    setUpApplication(application);
    setMessages(&shownMessages);
    setModal(&shownModal);

    TfrmMain frmMain;

    const QString book = booklocation::locate(booklocation::standardPlaces());
    TsysData data(QFileInfo(book).absolutePath() + u'/');
    if (!data.connect()) {
        messages().notice(QStringLiteral("无法链接到数据库!"), QStringLiteral("连接错误"));
        return 1;
    }
    sysData = &data;
    WindowSet windows;

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

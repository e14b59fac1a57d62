// What bench/ measures in a process of its own:
//   vesk-probe startup DIRECTORY   the program on the book in DIRECTORY, ending the moment its
//                                  first dialog (the login window) is on screen
//   vesk-probe first-window DIRECTORY  the same, ending at the first window of any kind
//   vesk-probe memory DIRECTORY    prints the resident memory, in kB, with the product list
//                                  of the whole book open
// Like the program, each opens the server book that the saved setting names, if there is one.
#include "exposeexit.h"

#include "app/startup.h"
#include "app/windowset.h"
#include "core/clock.h"
#include "core/serversetting.h"
#include "core/sysdata.h"
#include "core/ui/application.h"
#include "core/ui/messageboxes.h"
#include "core/ui/modal.h"
#include "core/ui/slotmodel.h"
#include "core/windowregistry.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QFile>
#include <QTableView>
#include <cstdio>

namespace {

// Shows a window and returns at once, so that the probe can look at it while it is open.
class ShowOnly : public Modal {
public:
    void showModal(QDialog& window) override { window.show(); }
};

long residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

void settle(int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

int memory(QApplication& application, const QString& directory) {
    setUpApplication(application);
    MessageBoxes messages;
    setMessages(&messages);
    ShowOnly modal;
    setModal(&modal);
    // The book the program itself would open: the server its setting names, else the file.
    const QString server = serversetting::load();
    TsysData data = server.isEmpty() ? TsysData(directory) : TsysData(TsysData::Server{server});
    if (!data.connect())
        return 1;
    sysData = &data;
    WindowSet windows;
    QTableView view; // the bare list, while the product window is not there yet
    if (!windows::open(QStringLiteral("TfrmProduct"))) {
        data.QueryProduct.load(QStringLiteral("SELECT Fproduct.*,Fprodcate.CateName FROM "
                                              "Fproduct,Fprodcate WHERE "
                                              "Fproduct.cateID=Fprodcate.cateID"));
        data.QueryProduct.open();
        showSlot(view, data.QueryProduct,
                 {{"CateName", "商品类别"},
                  {"prodBH", "商品编号"},
                  {"prodName", "商品名称"},
                  {"type", "规格/型号"},
                  {"unitName", "单位"},
                  {"inprice", "进价", Draw::Money},
                  {"outprice", "售价", Draw::Money},
                  {"sumCount", "库存量", Draw::Number}});
        view.resize(1200, 800);
        view.show();
    }
    settle(1500);
    std::printf("rows %d\nrss_kb %ld\n", data.QueryProduct.recordCount(), residentKilobytes());
    sysData = nullptr;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vesk-probe startup|first-window|memory DIRECTORY\n");
        return 2;
    }
    QApplication application(argc, argv);
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString directory = QString::fromLocal8Bit(argv[2]) + u'/';
    environment::setApplicationDirectory(directory);
    if (mode == QStringLiteral("memory"))
        return memory(application, directory);
    ExposeExit exit(mode == QStringLiteral("startup") ? ExposeExit::Dialog : ExposeExit::AnyWindow);
    application.installEventFilter(&exit);
    MessageBoxes messages;
    ExecModal modal;
    return runProgram(application, messages, modal);
}

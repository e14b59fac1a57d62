#include "core/ui/tfrmmain.h"

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Vesk进销存管理软件 V8.8"));
    resize(1024, 700);
}

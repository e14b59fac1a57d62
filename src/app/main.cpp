#include "app/startup.h"
#include "core/ui/filedialogs.h"
#include "core/ui/messageboxes.h"
#include "core/ui/modal.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    MessageBoxes messages;
    ExecModal modal;
    SystemFileDialogs dialogs;
    setFileDialogs(&dialogs);
    return runProgram(application, messages, modal);
}

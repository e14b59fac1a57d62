#include "app/startup.h"
#include "core/ui/messageboxes.h"
#include "core/ui/modal.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    MessageBoxes messages;
    ExecModal modal;
    return runProgram(application, messages, modal);
}

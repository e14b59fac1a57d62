// The reference for start-up: a bare Qt window, shown and gone as soon as it is on screen.
#include "exposeexit.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ExposeExit exit(ExposeExit::AnyWindow);
    application.installEventFilter(&exit);
    QWidget window;
    window.resize(800, 600);
    window.show();
    return application.exec();
}

// Runs the tests with a headless Qt, as the program would set itself up.
#include "core/ui/application.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    setUpApplication(application);
    return RUN_ALL_TESTS();
}

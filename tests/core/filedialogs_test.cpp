// The real file dialogs: where they open, and what they remember of the last file chosen.
#include "core/ui/filedialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

std::string home() {
    return QDir::homePath().toStdString();
}

class SystemDialogs : public ::testing::Test {
protected:
    void SetUp() override { QSettings().remove(QStringLiteral("files")); }

    // Runs a dialog, answering it as a person would: notes the folder it opened in, then
    // chooses the file (or cancels when there is none).
    QString answer(const std::function<QString()>& dialog, const QString& file = QString()) {
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(shown, nullptr);
            openedIn = QDir(shown->directory()).absolutePath().toStdString();
            if (file.isEmpty()) {
                shown->reject();
                return;
            }
            shown->selectFile(file);
            static_cast<QDialog*>(shown)->accept();
        });
        return dialog();
    }
    QString save(const QString& file = QString()) {
        return answer(
            [] {
                return SystemFileDialogs().saveFile("导出Excel", "商品信息表.xlsx",
                                                    "Excel (*.xlsx)");
            },
            file);
    }
    QString open(const QString& file = QString()) {
        return answer([] { return SystemFileDialogs().openFile("导入Excel", "Excel (*.xlsx)"); },
                      file);
    }

    std::string openedIn; // text, so that a failure shows the folders
};

TEST_F(SystemDialogs, TheNextDialogOpensWhereTheLastFileWasChosenEvenInALaterRun) {
    QTemporaryDir stick;
    const QString exported = stick.filePath("商品信息表.xlsx");
    EXPECT_EQ(save(exported), exported);
    EXPECT_EQ(openedIn, home()); // the first time: the home folder

    QFile(exported).open(QIODevice::WriteOnly);
    EXPECT_EQ(open(exported), exported); // brought back after editing
    EXPECT_EQ(openedIn, QDir(stick.path()).absolutePath().toStdString());

    QSettings().sync(); // a later run reads the same setting
    save();
    EXPECT_EQ(openedIn, QDir(stick.path()).absolutePath().toStdString());
}

TEST_F(SystemDialogs, ACancelledDialogOrAFolderGoneLeavesTheHomeFolder) {
    open();
    save();
    EXPECT_EQ(openedIn, home());

    auto stick = std::make_unique<QTemporaryDir>();
    const QString exported = stick->filePath("a.xlsx");
    save(exported);
    stick.reset(); // the stick taken out
    open();
    EXPECT_EQ(openedIn, home());
}

} // namespace

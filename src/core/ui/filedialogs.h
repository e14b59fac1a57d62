#pragma once

#include <QString>

// The system's file dialogs go through this interface: the program shows the real dialog, the
// tests a scripted double that answers with a file name.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // A file-open dialog over the filter ("备份文件 (*.bak)"); the chosen file's full name,
    // or an empty text when the dialog was cancelled. Both open in the folder of the file last
    // chosen in either, else in the home folder.
    virtual QString openFile(const QString& caption, const QString& filter) = 0;
    // A save dialog offering the suggested file name; the chosen file's full name, or an empty
    // text when the dialog was cancelled.
    virtual QString saveFile(const QString& caption, const QString& suggested,
                             const QString& filter) = 0;
};

FileDialogs& fileDialogs();
void setFileDialogs(FileDialogs* dialogs);

// The save dialog's file, with the filter's suffix ("*.xlsx") added when the name typed has
// none. The dialog asked only about the name typed, so a file of the full name is replaced
// only when the person says so; otherwise, as when the dialog is cancelled, an empty text.
QString chooseSaveFile(const QString& caption, const QString& suggested, const QString& filter);

// The program's way: QFileDialog.
class SystemFileDialogs : public FileDialogs {
public:
    QString openFile(const QString& caption, const QString& filter) override;
    QString saveFile(const QString& caption, const QString& suggested,
                     const QString& filter) override;
};

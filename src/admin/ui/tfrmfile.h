#pragma once

#include "core/ui/tform.h"

#include <QString>

class QComboBox;
class QFileSystemModel;
class QPushButton;
class QTreeView;

// The directory chooser of the backup ("备份文件位置"): a drive, a directory in its tree and
// "选择(&S)". Closing it any other way chooses nothing.
class TfrmFile : public TForm {
    Q_OBJECT
public:
    explicit TfrmFile(QWidget* parent = nullptr);

    // The directory shown first at the next showing.
    void setStartDirectory(const QString& directory) { start_ = directory; }
    // Whether "选择(&S)" closed the window the last time, and the directory it chose.
    bool chosen() const { return chosen_; }
    QString directory() const { return directory_; }

protected:
    void FormShow() override;

private:
    void LoadDrives();
    void cbDriveChange();
    void btnSelectClick();
    void ShowDirectory(const QString& directory);

    QComboBox* cbDrive;
    QTreeView* tvDir;
    QPushButton* btnSelect;
    QPushButton* btnCancel;
    QFileSystemModel* model_;
    QString start_;
    QString directory_;
    bool chosen_ = false;
};

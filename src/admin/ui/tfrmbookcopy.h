#pragma once

#include "admin/bookfile.h"
#include "core/ui/tform.h"

#include <QString>

class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

// What tells the backup and the restore window apart, besides how each browses and copies.
struct BookCopyKind {
    QString objectName;
    QString caption;
    QString group;      // the path box's group
    QString pathLabel;  // the path box's label
    QString actionName; // the copy button's objectName
    QString actionText; // the copy button's text
    QString emptyPath;  // the message for an empty path box
    QString succeeded;  // the message after a copy
    QString failed;     // the message when a copy failed
};

// The backup and restore windows: a path, "浏览(&V)", a progress bar and the copy button. The
// book's connection is closed while the window is shown; the next statement opens it again.
class TfrmBookCopy : public TForm {
    Q_OBJECT
protected:
    TfrmBookCopy(const BookCopyKind& kind, QWidget* parent);

    void FormShow() override;
    // Refused while a copy runs.
    bool FormClose() override;

    // Fills the path box as its window's "浏览(&V)" does.
    virtual void Browse() = 0;
    // Whether the copy may go to the trimmed path; false when the person was asked and said no.
    virtual bool MayCopyTo(const QString&) { return true; }
    // Copies between the book and the trimmed path.
    virtual bookfile::Outcome Copy(const QString& path, const bookfile::Progress& progress) = 0;
    // What follows a copy that was done and announced.
    virtual void Copied() {}

    QLineEdit* txtPath;

private:
    void btnActionClick();
    void SetCopying(bool copying);

    const BookCopyKind& kind_;
    QGroupBox* gbPath;
    QPushButton* btnBrowse;
    QProgressBar* pbProgress;
    QPushButton* btnAction;
    QPushButton* btnClose;
    bool copying_ = false;
};

#pragma once

#include "admin/ui/tfrmbookcopy.h"

class TfrmFile;
class QDateTime;

// The backup ("数据备份"): copies the book to a ".bak" file named by the time stamp.
class TfrmBackData : public TfrmBookCopy {
    Q_OBJECT
public:
    // The proposed name is that of the program's start, kept until changed.
    TfrmBackData(TfrmFile& frmFile, const QDateTime& startedAt, QWidget* parent = nullptr);

protected:
    void Browse() override;
    // A file already there (an earlier backup, the proposed name being that of the program's
    // start) is overwritten only when the person says so.
    bool MayCopyTo(const QString& path) override;
    bookfile::Outcome Copy(const QString& path, const bookfile::Progress& progress) override;

private:
    TfrmFile& frmFile;
};

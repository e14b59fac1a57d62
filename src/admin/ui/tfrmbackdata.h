#pragma once

#include "admin/ui/tfrmbookcopy.h"

class TfrmFile;

// The backup ("数据备份"): copies the book to a ".bak" file named by the time stamp.
class TfrmBackData : public TfrmBookCopy {
    Q_OBJECT
public:
    // The proposed name is taken now, at start-up, and kept until changed.
    explicit TfrmBackData(TfrmFile& frmFile, QWidget* parent = nullptr);

protected:
    void Browse() override;
    bool Copy(const QString& path, const bookfile::Progress& progress) override;

private:
    TfrmFile& frmFile;
};

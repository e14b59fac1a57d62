#pragma once

#include "admin/ui/tfrmbookcopy.h"

// The restore ("数据还原"): replaces the book by a chosen ".bak" file.
class TfrmRestoreData : public TfrmBookCopy {
    Q_OBJECT
public:
    explicit TfrmRestoreData(QWidget* parent = nullptr);

protected:
    void Browse() override;
    bool Copy(const QString& path, const bookfile::Progress& progress) override;
};

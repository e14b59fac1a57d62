#pragma once

#include "admin/ui/tfrmbookcopy.h"

// The restore ("数据还原"): replaces the book's content by a chosen ".bak" file of this
// program, upgraded first when it is older.
class TfrmRestoreData : public TfrmBookCopy {
    Q_OBJECT
public:
    explicit TfrmRestoreData(QWidget* parent = nullptr);

protected:
    void Browse() override;
    // Whatever was written since the backup is gone once it is restored: asked first.
    bool MayCopyTo(const QString& path) override;
    bookfile::Outcome Copy(const QString& path, const bookfile::Progress& progress) override;
    // The restored book is checked at once.
    void Copied() override;
};

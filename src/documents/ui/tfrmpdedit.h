#pragma once

#include "documents/ui/countentryform.h"

// "修改盘点": more lines, changed lines and deleted lines for an existing count.
class TfrmPDEdit : public CountEntryForm {
    Q_OBJECT
public:
    explicit TfrmPDEdit(TfrmProdPD& productCount, QWidget* parent = nullptr);

    void setCount(const stockcount::OpenCount& count) { count_ = count; }

protected:
    void FormShow() override;
    QString houseID() const override { return count_.houseID; }
    std::optional<stockcount::CountHeader> pendingHeader() const override { return std::nullopt; }

private:
    stockcount::OpenCount count_;
    QLabel* lblHouseName;
    QLabel* lblDate;
};

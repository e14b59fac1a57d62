#pragma once

#include "documents/ui/countentryform.h"

#include <QDateTime>

class QDateEdit;

// "新增盘点单": a new count. Its header is written with its first confirmed line, with the
// warehouse, remark, operator and date shown then; from that moment they are fixed.
class TfrmPDAdd : public CountEntryForm {
    Q_OBJECT
public:
    explicit TfrmPDAdd(TfrmProdPD& productCount, QWidget* parent = nullptr);

    void setUserName(const QString& userName) { userName_ = userName; }

protected:
    void FormShow() override;
    QString houseID() const override;
    std::optional<stockcount::CountHeader> pendingHeader() const override;
    void lineSaved() override;

private:
    void LoadHouse();
    void lockHeader(bool locked);

    QString userName_;
    QDateTime codeMoment_; // the moment the code shown was made from
    bool headerWritten_ = false;
    QComboBox* cbHouse;
    QDateEdit* dtDate;
};

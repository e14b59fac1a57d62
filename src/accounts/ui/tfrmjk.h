#pragma once

#include "core/ui/tform.h"

class QLineEdit;
class QPushButton;
class NumberEdit;

// "结款": settles part or all of one counterpart's balance, prefilled with the whole of it.
class TfrmJK : public TForm {
    Q_OBJECT
public:
    explicit TfrmJK(QWidget* parent = nullptr);

    // The counterpart to settle: kind "1" a supplier, "2" a customer; its name and balance
    // are shown, the balance also prefilled as the amount.
    void setCounterpart(const QString& kind, const QString& compID, const QString& compName,
                        const QString& balance);
    // Set by a written settlement; cleared each time the dialog is shown.
    bool settled() const { return settled_; }
    // Set when a settlement found the counterpart changed or removed by another counter.
    bool stale() const { return stale_; }

protected:
    void FormShow() override;

private:
    void Button1Click();

    QLineEdit* txtCompName;
    QLineEdit* txtJe;
    NumberEdit* txtJK;
    QPushButton* Button1;
    QPushButton* Button2;
    QString kind_;
    QString compID_;
    bool settled_ = false;
    bool stale_ = false;
};

#pragma once

#include "core/ui/tform.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

// The books check ("账簿检查"): recomputes stock, balances and account balances from the
// documents and the journal and lists every place where the book differs, in plain words.
// It cannot be closed while the check runs.
class TfrmBooksCheck : public TForm {
    Q_OBJECT
public:
    explicit TfrmBooksCheck(QWidget* parent = nullptr);

protected:
    void FormShow() override;
    bool FormClose() override;

private:
    void btnStartClick();
    void SetChecking(bool checking);

    QLabel* lblResult;
    QProgressBar* pbProgress;
    QListWidget* lstDifferences;
    QPushButton* btnStart;
    QPushButton* btnClose;
    bool checking_ = false;
};

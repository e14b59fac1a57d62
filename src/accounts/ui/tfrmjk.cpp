#include "accounts/ui/tfrmjk.h"

#include "accounts/settlement.h"
#include "core/messages.h"
#include "core/ui/dialogbuttons.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/numberedit.h"
#include "core/ui/strayscans.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmJK::TfrmJK(QWidget* parent) : TForm(parent) {
    setObjectName(QStringLiteral("frmJK"));
    setWindowTitle(QStringLiteral("结款"));

    txtCompName = new QLineEdit;
    txtCompName->setObjectName(QStringLiteral("txtCompName"));
    txtCompName->setReadOnly(true);
    txtCompName->setMinimumWidth(220);
    txtJe = new QLineEdit;
    txtJe->setObjectName(QStringLiteral("txtJe"));
    txtJe->setReadOnly(true);
    txtJK = new NumberEdit(QString()); // a non-number empties the box
    txtJK->setObjectName(QStringLiteral("txtJK"));

    auto* form = new QFormLayout;
    const auto row = [form](const QString& text, QWidget* box) {
        auto* label = new QLabel(text);
        label->setBuddy(box);
        form->addRow(label, box);
    };
    row(QStringLiteral("往来单位："), txtCompName);
    row(QStringLiteral("欠款金额："), txtJe);
    row(QStringLiteral("结算金额："), txtJK);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    const DialogButtons buttons =
        addDialogButtons(*this, *layout, QStringLiteral("Button1"), QStringLiteral("结款(&J)"),
                         QStringLiteral("Button2"));
    Button1 = buttons.action;
    Button2 = buttons.close;

    connectGuarded(Button1, &QPushButton::clicked, this, [this](bool) { Button1Click(); });
    refuseScans(*this);
}

void TfrmJK::setCounterpart(const QString& kind, const QString& compID, const QString& compName,
                            const QString& balance) {
    kind_ = kind;
    compID_ = compID;
    txtCompName->setText(compName);
    txtJe->setText(balance);
    txtJK->setText(balance);
}

void TfrmJK::FormShow() {
    settled_ = false;
    stale_ = false;
    txtJK->setFocus();
    txtJK->selectAll();
}

void TfrmJK::Button1Click() {
    NumberEdit::judgeAll(*this);
    if (txtJK->text().trimmed().isEmpty()) {
        notice(QStringLiteral("请输入收款金额！"));
        txtJK->setFocus();
        return;
    }
    const QString shown = txtJe->text();
    QString balance = shown;
    const auto result = accounts::settleShownBalance(kind_, compID_, txtJK->text(), balance);
    if (result == accounts::Write::Outdated) {
        stale_ = true;
        if (balance == shown) { // removed meanwhile: nothing left to settle here
            close();
            return;
        }
        // The amount still offered as the whole balance follows it.
        if (txtJK->text() == shown)
            txtJK->setText(balance);
        txtJe->setText(balance);
    }
    if (result == accounts::Write::Refused || result == accounts::Write::Outdated ||
        result == accounts::Write::Broken) {
        txtJK->setFocus();
        return;
    }
    settled_ = result == accounts::Write::Done;
    close();
}

#include "admin/ui/tfrmbookcopy.h"

#include "admin/ui/formparts.h"
#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

TfrmBookCopy::TfrmBookCopy(const BookCopyKind& kind, QWidget* parent) : TForm(parent), kind_(kind) {
    setObjectName(kind.objectName);
    setWindowTitle(kind.caption);

    gbPath = new QGroupBox(kind.group, this);
    gbPath->setObjectName(QStringLiteral("gbPath"));
    txtPath = new QLineEdit(gbPath);
    txtPath->setObjectName(QStringLiteral("txtPath"));
    txtPath->setMinimumWidth(340);
    btnBrowse = new QPushButton(QStringLiteral("浏览(&V)"), gbPath);
    btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
    btnBrowse->setAutoDefault(false);
    auto* pathRow = new QHBoxLayout(gbPath);
    pathRow->addWidget(buddyLabel(gbPath, QStringLiteral("lblPath"), kind.pathLabel, txtPath));
    pathRow->addWidget(txtPath, 1);
    pathRow->addWidget(btnBrowse);

    pbProgress = new QProgressBar(this);
    pbProgress->setObjectName(QStringLiteral("pbProgress"));
    pbProgress->setRange(0, 100);
    pbProgress->setValue(0);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(
        buddyLabel(this, QStringLiteral("lblProgress"), QStringLiteral("备份进度："), pbProgress));
    progressRow->addWidget(pbProgress, 1);

    btnAction = new QPushButton(kind.actionText, this);
    btnAction->setObjectName(kind.actionName);
    btnAction->setDefault(true);
    btnClose = new QPushButton(QStringLiteral("关闭(&C)"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnAction);
    buttons->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(14);
    layout->addWidget(gbPath);
    layout->addLayout(progressRow);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());

    connectGuarded(btnBrowse, &QPushButton::clicked, this, [this] { Browse(); });
    connectGuarded(btnAction, &QPushButton::clicked, this, [this] { btnActionClick(); });
    connectGuarded(btnClose, &QPushButton::clicked, this, [this] { close(); });
}

void TfrmBookCopy::FormShow() {
    sysData->myCon.close();
}

bool TfrmBookCopy::FormClose() {
    return !copying_;
}

void TfrmBookCopy::btnActionClick() {
    const QString path = txtPath->text().trimmed();
    if (path.isEmpty()) {
        notice(kind_.emptyPath);
        return;
    }
    if (!MayCopyTo(path))
        return;
    bookfile::Outcome outcome;
    {
        // The copy lets events run: nothing else may start meanwhile.
        SetCopying(true);
        const auto done = qScopeGuard([this] { SetCopying(false); });
        outcome = Copy(path, [this](int percent) {
            pbProgress->setValue(percent);
            QApplication::processEvents();
        });
    }
    if (outcome.done) {
        notice(kind_.succeeded);
        Copied();
    } else if (outcome.bookReplaced) {
        notice(outcome.refusal);
    } else if (!outcome.refusal.isEmpty()) {
        notice(outcome.refusal + QStringLiteral("\n当前账簿未作任何改动。"));
    } else {
        notice(kind_.failed);
    }
}

void TfrmBookCopy::SetCopying(bool copying) {
    copying_ = copying;
    btnAction->setEnabled(!copying);
    btnBrowse->setEnabled(!copying);
    btnClose->setEnabled(!copying);
    txtPath->setReadOnly(copying);
}

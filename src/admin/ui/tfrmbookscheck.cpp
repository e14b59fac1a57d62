#include "admin/ui/tfrmbookscheck.h"

#include "admin/ui/formparts.h"
#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "documents/bookscheck.h"
#include "documents/bookscheckreport.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

TfrmBooksCheck::TfrmBooksCheck(QWidget* parent) : TForm(parent) {
    setObjectName(QStringLiteral("frmBooksCheck"));
    setWindowTitle(QStringLiteral("账簿检查"));

    auto* lblHint = new QLabel(QStringLiteral("按全部单据和资金流水重新计算商品库存、往来余额和"
                                              "账户余额，并与账面核对。"),
                               this);
    lblHint->setObjectName(QStringLiteral("lblHint"));
    lblHint->setWordWrap(true);

    pbProgress = new QProgressBar(this);
    pbProgress->setObjectName(QStringLiteral("pbProgress"));
    pbProgress->setRange(0, 100);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(
        buddyLabel(this, QStringLiteral("lblProgress"), QStringLiteral("检查进度："), pbProgress));
    progressRow->addWidget(pbProgress, 1);

    lstDifferences = new QListWidget(this);
    lstDifferences->setObjectName(QStringLiteral("lstDifferences"));
    lstDifferences->setWordWrap(true);
    lstDifferences->setAlternatingRowColors(true);
    lblResult = buddyLabel(this, QStringLiteral("lblResult"), QString(), lstDifferences);
    lblResult->setWordWrap(true);

    btnStart = new QPushButton(QStringLiteral("开始检查(&S)"), this);
    btnStart->setObjectName(QStringLiteral("btnStart"));
    btnStart->setDefault(true);
    btnClose = new QPushButton(QStringLiteral("关闭(&C)"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnStart);
    buttons->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(12);
    layout->addWidget(lblHint);
    layout->addLayout(progressRow);
    layout->addWidget(lblResult);
    layout->addWidget(lstDifferences, 1);
    layout->addLayout(buttons);
    resize(720, 460);

    connectGuarded(btnStart, &QPushButton::clicked, this, [this] { btnStartClick(); });
    connectGuarded(btnClose, &QPushButton::clicked, this, [this] { close(); });
}

void TfrmBooksCheck::FormShow() {
    pbProgress->setValue(0);
    lstDifferences->clear();
    lblResult->setText(QStringLiteral("检查结果："));
}

bool TfrmBooksCheck::FormClose() {
    return !checking_;
}

void TfrmBooksCheck::btnStartClick() {
    lstDifferences->clear();
    pbProgress->setValue(0);
    std::vector<BooksDifference> found;
    {
        // The check lets events run between its steps: nothing else may start meanwhile.
        SetChecking(true);
        const auto done = qScopeGuard([this] { SetChecking(false); });
        found = checkBooks(sysData->myCon, [this](int percent) {
            pbProgress->setValue(percent);
            QApplication::processEvents();
        });
    }
    const QString summary = booksCheckSummary(found);
    lblResult->setText(summary);
    lstDifferences->addItems(booksCheckLines(found));
    notice(summary);
}

void TfrmBooksCheck::SetChecking(bool checking) {
    checking_ = checking;
    btnStart->setEnabled(!checking);
    btnClose->setEnabled(!checking);
}

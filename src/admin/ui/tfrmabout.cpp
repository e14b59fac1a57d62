#include "admin/ui/tfrmabout.h"

#include "core/messages.h"
#include "core/productinfo.h"
#include "core/sysdata.h"
#include "core/ui/application.h"
#include "core/ui/guardedconnect.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmAbout::TfrmAbout(QWidget* parent) : TForm(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("关于本软件"));

    auto* imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPixmap(applicationIcon().pixmap(64, 64));
    imgLogo->setAlignment(Qt::AlignTop);

    auto* lblTitle = new QLabel(kApplicationTitle, this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont big = lblTitle->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    lblTitle->setFont(big);
    auto* lblCaption = new QLabel(productinfo::kMainCaption, this);
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
    auto* lblVersion = new QLabel(QStringLiteral("版本：") + productinfo::kVersion, this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    // Where the book is, so that a person can find it to copy it or to take it along; the box
    // widens to the whole path. The path is fixed for the run.
    auto* lblBook = new QLabel(QStringLiteral("数据文件：") + sysData->myCon.shownPath(), this);
    lblBook->setObjectName(QStringLiteral("lblBook"));
    lblBook->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* btnOK = new QPushButton(QStringLiteral("确定"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(8);
    texts->addWidget(lblTitle);
    texts->addWidget(lblCaption);
    texts->addWidget(lblVersion);
    texts->addWidget(lblBook);
    auto* top = new QHBoxLayout;
    top->setSpacing(20);
    top->addWidget(imgLogo);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 22, 24, 16);
    layout->setSpacing(14);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));

    connectGuarded(btnOK, &QPushButton::clicked, this, [this] { close(); });
}

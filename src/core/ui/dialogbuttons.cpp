#include "core/ui/dialogbuttons.h"

#include "core/ui/guardedconnect.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

DialogButtons addDialogButtons(QDialog& dialog, QBoxLayout& layout, const QString& actionName,
                               const QString& actionText, const QString& closeName) {
    auto* action = new QPushButton(actionText, &dialog);
    action->setObjectName(actionName);
    action->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("关闭(&C)"), &dialog);
    close->setObjectName(closeName);
    close->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(action);
    row->addWidget(close);
    layout.addLayout(row);
    connectGuarded(close, &QPushButton::clicked, &dialog, [&dialog](bool) { dialog.close(); });
    return {action, close};
}

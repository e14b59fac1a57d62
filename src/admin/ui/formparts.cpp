#include "admin/ui/formparts.h"

#include "core/ui/guardedconnect.h"

#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QLabel* buddyLabel(QWidget* parent, const QString& name, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    return label;
}

QFormLayout* dialogFields() {
    auto* fields = new QFormLayout;
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(12);
    return fields;
}

DialogButtons layOutDialog(QDialog& dialog, QFormLayout* fields, const QString& actionName,
                           const QString& actionText) {
    auto* action = new QPushButton(actionText, &dialog);
    action->setObjectName(actionName);
    action->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("关闭(&C)"), &dialog);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(action);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(28, 24, 28, 18);
    layout->setSpacing(18);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    dialog.setFixedSize(dialog.sizeHint());
    connectGuarded(close, &QPushButton::clicked, &dialog, [&dialog] { dialog.close(); });
    return {action, close};
}

#include "admin/ui/formparts.h"

#include <QDialog>
#include <QFormLayout>
#include <QLabel>
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
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(28, 24, 28, 18);
    layout->setSpacing(18);
    layout->addLayout(fields);
    const DialogButtons buttons = addDialogButtons(dialog, *layout, actionName, actionText);
    dialog.setFixedSize(dialog.sizeHint());
    return buttons;
}

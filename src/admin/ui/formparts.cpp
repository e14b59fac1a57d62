#include "admin/ui/formparts.h"

#include <QLabel>
#include <QLineEdit>

QLineEdit* passwordBox(QWidget* parent, const QString& name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // "*"
    box->setMinimumWidth(200);
    return box;
}

QLabel* buddyLabel(QWidget* parent, const QString& name, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    return label;
}

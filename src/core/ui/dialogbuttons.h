#pragma once

#include <QString>

class QBoxLayout;
class QDialog;
class QPushButton;

// The row under a dialog's fields, added to its layout: the dialog's action (the default
// button) and "关闭(&C)" at the right. The close button closes the dialog; the caller
// connects the action.
struct DialogButtons {
    QPushButton* action;
    QPushButton* close;
};
DialogButtons addDialogButtons(QDialog& dialog, QBoxLayout& layout, const QString& actionName,
                               const QString& actionText,
                               const QString& closeName = QStringLiteral("btnClose"));

#pragma once

// Parts the maintenance windows share.

#include "core/ui/dialogbuttons.h"
#include "core/ui/passwordbox.h"

#include <QString>

class QDialog;
class QFormLayout;
class QLabel;
class QWidget;

// A label naming the box (its buddy), so that Alt and screen readers reach the box.
QLabel* buddyLabel(QWidget* parent, const QString& name, const QString& text, QWidget* buddy);

// A form of labelled boxes with the spacing of the maintenance dialogs.
QFormLayout* dialogFields();

// Lays the fields above the default button and "关闭(&C)" (btnClose, which closes the dialog);
// the dialog keeps that size.
DialogButtons layOutDialog(QDialog& dialog, QFormLayout* fields, const QString& actionName,
                           const QString& actionText);

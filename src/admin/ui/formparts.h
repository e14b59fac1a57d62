#pragma once

// Parts the maintenance windows share.

#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

// A box that shows "*" for each character typed.
QLineEdit* passwordBox(QWidget* parent, const QString& name);
// A label naming the box (its buddy), so that Alt and screen readers reach the box.
QLabel* buddyLabel(QWidget* parent, const QString& name, const QString& text, QWidget* buddy);

#pragma once

#include <QString>

class QLineEdit;
class QWidget;

// A box that shows "*" for each character typed. The character comes from a style of the
// box's own: a style sheet would do it too, but parsing one made the login window come up
// noticeably later.
QLineEdit* passwordBox(QWidget* parent, const QString& name);

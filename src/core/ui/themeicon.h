#pragma once

#include <QIcon>
#include <QString>

// An icon of the desktop's theme, looked up the first time it is drawn or asked about.
// Looking up the main window's pictures took a quarter of the start-up, and the main window
// is hidden until the login is done.
QIcon themeIcon(const QString& name);

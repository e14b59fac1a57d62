#pragma once

#include <QString>

// How the program names itself: the main window's caption and the version it carries.
namespace productinfo {

inline const QString kMainCaption = QStringLiteral("Vesk进销存管理软件 V8.8");
inline const QString kVersion = QStringLiteral("V8.8");

} // namespace productinfo

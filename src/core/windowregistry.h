#pragma once

#include <QString>
#include <functional>

// The main window knows the windows it opens only by their class names; app/ creates each
// window at start-up and registers how to open it.
namespace windows {

using Opener = std::function<void()>;

void registerOpener(const QString& windowClass, Opener opener);
bool hasOpener(const QString& windowClass);
// Opens the window; false when no window of that name is registered.
bool open(const QString& windowClass);
void clearOpeners();

} // namespace windows

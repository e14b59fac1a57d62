#pragma once

#include <memory>

// Every window of the program but the main window, each made once, the first time it is
// opened or another window needs it, and registered for the main window's entries.
class WindowSet {
public:
    WindowSet();
    ~WindowSet();

private:
    struct Windows;
    std::unique_ptr<Windows> windows_;
};

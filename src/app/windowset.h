#pragma once

#include <memory>

// Every window of the program but the main window, each created once at start-up (none
// touches the book while being created) and registered for the main window's entries.
class WindowSet {
public:
    WindowSet();
    ~WindowSet();

private:
    struct Windows;
    std::unique_ptr<Windows> windows_;
};

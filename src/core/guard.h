#pragma once

#include <functional>

// Runs a handler; an exception it lets escape ends the handler and is shown in the error
// report, so that none ever crosses the event loop. Returns false when one escaped.
bool runGuarded(const std::function<void()>& handler);

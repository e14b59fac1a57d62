#pragma once

#include <functional>
#include <memory>

// A window made the first time it is needed: creating all of them before the login made the
// start-up wait for windows a person may never open. Windows touch no book while being made,
// and each keeps its state from its first showing on, so when it is made is not observable.
template <typename Window> class OnFirstUse {
public:
    using Make = std::function<std::unique_ptr<Window>()>;

    explicit OnFirstUse(Make make) : make_(std::move(make)) {}
    OnFirstUse(const OnFirstUse&) = delete;
    OnFirstUse& operator=(const OnFirstUse&) = delete;

    Window& operator*() {
        if (!window_)
            window_ = make_();
        return *window_;
    }
    Window* operator->() { return &**this; }

private:
    Make make_;
    std::unique_ptr<Window> window_;
};

#pragma once

#include "core/guard.h"

#include <QObject>
#include <type_traits>
#include <utility>

// Connects a signal to a handler through runGuarded, so that no exception of the handler
// crosses the event loop. The handler may take the signal's arguments or none.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, const QObject* context,
                                       Handler handler) {
    return QObject::connect(
        sender, signal, context, [handler = std::move(handler)](auto&&... args) {
            runGuarded([&] {
                if constexpr (std::is_invocable_v<const Handler&, decltype(args)...>)
                    handler(std::forward<decltype(args)>(args)...);
                else
                    handler();
            });
        });
}

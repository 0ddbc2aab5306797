#pragma once

#include <QObject>
#include <type_traits>

#include "platform/CommandQueue.h"

namespace vt {

// The one way a control reaches a handler that may talk to the indicator or
// the PLC, or show a box, a question, a window or a file dialog: through the
// command queue, so that the handler never runs inside another command's
// wait. The handler takes the signal's arguments, or none.
template <class Control, class Signal, class Handler>
void OnPress(CommandQueue& queue, Control* control, Signal signal, QObject* context, Handler handler) {
  QObject::connect(control, signal, context, [&queue, handler](auto... arguments) {
    queue.Run([handler, arguments...] {
      if constexpr (std::is_invocable_v<const Handler&, decltype(arguments)...>) {
        handler(arguments...);
      } else {
        handler();
      }
    });
  });
}

}  // namespace vt

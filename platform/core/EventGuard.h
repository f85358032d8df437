#pragma once
// The one catch point between the event loop and program code: an exception
// escaping a handler is shown in the application's error box and the program
// goes on (Qt aborts if an exception crosses its event loop).
#include <exception>
#include <utility>

namespace platform {

void ShowException(const std::exception &error);
void ShowUnknownException();

template <typename Handler> void Guarded(Handler &&handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (const std::exception &error) {
    ShowException(error);
  } catch (...) {
    ShowUnknownException();
  }
}

} // namespace platform

#pragma once
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

namespace vantrel {

// Runs the tick handlers of a window's timers. A handler always runs to its
// end before the next one starts: none runs inside another, even when one
// ends up in a modal loop that dispatches the next tick. And none opens a
// modal box itself: an error a handler throws is shown after it has
// returned, and a text once shown is not shown again, so a fault met on
// every tick (or every profile switch) is told once, not once per tick.
class TickRunner {
 public:
  // Posted to the owner when there is something to show; the owner answers
  // it with ShowDeferred.
  static constexpr UINT kShowDeferredMessage = WM_APP + 2;

  void Attach(HWND owner) { owner_ = owner; }

  // Runs `handler` unless a handler is running already (that tick is
  // skipped, as the timer would skip it if the handler had taken longer).
  template <class Handler>
  void Run(Handler&& handler) noexcept {
    if (running_) return;
    running_ = true;
    try {
      handler();
    } catch (const std::exception& e) {
      Defer(e.what());
    } catch (...) {
      Defer("Unexpected error");
    }
    running_ = false;
  }
  bool Running() const { return running_; }

  // An error to show once the running handler has returned.
  void Defer(const std::string& text) noexcept;
  // Shows what was deferred, one box at a time.
  void ShowDeferred() noexcept;

 private:
  HWND owner_ = nullptr;
  bool running_ = false;
  bool showing_ = false;
  std::vector<std::string> pending_;
  std::vector<std::string> shown_;
};

}  // namespace vantrel

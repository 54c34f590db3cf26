#include "ui/TimerTicks_win.h"

#include <algorithm>

#include "ui/ErrorBox_win.h"

namespace vantrel {

namespace {
bool Holds(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}
}  // namespace

void TickRunner::Defer(const std::string& text) noexcept {
  try {
    if (Holds(shown_, text) || Holds(pending_, text)) return;
    pending_.push_back(text);
    // A box already up takes the new text in turn when it closes.
    if (pending_.size() == 1 && !showing_ && owner_)
      PostMessageA(owner_, kShowDeferredMessage, 0, 0);
  } catch (...) {
    // Out of memory: the error goes untold rather than ending the program.
  }
}

void TickRunner::ShowDeferred() noexcept {
  if (showing_) return;
  showing_ = true;
  try {
    while (!pending_.empty()) {
      const std::string text = pending_.front();
      pending_.erase(pending_.begin());
      shown_.push_back(text);
      ShowError(text);  // its message loop goes on running the timers
    }
  } catch (...) {
    // Out of memory: what is left goes untold.
  }
  showing_ = false;
}

}  // namespace vantrel

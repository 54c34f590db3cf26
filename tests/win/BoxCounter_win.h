#pragma once
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "win/DialogAnswer_win.h"

namespace vantrel::test {

// Presses OK on every error box `thread` shows until it is stopped, keeping
// their texts: a test sees how many boxes a step showed, and a box that
// should not come never blocks it.
class BoxCounter {
 public:
  explicit BoxCounter(DWORD thread)
      : worker_([this, thread] {
          while (!stop_) {
            Sleep(10);
            if (const HWND box = VisibleDialogOf(thread)) Answer(box);
          }
        }) {}
  ~BoxCounter() { Stop(); }
  BoxCounter(const BoxCounter&) = delete;
  BoxCounter& operator=(const BoxCounter&) = delete;

  // The texts of the boxes answered so far, once they are all answered.
  const std::vector<std::string>& Stop() {
    if (worker_.joinable()) {
      stop_ = true;
      worker_.join();
    }
    return texts_;
  }

 private:
  void Answer(HWND box) {
    texts_.push_back(BoxText(box));
    // Sent, not posted: the box is gone before the next look, so it is never counted twice.
    SendMessageA(box, WM_COMMAND, IDOK, 0);
  }

  std::atomic<bool> stop_{false};
  std::vector<std::string> texts_;
  std::thread worker_;
};

}  // namespace vantrel::test

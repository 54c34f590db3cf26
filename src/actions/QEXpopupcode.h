#pragma once
#include "app/Window_win.h"

namespace vantrel {

// The profile popup: a small borderless window, always on top and without a
// task-bar button, naming the current and the next profile.
class TpopupINI : public ShellForm<TpopupINI> {
 public:
  void Create(HWND mainWindow);
};

}  // namespace vantrel

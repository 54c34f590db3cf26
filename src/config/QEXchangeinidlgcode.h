#pragma once
#include "app/Window_win.h"

namespace vantrel {

// The profile list dialog: the profiles a profile-switching entry cycles through.
class TIniFrm : public ShellForm<TIniFrm> {
 public:
  void Create(HWND mainWindow);
};

}  // namespace vantrel

#pragma once
#include "app/Window_win.h"

namespace vantrel {

// The key binding dialog: captures a key and its modifier.
class TBindEmulDlg : public ShellForm<TBindEmulDlg> {
 public:
  void Create(HWND mainWindow);
};

}  // namespace vantrel

#pragma once
#include "app/Window_win.h"

namespace vantrel {

// The mouse action dialog.
class TClickDlg : public ShellForm<TClickDlg> {
 public:
  void Create(HWND mainWindow);
};

}  // namespace vantrel

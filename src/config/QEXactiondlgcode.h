#pragma once
#include "app/Window_win.h"

namespace vantrel {

// The action dialog: chooses what kind of action an entry gets.
class TActionDlg : public ShellForm<TActionDlg> {
 public:
  void Create(HWND mainWindow);
};

}  // namespace vantrel

#pragma once
#include "app/Window_win.h"

namespace vantrel {

// The options window. Created last of all windows; its creation runs the
// settings load, which configures the windows created before it.
class TOptionsFrm : public ShellForm<TOptionsFrm> {
 public:
  void Create(HWND mainWindow);
  void FormCreate();

 private:
  void LoadSettings();
};

}  // namespace vantrel

#pragma once
#include "ui/Window_win.h"

namespace vantrel {

// The Help window, showing readme.txt from the executable's folder.
class THelpFrm : public ShellForm<THelpFrm> {
 public:
  void Create(HWND mainWindow);
};

}  // namespace vantrel

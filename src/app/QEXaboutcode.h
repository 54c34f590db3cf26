#pragma once
#include "ui/Window_win.h"

namespace vantrel {

// The About window: name, version and links. The main window is disabled while it is up.
class TAboutBox : public ShellForm<TAboutBox> {
 public:
  void Create(HWND mainWindow);
};

}  // namespace vantrel

#include "actions/QEXpopupcode.h"

namespace vantrel {

void TpopupINI::Create(HWND mainWindow) {
  // Not owned by the main window: it must show over other programs while the
  // main window is hidden in the tray.
  CreateForm({.window = {.className = "TpopupINI",
                         .style = WS_POPUP,
                         .exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                         .clientWidth = 139,
                         .clientHeight = 41},
              .mainWindow = mainWindow});
}

}  // namespace vantrel

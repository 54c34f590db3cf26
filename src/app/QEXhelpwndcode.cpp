#include "app/QEXhelpwndcode.h"

namespace vantrel {

void THelpFrm::Create(HWND mainWindow) {
  CreateForm({.window = {.className = "THelpFrm",
                         .caption = "Help",
                         .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                         .clientWidth = 369,
                         .clientHeight = 199,
                         .owner = mainWindow},
              .mainWindow = mainWindow,
              .placement = Placement::CentreOnMain});
}

}  // namespace vantrel

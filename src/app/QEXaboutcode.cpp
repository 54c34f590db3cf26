#include "app/QEXaboutcode.h"

namespace vantrel {

void TAboutBox::Create(HWND mainWindow) {
  CreateForm({.window = {.className = "TAboutBox",
                         .caption = "About",
                         .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
                         .exStyle = kDialogFrameExStyle,
                         .clientWidth = 186,
                         .clientHeight = 123,
                         .owner = mainWindow},
              .mainWindow = mainWindow,
              .placement = Placement::CentreOnScreen,
              .enablesMainOnClose = true});
}

}  // namespace vantrel

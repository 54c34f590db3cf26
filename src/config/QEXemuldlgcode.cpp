#include "config/QEXemuldlgcode.h"

namespace vantrel {

void TBindEmulDlg::Create(HWND mainWindow) {
  CreateForm({.window = {.className = "TBindEmulDlg",
                         .caption = "Keyboard",
                         .style = kFixedDialogStyle,
                         .exStyle = kDialogFrameExStyle,
                         .clientWidth = 238,
                         .clientHeight = 84,
                         .owner = mainWindow},
              .mainWindow = mainWindow,
              .placement = Placement::CentreOnMain});
}

}  // namespace vantrel

#include "config/QEXclickdlgcode.h"

namespace vantrel {

void TClickDlg::Create(HWND mainWindow) {
  CreateForm({.window = {.className = "TClickDlg",
                         .caption = "Mouse",
                         .style = kFixedDialogStyle,
                         .exStyle = 0,
                         .clientWidth = 153,
                         .clientHeight = 73,
                         .owner = mainWindow},
              .mainWindow = mainWindow,
              .placement = Placement::CentreOnMain});
}

}  // namespace vantrel

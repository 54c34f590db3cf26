#include "config/QEXactiondlgcode.h"

namespace vantrel {

void TActionDlg::Create(HWND mainWindow) {
  CreateForm({.window = {.className = "TActionDlg",
                         .caption = "Action",
                         .style = kFixedDialogStyle,
                         .exStyle = 0,
                         .clientWidth = 145,
                         .clientHeight = 129,
                         .owner = mainWindow},
              .mainWindow = mainWindow,
              .placement = Placement::CentreOnMain,
              .enablesMainOnClose = true});
}

}  // namespace vantrel

#include "config/QEXchangeinidlgcode.h"

namespace vantrel {

void TIniFrm::Create(HWND mainWindow) {
  CreateForm({.window = {.className = "TIniFrm",
                         .caption = "Change settings",
                         .style = kFixedDialogStyle,
                         .exStyle = 0,
                         .clientWidth = 367,
                         .clientHeight = 208,
                         .owner = mainWindow},
              .mainWindow = mainWindow,
              .placement = Placement::CentreOnMain});
}

}  // namespace vantrel

#include <windows.h>

#include <commctrl.h>

#include "app/Application_win.h"
#include "ui/ErrorBox_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    vantrel::Application app;
    app.CreateForms();
    app.Show(showCommand);
    return app.Run();
  } catch (const std::exception& e) {
    // Only a window that could not be created gets here: nothing can run.
    vantrel::ShowError(e);
    return 1;
  }
}

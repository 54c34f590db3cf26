#include <windows.h>

#include <commctrl.h>

#include "app/Application_win.h"
#include "app/SingleInstance_win.h"
#include "base/Library_win.h"
#include "base/SystemFunctions_win.h"
#include "config/SettingsFile_win.h"
#include "ui/ErrorBox_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  // Before anything loads a library: the common controls below, the shell,
  // DirectInput and whatever they import come from the system folder only.
  vantrel::RestrictLibrarySearch();
  // A second start from the same folder only brings the running copy forward;
  // one while that copy is ending runs once it has ended.
  vantrel::SingleInstance instance(vantrel::SettingsFile());
  if (!instance.First() && !instance.TakeOverFromFirst()) return 0;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  vantrel::sys::InitCommonControlsEx(&controls);
  try {
    vantrel::Application app;
    app.CreateForms();
    instance.Publish(app.MainFrm.Handle());
    app.Show(showCommand);
    app.CompleteStartUp();
    return app.Run();
  } catch (const std::exception& e) {
    // Only a window that could not be created gets here: nothing can run.
    vantrel::ShowError(e);
    return 1;
  }
}

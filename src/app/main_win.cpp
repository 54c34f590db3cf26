#include <windows.h>

#include <commctrl.h>

#include "actions/QEXpopupcode.h"
#include "app/ErrorBox_win.h"
#include "app/Forms_win.h"
#include "app/QEXaboutcode.h"
#include "app/QEXhelpwndcode.h"
#include "app/QEXmainwndcode.h"
#include "config/QEXactiondlgcode.h"
#include "config/QEXchangeinidlgcode.h"
#include "config/QEXclickdlgcode.h"
#include "config/QEXemuldlgcode.h"
#include "config/QEXoptionswndcode.h"

namespace {

using namespace vantrel;

// The nine windows, kept for the whole run.
struct Application {
  TMainFrm MainFrm;
  THelpFrm HelpFrm;
  TActionDlg ActionDlg;
  TIniFrm IniFrm;
  TClickDlg ClickDlg;
  TBindEmulDlg BindEmulDlg;
  TAboutBox AboutBox;
  TpopupINI popupINI;
  TOptionsFrm OptionsFrm;

  // In this order: each creation handler may rely on the windows before it,
  // and the options window's runs the settings load, which needs them all.
  void CreateForms() {
    AppForms& forms = Forms();
    forms.MainFrm = &MainFrm;
    MainFrm.Create();  // activates the tray icon before any other window exists
    const HWND main = MainFrm.Handle();
    forms.HelpFrm = &HelpFrm;
    HelpFrm.Create(main);
    forms.ActionDlg = &ActionDlg;
    ActionDlg.Create(main);
    forms.IniFrm = &IniFrm;
    IniFrm.Create(main);
    forms.ClickDlg = &ClickDlg;
    ClickDlg.Create(main);
    forms.BindEmulDlg = &BindEmulDlg;
    BindEmulDlg.Create(main);
    forms.AboutBox = &AboutBox;
    AboutBox.Create(main);
    forms.popupINI = &popupINI;
    popupINI.Create(main);
    forms.OptionsFrm = &OptionsFrm;
    OptionsFrm.Create(main);
  }

  int Run() {
    MSG msg{};
    BOOL got;
    while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
      if (got == -1) return 1;
      if (MainFrm.FormKeyDown(msg)) continue;
      if (MainFrm.TranslateShortcut(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
  }

  ~Application() { Forms() = AppForms{}; }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    Application app;
    app.CreateForms();
    if (!app.MainFrm.InTray()) app.MainFrm.ShowCentred(showCommand);
    return app.Run();
  } catch (const std::exception& e) {
    // Only a window that could not be created gets here: nothing can run.
    ShowError(e);
    return 1;
  }
}

#include "app/Application_win.h"

#include "app/Forms_win.h"

namespace vantrel {

Application::~Application() { Forms() = AppForms{}; }

void Application::CreateForms() {
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

void Application::Show(int showCommand) {
  if (!MainFrm.InTray()) MainFrm.ShowCentred(showCommand);
}

int Application::Run() {
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

}  // namespace vantrel

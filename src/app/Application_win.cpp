#include "app/Application_win.h"

#include "app/Forms_win.h"

namespace vantrel {

Application::~Application() { Forms() = AppForms{}; }

void Application::CreateForms() {
  AppForms& forms = Forms();
  forms.MainFrm = &MainFrm;
  MainFrm.Create();  // activates the tray icon before any other window exists
  const HWND main = MainFrm.Handle();
  // Each window is known program-wide before its creation runs.
  auto create = [main](auto*& slot, auto& form) {
    slot = &form;
    form.Create(main);
  };
  create(forms.HelpFrm, HelpFrm);
  create(forms.ActionDlg, ActionDlg);
  create(forms.IniFrm, IniFrm);
  create(forms.ClickDlg, ClickDlg);
  create(forms.BindEmulDlg, BindEmulDlg);
  create(forms.AboutBox, AboutBox);
  create(forms.popupINI, popupINI);
  create(forms.OptionsFrm, OptionsFrm);  // last: its creation loads the settings
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

#include "app/Application_win.h"

namespace vantrel {

namespace {
void Trace(void (*stepDone)(const char*), const char* step) {
  if (stepDone) stepDone(step);
}
}  // namespace

void Application::CreateForms() {
  MainFrm.Windows = {.HelpFrm = &HelpFrm,
                     .ActionDlg = &ActionDlg,
                     .AboutBox = &AboutBox,
                     .OptionsFrm = &OptionsFrm,
                     .popupINI = &popupINI,
                     .Secondary = {&HelpFrm, &ActionDlg, &IniFrm, &ClickDlg, &BindEmulDlg,
                                   &AboutBox, &popupINI, &OptionsFrm},
                     .Translated = {&HelpFrm, &ClickDlg, &BindEmulDlg, &OptionsFrm, &popupINI,
                                    &ActionDlg, &IniFrm}};
  MainFrm.Create();
  Trace(StepDone, "TMainFrm");
  const HWND main = MainFrm.Handle();
  popupINI.Create(main);
  Trace(StepDone, "TpopupINI");
  OptionsFrm.Create(main, MainFrm, popupINI);  // loads the settings; its window waits
  Trace(StepDone, "the settings load");
}

void Application::Show(int showCommand) {
  if (!MainFrm.InTray()) MainFrm.ShowCentred(showCommand);
}

void Application::CompleteStartUp() {
  MainFrm.CompleteStartUp();
  Trace(StepDone, "joystick and tray icon");
}

int Application::Run() {
  MSG msg{};
  BOOL got;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    Dispatch(msg);
  }
  return static_cast<int>(msg.wParam);
}

// Tab and Shift+Tab move between a window's controls, Enter presses its OK
// and Esc its Cancel, as in any dialog. The key dialog is left out: there
// every key is one to capture.
bool Application::Navigate(MSG& msg) {
  // System keys stay with the menus and the Alt+F4 rule.
  if ((msg.message != WM_KEYDOWN && msg.message != WM_KEYUP && msg.message != WM_CHAR) || !msg.hwnd)
    return false;
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (!root || root == BindEmulDlg.Handle() || root == popupINI.Handle()) return false;
  for (const Form* form : MainFrm.Windows.Secondary)
    if (form->Handle() == root) return IsDialogMessageA(root, &msg) != FALSE;
  return root == MainFrm.Handle() && IsDialogMessageA(root, &msg) != FALSE;
}

void Application::Dispatch(MSG& msg) {
  if (MainFrm.FormKeyDown(msg)) return;
  if (MainFrm.TranslateShortcut(msg)) return;
  if (BindEmulDlg.Exists() && BindEmulDlg.Get().PreviewKey(msg)) return;
  if (Navigate(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

}  // namespace vantrel

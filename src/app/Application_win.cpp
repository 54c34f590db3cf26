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
                     .ProgramsDlg = &ProgramsDlg,
                     .AboutBox = &AboutBox,
                     .OptionsFrm = &OptionsFrm,
                     .popupINI = &popupINI,
                     .Secondary = {&HelpFrm, &ActionDlg, &IniFrm, &ClickDlg, &BindEmulDlg,
                                   &AboutBox, &popupINI, &OptionsFrm, &ProgramsDlg},
                     .Translated = {&HelpFrm, &ClickDlg, &BindEmulDlg, &OptionsFrm, &popupINI,
                                    &ActionDlg, &IniFrm, &ProgramsDlg},
                     .EndOfProgram = [this] { OptionsFrm.EndOfProgram(); }};
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

// Waits for a message or for the controller's event: a change of the
// controller is read the moment the device reports it, on this one thread,
// between two messages, never inside a handler.
int Application::Run() {
  for (;;) {
    // The controller's event, and the ends of the ruled programs.
    HANDLE handles[MAXIMUM_WAIT_OBJECTS];
    DWORD count = 0;
    const HANDLE input = MainFrm.InputEvent();
    if (input) handles[count++] = input;
    for (const HANDLE ruled : MainFrm.WatchedProcesses()) handles[count++] = ruled;
    const DWORD woke = MsgWaitForMultipleObjectsEx(count, count ? handles : nullptr, INFINITE,
                                                   QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke < WAIT_OBJECT_0 + count) {
      if (handles[woke - WAIT_OBJECT_0] == input)
        MainFrm.InputSignalled();
      else
        MainFrm.WatchedProcessEnded(handles[woke - WAIT_OBJECT_0]);
    }
    // The messages waiting are taken in any case: a controller that changes
    // all the time must not starve the windows.
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
      Dispatch(msg);
    }
  }
}

// Tab and Shift+Tab move between a window's controls, Enter presses the
// focused push button (OK from any other control) and Esc the Cancel, as in
// any dialog. The key dialog is left out: there every key is one to capture.
bool Application::Navigate(MSG& msg) {
  // System keys stay with the menus and the Alt+F4 rule.
  if ((msg.message != WM_KEYDOWN && msg.message != WM_KEYUP && msg.message != WM_CHAR) || !msg.hwnd)
    return false;
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (!root || root == BindEmulDlg.Handle() || root == popupINI.Handle()) return false;
  bool ours = root == MainFrm.Handle();
  for (const Form* form : MainFrm.Windows.Secondary) ours = ours || form->Handle() == root;
  if (!ours) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && PressFocusedButton(root))
    return true;
  // A multi-line text keeps Esc to itself: the window closes all the same.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && root == HelpFrm.Handle()) {
    HelpFrm.Close();
    return true;
  }
  return IsDialogMessageA(root, &msg) != FALSE;
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

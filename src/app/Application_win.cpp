#include "app/Application_win.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "base/Clock_win.h"

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
                     .ChordsDlg = &ChordsDlg,
                     .ChordRowHeld =
                         [this](std::uint8_t entry, bool held) {
                           if (ChordsDlg.Visible()) ChordsDlg.Get().RowHeld(entry, held);
                         },
                     .ChordEditingEnded =
                         [this] {
                           if (ChordsDlg.Visible()) ChordsDlg.Get().MainEnabled();
                         },
                     .AboutBox = &AboutBox,
                     .OptionsFrm = &OptionsFrm,
                     .popupINI = &popupINI,
                     .LayerIndicator = &LayerIndicator,
                     .Secondary = {&HelpFrm, &ActionDlg, &IniFrm, &ClickDlg, &BindEmulDlg,
                                   &AboutBox, &popupINI, &OptionsFrm, &ProgramsDlg, &LayerDlg,
                                   // after the binding dialogs: their Cancel restores
                                   // the chord's action it still edits
                                   &ChordsDlg},
                     .Translated = {&HelpFrm, &ClickDlg, &BindEmulDlg, &OptionsFrm, &popupINI,
                                    &ActionDlg, &IniFrm, &ProgramsDlg, &LayerDlg, &ChordsDlg},
                     .EndOfProgram = [this] { OptionsFrm.EndOfProgram(); }};
  MainFrm.Create();
  Trace(StepDone, "TMainFrm");
  const HWND main = MainFrm.Handle();
  popupINI.Create(main);
  Trace(StepDone, "TpopupINI");
  LayerIndicator.Create();
  Trace(StepDone, "TLayerIndicator");
  // Loads the settings; its window waits.
  OptionsFrm.Create(main, MainFrm, popupINI, LayerIndicator);
  Trace(StepDone, "the settings load");
}

void Application::Show(int showCommand) {
  if (!MainFrm.InTray()) MainFrm.ShowCentred(showCommand);
}

void Application::CompleteStartUp() {
  MainFrm.CompleteStartUp();
  Trace(StepDone, "joystick and tray icon");
}

// Waits for a message, for the controller's event, for the end of a ruled
// program, or for the moment timed work is due: a change of the controller
// is read the moment the device reports it, on this one thread, between two
// messages, never inside a handler.
int Application::Run() {
  for (;;) {
    MainFrm.OwnLoopTurns();
    MainFrm.RunDue();
    // The controller's event, the ends of the ruled programs, the timer.
    HANDLE handles[MAXIMUM_WAIT_OBJECTS - 1];
    DWORD count = 0;
    const HANDLE input = MainFrm.InputEvent();
    if (input) handles[count++] = input;
    const std::vector<HANDLE> ruled = MainFrm.WatchedProcesses();
    for (const HANDLE process : ruled)
      if (count < std::size(handles) - 1) handles[count++] = process;
    const Millis due = MainFrm.NextDue();
    const HANDLE timer = MainFrm.Due.Handle();
    DWORD timeout = INFINITE;
    if (due != kNever) {
      const Millis now = Now();
      MainFrm.Due.Set(due, now);
      if (timer)
        handles[count++] = timer;
      else
        timeout = static_cast<DWORD>(std::clamp<Millis>(due - now, 0, 60000));
    } else {
      MainFrm.Due.Set(kNever, 0);
    }
    const DWORD woke = MsgWaitForMultipleObjectsEx(count, count ? handles : nullptr, timeout,
                                                   QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    // Every handle that is signalled is served on each turn, not only the
    // first the wait names: a controller that signals every millisecond
    // must not keep a ruled program's end from being seen.
    if (woke < WAIT_OBJECT_0 + count) {
      if (input && WaitForSingleObject(input, 0) == WAIT_OBJECT_0) MainFrm.InputSignalled();
      for (const HANDLE process : ruled) {
        // One program's end may take others off the list.
        const std::vector<HANDLE>& now = MainFrm.WatchedProcesses();
        if (std::find(now.begin(), now.end(), process) != now.end() &&
            WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
          MainFrm.WatchedProcessEnded(process);
      }
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
  // System keys stay with the menus and the Alt+F4 rule, but for the access
  // keys (Alt and a letter) of the layer, action and chords dialogs.
  const bool accessKey = msg.message == WM_SYSCHAR;
  if ((msg.message != WM_KEYDOWN && msg.message != WM_KEYUP && msg.message != WM_CHAR &&
       !accessKey) ||
      !msg.hwnd)
    return false;
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (!root || root == BindEmulDlg.Handle() || root == popupINI.Handle()) return false;
  if (accessKey && root != LayerDlg.Handle() && root != ActionDlg.Handle() &&
      root != ChordsDlg.Handle())
    return false;
  bool ours = root == MainFrm.Handle();
  for (const Form* form : MainFrm.Windows.Secondary) ours = ours || form->Handle() == root;
  if (!ours) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && PressFocusedButton(root)) return true;
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

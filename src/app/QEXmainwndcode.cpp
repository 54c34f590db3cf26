#include "app/QEXmainwndcode.h"

#include <dbt.h>

#include <iterator>
#include <optional>

#include "app/MainMenu_win.h"
#include "app/RowLayout.h"
#include "app/SingleInstance_win.h"
#include "base/Clock_win.h"
#include "bindings/Profile.h"
#include "config/ProfileFile_win.h"
#include "config/SettingsFile_win.h"
#include "resource.h"
#include "ui/AccessKey.h"
#include "ui/ErrorBox_win.h"
#include "ui/FileDialog_win.h"
#include "ui/ModalLoop_win.h"

namespace vantrel {

TMainFrm::TMainFrm() = default;

void TMainFrm::Create() {
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  restoreRequest_ = RegisterWindowMessageA(SingleInstance::kRestoreMessage);
  static constexpr ACCEL kShortcuts[] = {
      {FVIRTKEY | FCONTROL, 'O', IDM_OPEN},
      {FVIRTKEY | FCONTROL, 'S', IDM_SAVE},
      {FVIRTKEY | FCONTROL, 'Q', IDM_EXIT},
  };
  shortcuts_.reset(CreateAcceleratorTableA(const_cast<ACCEL*>(kShortcuts),
                                           static_cast<int>(std::size(kShortcuts))));
  std::unique_ptr<std::remove_pointer_t<HMENU>, decltype(&DestroyMenu)> menu(BuildMainMenu(),
                                                                             &DestroyMenu);
  CreateWithParams({.className = "TMainFrm",
                    .caption = kCaption,
                    // The group boxes paint their own background and the rows in it. The
                    // sizing frame is for the lower edge alone (VerticalOnly).
                    .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                             WS_THICKFRAME | WS_CLIPCHILDREN,
                    .clientWidth = kClientWidth,
                    .clientHeight = kClientHeight,
                    .menu = menu.get()});
  menu.release();  // the window owns it now
  ReadStoredHeight();
}

void TMainFrm::ShowCentred(int showCommand) {
  CentreBeforeFirstShow();
  ShowWindow(Handle(), showCommand);
  UpdateWindow(Handle());
}

void TMainFrm::CentreBeforeFirstShow() {
  if (placed_) return;
  placed_ = true;
  PlaceWindow(Handle(), Placement::CentreOnScreen, nullptr);
}

LRESULT TMainFrm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == restoreRequest_ && restoreRequest_ != 0) {
    RestoreFromTray();  // a second start of the program asks for this copy
    return 1;
  }
  if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
    TrayIcon.Readd();  // the shell restarted and forgot the icon
    return 0;
  }
  switch (msg) {
    case WM_CREATE: FormCreate(); return 0;
    case WM_COMMAND:
      if (lParam == 0)  // menu items and shortcuts
        OnCommand(LOWORD(wParam));
      else  // the rows and arrows, passed on by their group boxes
        OnControlCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      return 0;
    case WM_DRAWITEM:
      if (Rows.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_CTLCOLORSTATIC:
      if (HBRUSH brush =
              Rows.DisplayColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
        return reinterpret_cast<LRESULT>(brush);
      break;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_DPICHANGED:
      // The rows take the new dpi first: the window's new size lays them out.
      // The suggested rectangle's height is no choice of the user's: the rows
      // are laid out once, for the height FitToRows gives.
      Rows.SetDpi(HIWORD(wParam), Kept());
      changingDpi_ = true;
      ChangeDpi(wParam, lParam);
      changingDpi_ = false;
      FitToRows();
      return 0;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_NCHITTEST: return VerticalOnly(DefaultHandling(msg, wParam, lParam));
    case WM_ENTERSIZEMOVE: {
      RECT r{};
      GetWindowRect(Handle(), &r);
      heightAtSizeStart_ = r.bottom - r.top;
      break;
    }
    case WM_EXITSIZEMOVE: OnExitSizeMove(); break;
    case WM_DEVICECHANGE:
      // A device came or went, the system does not say which: look again
      // once it has settled.
      if (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE ||
          wParam == DBT_DEVNODES_CHANGED)
        ScheduleRescans();
      return TRUE;
    case WM_POWERBROADCAST:
      // Woken from sleep, a wireless pad may have gone and come back.
      if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) ScheduleRescans();
      return TRUE;
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
      DXInput1.HandleActivation(msg, wParam);  // acquires the joystick again
      break;
    case WM_WTSSESSION_CHANGE: OnSessionChange(wParam); return 0;
    case kLaunchMessage: LaunchPending(); return 0;
    case kFollowFrontMessage: Ticks.Run([this] { FollowFront(); }); return 0;
    case WM_SYSCOMMAND:
      // Minimising goes to the tray instead of the task bar.
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        MinimizeToTray();
        return 0;
      }
      break;
    case WM_SIZE:
      // Minimised by other means (a minimised start, the shell's "minimise all").
      if (wParam == SIZE_MINIMIZED && !inTray_) MinimizeToTray();
      if (wParam == SIZE_RESTORED && !changingDpi_) LayOutRows();
      return 0;
    case NotifyIcon::kCallbackMessage: OnTrayIcon(LOWORD(lParam)); return 0;
    case TickRunner::kShowDeferredMessage: Ticks.ShowDeferred(); return 0;
    case WM_CLOSE: FormClose(); return 0;
    case WM_QUERYENDSESSION: return TRUE;  // nothing to save, never objects
    case WM_ENDSESSION:
      // The session ends without a close: let go of what is held down first.
      if (wParam) {
        Actions.ReleaseAll(Now());
        if (Windows.EndOfProgram) Windows.EndOfProgram();
        TrayIcon.Deactivate();
      }
      return 0;
    case WM_ENABLE:
      if (!wParam) return 0;
      if (Windows.ChordEditingEnded) Windows.ChordEditingEnded();
      if (!IsWindowEnabled(Handle())) return 0;  // the chords dialog holds it still
      // A dialog of the program closed. The options may have built the rows
      // afresh and loaded them back as base rows.
      if (Editor.Layer > 0) ShowLayerRows();
      FollowPendingFront();
      return 0;
    case WM_DESTROY:
      StopFollowingFront();
      UnregisterForSessions();
      PostQuitMessage(0);
      return 0;
  }
  return DefaultHandling(msg, wParam, lParam);
}

bool TMainFrm::FormKeyDown(const MSG& msg) {
  // Alt+F4 arrives as a system key with the context bit (29) set while Alt is held.
  constexpr LPARAM kAltHeld = LPARAM{1} << 29;
  if (msg.message != WM_SYSKEYDOWN || msg.wParam != VK_F4 || !(msg.lParam & kAltHeld)) return false;
  if (!Handle() || (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd))) return false;
  MessageBeep(0);
  return true;
}

void TMainFrm::FormCreate() {
  Rows.CreateGroups(Handle(), Dpi());
  DXInput1.SetOwner(Handle());
  Ticks.Attach(Handle());
  Timer1.Attach(Handle());
  tmrDue.Attach(Handle());
  tmrRescan.Attach(Handle());
  tmrInputCheck.Attach(Handle());
  // The polling starts with the joystick's opening (PollWhereNeeded). A
  // modal loop makes the timers run in place of the program's own loop, and
  // serves the controller at each message it takes.
  ServeModalLoops(
      [](void* self) {
        try {
          static_cast<TMainFrm*>(self)->PollWhereNeeded();
        } catch (const std::exception& e) {
          static_cast<TMainFrm*>(self)->Ticks.Defer(e.what());
        }
      },
      [](void* self) { static_cast<TMainFrm*>(self)->ServeInModalLoop(); }, this);
}

void TMainFrm::CompleteStartUp() {
  // A joystick that refuses to be polled is reported; the program runs on
  // without it.
  try {
    DXInput1.OpenAll();
  } catch (const std::exception& e) {
    ShowError(e);
  }
  ShowControllerRows();
  FillLayerList();  // the names of the profile the settings load loaded
  TrayIcon.Activate(Handle(), TrayIcon.Tip());
  ShowReading();
  PollWhereNeeded();
  RegisterForDevices();
  RegisterForSessions();
  StartFollowingFront();
}

void TMainFrm::FormClose() {
  ServeModalLoops(nullptr, nullptr, nullptr);
  Actions.ReleaseAll(Now());  // no key or mouse button stays down after the program
  if (Windows.EndOfProgram) Windows.EndOfProgram();
  TrayIcon.Deactivate();
  DestroyWindow(Handle());
}

void TMainFrm::OnControlCommand(HWND control, int code) {
  if (control == Rows.cbLayer) {
    if (code == CBN_SELCHANGE) cbLayerChange();
    return;
  }
  // An owner-drawn button reports the second click of a double click on its own.
  if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return;
  if (control == Rows.btnGUp)
    btnGUpClick();
  else if (control == Rows.btnGDown)
    btnGDownClick();
  else if (control == Rows.btnAUp)
    GBoxScrool(static_cast<int>(RowGroup::Axis), kScrollUp);
  else if (control == Rows.btnADown)
    GBoxScrool(static_cast<int>(RowGroup::Axis), kScrollDown);
  else if (Rows.EntryOfButton(control))
    OnbtnJoyClick(control);
  else if (Rows.EntryOfTurbo(control))
    OnchbJoyClick(control);
}

void TMainFrm::OnTrayIcon(UINT mouseMessage) {
  switch (mouseMessage) {
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN: TrayIconClick(); break;
    case WM_RBUTTONDOWN:
      switch (TrayIcon.TrackMenu()) {
        case NotifyIcon::MenuChoice::Settings: PSettingsClick(); break;
        case NotifyIcon::MenuChoice::Exit: PExitClick(); break;
        case NotifyIcon::MenuChoice::None: break;
      }
      break;
  }
}

void TMainFrm::LoadProfile(const std::string& path, std::uint8_t skipEntry) {
  LoadProfileFile(Bindings, path, skipEntry, this);
  ShowLoadedProfile();
  ChoseProfile(path);
}

void TMainFrm::ProfileSwitched(const std::string& currentLine, const std::string& nextLine) {
  Windows.popupINI->ProfileSwitched(currentLine, nextLine);
}

void TMainFrm::MinimizeToTray() {
  for (Form* other : Windows.Secondary)
    if (other->Visible()) other->Close();
  TrayIconAppMinimize();
}

void TMainFrm::TrayIconAppMinimize() {
  // Hidden, the main window has no task-bar button; the timers run on.
  ShowWindow(Handle(), SW_HIDE);
  inTray_ = true;
}

void TMainFrm::RestoreFromTray() {
  inTray_ = false;
  CentreBeforeFirstShow();
  ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
  // While a dialog holds the main window disabled, that dialog comes forward.
  SetForegroundWindow(GetLastActivePopup(Handle()));
}

void TMainFrm::TrayIconClick() { RestoreFromTray(); }

void TMainFrm::PSettingsClick() { RestoreFromTray(); }

void TMainFrm::PExitClick() { SendMessageA(Handle(), WM_CLOSE, 0, 0); }

void TMainFrm::ApplyLanguage() {
  const LanguageTexts& texts = Language();
  // The rows' font and captions with the group boxes' font.
  Rows.ApplyLanguage(texts.Kept());
  SetText(Rows.fsGAxis, texts.Text("MainWindow", "Axis"));
  SetText(Rows.fsGButtons, texts.Text("MainWindow", "Buttons"));
  SetText(Rows.stLayer, texts.Text("MainWindow", "Layer"));
  if (const HMENU bar = GetMenu(Handle())) {
    TranslateMainMenu(bar, texts);
    DrawMenuBar(Handle());
  }
  TrayIcon.SetMenuTexts(texts.Text("TrayIcon", "Settings"), texts.Text("MainWindow", "Exit"));
  ShowReading();
  for (LanguageUser* window : Windows.Translated) window->ApplyLanguage(texts);
  // Key and mouse names follow the language too, and the layers' names.
  for (int e = 1; e < Rows.Slots(); ++e) {
    const auto entry = static_cast<std::uint8_t>(e);
    SetRowText(entry, Bindings.ActToStr(entry, texts.Kept()));
  }
  FillLayerList();
}

}  // namespace vantrel

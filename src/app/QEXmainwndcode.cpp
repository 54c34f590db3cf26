#include "app/QEXmainwndcode.h"

#include <dbt.h>

#include <iterator>
#include <optional>

#include "app/Elevation_win.h"
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

namespace {

struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using MenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

// The items of the File and Help menus: the key of their text and the
// shortcut shown after it, which no pack changes.
struct MenuItem {
  UINT id;
  const char* key;
  const char* shortcut;
};
constexpr MenuItem kFileItems[] = {
    {IDM_OPEN, "Open", "\tCtrl+O"}, {IDM_SAVE, "Save", "\tCtrl+S"}, {IDM_EXIT, "Exit", "\tCtrl+Q"}};
constexpr MenuItem kHelpItems[] = {{IDM_HELP, "Help", ""}, {IDM_ABOUT, "About", ""}};
constexpr MenuItem kOptionsItems[] = {{IDM_OPTIONS, "OptionsItem", ""},
                                      {IDM_PROGRAMS, "Programs", ""}};
// The bar's items by position.
constexpr const char* kBarKeys[] = {"File", "Options", "Help"};

std::string MenuText(const LanguageTexts& texts, const MenuItem& item) {
  return WithAccessKey(texts.Text("MainWindow", item.key)) + item.shortcut;
}

std::string BarText(const LanguageTexts& texts, std::size_t position) {
  return WithAccessKey(texts.Text("MainWindow", kBarKeys[position]));
}

void SetMenuText(HMENU menu, UINT item, bool byPosition, const std::string& text) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<char*>(text.c_str());
  SetMenuItemInfoA(menu, item, byPosition, &info);
}

// Captions are the built-in English ones; the language pack replaces them.
MenuHandle BuildMainMenu() {
  MenuHandle bar(CreateMenu());
  MenuHandle file(CreatePopupMenu());
  MenuHandle help(CreatePopupMenu());
  MenuHandle options(CreatePopupMenu());
  if (!bar || !file || !help || !options) throw AppError("CreateMenu failed");
  const LanguageTexts english;
  for (const MenuItem& item : kFileItems)
    AppendMenuA(file.get(), MF_STRING, item.id, MenuText(english, item).c_str());
  for (const MenuItem& item : kOptionsItems)
    AppendMenuA(options.get(), MF_STRING, item.id, MenuText(english, item).c_str());
  for (const MenuItem& item : kHelpItems)
    AppendMenuA(help.get(), MF_STRING, item.id, MenuText(english, item).c_str());
  // The bar owns its submenus from here on.
  AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file.release()),
              BarText(english, 0).c_str());
  // Options holds the options window and the programs' rules.
  AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(options.release()),
              BarText(english, 1).c_str());
  AppendMenuA(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(help.release()),
              BarText(english, 2).c_str());
  return bar;
}

// The profile dialogs of File/Open and File/Save, opening in the current
// profile's folder. Open accepts names of files that do not exist (they load
// as empty profiles); Save overwrites without asking.
std::optional<std::string> AskProfilePath(HWND owner, const std::string& current, bool save) {
  const FileDialogRequest request{
      .owner = owner, .filter = "Ini Files|*.ini", .initialPath = current};
  return save ? AskSaveFile(request) : AskOpenFile(request);
}

}  // namespace

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
  MenuHandle menu = BuildMainMenu();
  CreateWithParams(
      {.className = "TMainFrm",
       .caption = kCaption,
       // The group boxes paint their own background and the rows in it.
       .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
       .clientWidth = kClientWidth,
       .clientHeight = kClientHeight,
       .menu = menu.get()});
  menu.release();  // the window owns it now
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
      ChangeDpi(wParam, lParam);
      Rows.SetDpi(Dpi(), Kept());
      return 0;
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
      return 0;
    case NotifyIcon::kCallbackMessage: OnTrayIcon(LOWORD(lParam)); return 0;
    case TickRunner::kShowDeferredMessage: Ticks.ShowDeferred(); return 0;
    case WM_CLOSE: FormClose(); return 0;
    case WM_QUERYENDSESSION: return TRUE;  // nothing to save, never objects
    case WM_ENDSESSION:
      // The session ends without a close: let go of what is held down first.
      if (wParam) {
        Actions.ReleaseAll();
        if (Windows.EndOfProgram) Windows.EndOfProgram();
        TrayIcon.Deactivate();
      }
      return 0;
    case WM_ENABLE:
      if (wParam) FollowPendingFront();  // a dialog of the program closed
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

bool TMainFrm::TranslateShortcut(MSG& msg) {
  if (!shortcuts_ || !Handle()) return false;
  if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
  return TranslateAcceleratorA(Handle(), shortcuts_.get(), &msg) != 0;
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
  TrayIcon.Activate(Handle(), TrayIcon.Tip());
  ShowReading();
  PollWhereNeeded();
  RegisterForDevices();
  RegisterForSessions();
  StartFollowingFront();
}


void TMainFrm::FitToRows() {
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE));
  const SIZE size =
      OuterSizeForDpi(kClientWidth, kClientHeight + Rows.Growth(), style, true, exStyle, Dpi());
  SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainFrm::FormClose() {
  ServeModalLoops(nullptr, nullptr, nullptr);
  Actions.ReleaseAll();  // no key or mouse button stays down after the program
  if (Windows.EndOfProgram) Windows.EndOfProgram();
  TrayIcon.Deactivate();
  DestroyWindow(Handle());
}

void TMainFrm::OnCommand(int id) {
  switch (id) {
    case IDM_OPEN: MOpenClick(); break;
    case IDM_SAVE: MSaveClick(); break;
    case IDM_EXIT: MExitClick(); break;
    case IDM_OPTIONS: MOptionsClick(); break;
    case IDM_PROGRAMS: MProgramsClick(); break;
    case IDM_HELP: MHelpClick(); break;
    case IDM_ABOUT: MAboutClick(); break;
  }
}

void TMainFrm::OnControlCommand(HWND control, int code) {
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

// A modal box inside a tick would run the polling inside itself, and stack
// one box per tick; the runner prevents both.
void TMainFrm::OnTimer(UINT_PTR id) {
  if (id == tmrDue.Id()) {
    // It stands in for the polling timer too while it runs.
    if (DXInput1.Joystick.Opened() && Now() - lastRead_ >= Timer1.Interval())
      Ticks.Run([this] { Timer1Timer(); });
    RunDue();
    return;
  }
  Ticks.Run([&] {
    if (id == Timer1.Id() || id == tmrInputCheck.Id())
      Timer1Timer();
    else if (id == tmrRescan.Id())
      tmrRescanTimer();
  });
  PollWhereNeeded();
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

// A cancelled dialog keeps IniPath, and the load or save still runs on it:
// Open reloads the current profile, Save writes it back. With no current
// profile yet there is nothing to reload or write back, so nothing happens
// (rather than loading or saving a file named by an empty path).
void TMainFrm::MOpenClick() {
  if (auto chosen = AskProfilePath(Handle(), IniPath, false))
    IniPath = std::move(*chosen);
  else if (IniPath.empty())
    return;
  LoadProfileFile(Bindings, IniPath, 0, this);
  ChoseProfile(IniPath);
}

// While a rule's profile is in force, Save writes that profile: the user's
// own stays as it was, and stays the one the next start loads.
void TMainFrm::MSaveClick() {
  const bool ruled = Programs.RuleInForce();
  std::string path = ruled ? Programs.InForce() : IniPath;
  if (auto chosen = AskProfilePath(Handle(), path, true))
    path = std::move(*chosen);
  else if (path.empty())
    return;
  path = WithIniExtension(path);
  if (!ruled) IniPath = path;
  SaveProfileFile(Bindings, path, !ruled);
  Programs.Saved(path);
}

void TMainFrm::MExitClick() { SendMessageA(Handle(), WM_CLOSE, 0, 0); }

void TMainFrm::MOptionsClick() {
  Windows.OptionsFrm->Show();
  EnableWindow(Handle(), FALSE);  // the options window enables it again when it closes
}

void TMainFrm::MProgramsClick() {
  Windows.ProgramsDlg->Show();
  EnableWindow(Handle(), FALSE);  // the programs dialog enables it again when it closes
}

void TMainFrm::MHelpClick() { Windows.HelpFrm->Show(); }

void TMainFrm::MAboutClick() {
  Windows.AboutBox->Show();
  EnableWindow(Handle(), FALSE);  // the About window enables it again when it closes
}

HANDLE TMainFrm::InputEvent() const {
  return InputEvents ? DXInput1.Joystick.InputEvent() : nullptr;
}

void TMainFrm::InputSignalled() {
  if (Ticks.Running()) return;
  if (const HANDLE event = InputEvent()) ResetEvent(event);  // this read takes all it told of
  Ticks.Run([this] { Timer1Timer(); });
  PollWhereNeeded();
}

void TMainFrm::Timer1Timer() {
  TJoystick& joystick = DXInput1.Joystick;
  // A stick that is a pointer is read raw, for its direction.
  joystick.SetRawStick(Bindings.PointerEntryOf(PointerStick::XY) != 0);
  const Millis now = lastRead_ = Now();
  Actions.Advance(now);  // what ran until now ran under the sticks as they were
  PollJoystick(
      Bindings, DXInput1, Axes, [this](std::uint8_t entry) { JoyButtonPress(entry); }, now);
  StickReaches reaches;
  for (StickReach& reach : reaches) reach.deadZonePercent = Axes.DeadZoneAxes;
  reaches[0] = {
      static_cast<double>(joystick.RangeX()), static_cast<double>(joystick.RangeY()),
      static_cast<double>(std::max(joystick.AskedDeadZoneX(), joystick.AskedDeadZoneY()))};
  Actions.FollowSticks(DXInput1.Controller().axes, reaches);
  // The read that lost the controller released what it held; it is looked
  // for again, in case it was lost only for a moment.
  if (joystick.TakeLost()) {
    ShowReading();
    ScheduleRescans();
  }
}

bool TMainFrm::AnyHeld() const {
  for (int e = 1; e <= Bindings.EntryCount(); ++e)
    if (Bindings[static_cast<std::uint8_t>(e)].Pressed == 1) return true;
  return false;
}

Millis TMainFrm::NextDue() const { return std::min(Actions.NextDue(), Axes.NextDue()); }

void TMainFrm::RunDue() {
  const Millis now = Now();
  if (NextDue() > now) return;
  Ticks.Run([&] {
    // An axis that has settled in the middle is read again, to let go of
    // the side it held.
    if (Axes.NextDue() <= now)
      Timer1Timer();
    else
      Actions.Advance(now);
  });
  PollWhereNeeded();
}

void TMainFrm::ServeInModalLoop() noexcept {
  try {
    const HANDLE event = InputEvent();
    if (event && WaitForSingleObject(event, 0) == WAIT_OBJECT_0) InputSignalled();
    RunDue();
  } catch (const std::exception& e) {
    Ticks.Defer(e.what());
  }
}

void TMainFrm::OwnLoopTurns() {
  if (vantrel::OwnLoopTurns()) PollWhereNeeded();
}

void TMainFrm::JoyButtonPress(int entry) {
  const auto e = static_cast<std::uint8_t>(entry & 0xFF);
  // A press goes out under the profile of the program in front, even where
  // the system's notice of it never came. Until then it is not held: a
  // switch lets go of what is, and this has gone out under no profile yet.
  if (Bindings.IsEntry(e) && Bindings[e].Pressed == 1) {
    Bindings[e].Pressed = 0;
    FollowFront();
    Bindings[e].Pressed = 1;
  }
  const bool injects = Bindings.IsEntry(e) && Bindings[e].Pressed == 1 && InjectsInput(Bindings[e]);
  Actions.JoyButtonPress(entry);
  // Asked after the input is on its way, so that the asking never delays it.
  if (injects) TellIfElevatedInFront();
}

// The input is sent all the same: the user may start this program as
// administrator, or the other one without.
void TMainFrm::TellIfElevatedInFront() {
  if (Actions.Quiet) return;  // an Off rule's program: nothing went out
  // The same window in front as at the last press: nothing new to ask.
  const HWND window = GetForegroundWindow();
  if (!window || window == lastFront_) return;
  lastFront_ = window;
  const ProgramInFront front = ForegroundProgram();
  if (!front.window) return;
  if (Elevation.ShouldTell(
          front.processId, front.name,
          [] { return ProcessElevated(nullptr, GetCurrentProcessId()); },
          [&] { return ProcessElevated(front.window, front.processId); }))
    TrayIcon.ShowBalloon(kAppTitle,
                         ElevationNoticeText(Language().Text("TrayIcon", "Elevated"), front.name));
}

void TMainFrm::LoadProfile(const std::string& path, std::uint8_t skipEntry) {
  LoadProfileFile(Bindings, path, skipEntry, this);
  ChoseProfile(path);
}

void TMainFrm::ProfileSwitched(const std::string& currentLine, const std::string& nextLine) {
  Windows.popupINI->ProfileSwitched(currentLine, nextLine);
}

void TMainFrm::Launch(const std::string& command) {
  launches_.push_back(command);
  if (launches_.size() == 1) PostMessageA(Handle(), kLaunchMessage, 0, 0);
}

void TMainFrm::LaunchPending() {
  std::vector<std::string> pending = std::exchange(launches_, {});
  for (const std::string& command : pending) {
    ModalLoopSeen();  // the shell may ask something; the controller is read meanwhile
    LaunchProgram(command, Handle());
  }
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

void TMainFrm::Construct(int numOfButtons) {
  Actions.Resize(numOfButtons);
  Rows.Construct(Bindings.NumOfButtons(), Kept(), ControllerRows());
  FitToRows();
  // An input held through the change keeps its red row.
  for (int e = 1; e < Rows.Slots(); ++e)
    if (Bindings[static_cast<std::uint8_t>(e)].Pressed == 1) SetRowHeld(static_cast<std::uint8_t>(e), true);
}

void TMainFrm::ApplyLanguage() {
  const LanguageTexts& texts = Language();
  // The rows' font and captions with the group boxes' font.
  Rows.ApplyLanguage(texts.Kept());
  SetText(Rows.fsGAxis, texts.Text("MainWindow", "Axis"));
  SetText(Rows.fsGButtons, texts.Text("MainWindow", "Buttons"));
  if (const HMENU bar = GetMenu(Handle())) {
    for (UINT i = 0; i < std::size(kBarKeys); ++i) SetMenuText(bar, i, true, BarText(texts, i));
    for (const MenuItem& item : kFileItems) SetMenuText(bar, item.id, false, MenuText(texts, item));
    for (const MenuItem& item : kHelpItems) SetMenuText(bar, item.id, false, MenuText(texts, item));
    for (const MenuItem& item : kOptionsItems)
      SetMenuText(bar, item.id, false, MenuText(texts, item));
    DrawMenuBar(Handle());
  }
  TrayIcon.SetMenuTexts(texts.Text("TrayIcon", "Settings"), texts.Text("MainWindow", "Exit"));
  ShowReading();
  for (LanguageUser* window : Windows.Translated) window->ApplyLanguage(texts);
  // Key and mouse names follow the language too.
  for (int e = 1; e < Rows.Slots(); ++e) {
    const auto entry = static_cast<std::uint8_t>(e);
    SetRowText(entry, Bindings.ActToStr(entry, texts.Kept()));
  }
}

void TMainFrm::GBoxScrool(int group, int direction) { Rows.GBoxScrool(group, direction); }

void TMainFrm::btnGUpClick() { GBoxScrool(static_cast<int>(RowGroup::Buttons), kScrollUp); }

void TMainFrm::btnGDownClick() { GBoxScrool(static_cast<int>(RowGroup::Buttons), kScrollDown); }

void TMainFrm::OnbtnJoyClick(HWND sender) {
  const int e = Rows.EntryOfButton(sender);
  if (!e) return;
  Bindings.CurrentEntry = e;
  char caption[256] = {};
  GetWindowTextA(sender, caption, sizeof caption);
  OnDemandForm& dialog = *Windows.ActionDlg;
  SetWindowTextA(dialog.Created(), (Kept().ActionCaption + " [" + caption + "]").c_str());
  // Disabled, the main window lets the dialog behave as a modal one; the
  // dialog enables it again when the editing ends.
  EnableWindow(Handle(), FALSE);
  dialog.Show();
}

void TMainFrm::OnchbJoyClick(HWND sender) {
  const int e = Rows.EntryOfTurbo(sender);
  if (!e) return;
  Bindings[static_cast<std::uint8_t>(e)].Turbo = Checked(sender);
}

void TMainFrm::EnableMainWindow() { EnableWindow(Handle(), TRUE); }

void TMainFrm::SetRowHeld(std::uint8_t entry, bool held) { Rows.SetHeld(entry, held); }

bool TMainFrm::RowHeld(std::uint8_t entry) const { return Rows.Held(entry); }

bool TMainFrm::TurboChecked(std::uint8_t entry) const {
  return Rows.IsEntry(entry) && Checked(Rows.chbJoy[entry]);
}

std::string TMainFrm::RowText(std::uint8_t entry) const {
  if (!Rows.IsEntry(entry)) return {};
  char text[2048] = {};
  GetWindowTextA(Rows.stJoy[entry], text, sizeof text);
  return text;
}

void TMainFrm::SetRowText(std::uint8_t entry, const std::string& text) {
  if (Rows.IsEntry(entry)) SetWindowTextA(Rows.stJoy[entry], text.c_str());
}

void TMainFrm::SetTurboEnabled(std::uint8_t entry, bool enabled) {
  if (Rows.IsEntry(entry)) EnableWindow(Rows.chbJoy[entry], enabled);
}

void TMainFrm::SetTurboChecked(std::uint8_t entry, bool checked) {
  if (Rows.IsEntry(entry)) SetChecked(Rows.chbJoy[entry], checked);
}

}  // namespace vantrel

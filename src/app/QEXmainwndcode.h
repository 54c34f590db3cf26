#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>

#include <vector>

#include "actions/ActionHost.h"
#include "actions/ElevationNotice.h"
#include "actions/Injection_win.h"
#include "actions/Pipeline.h"
#include "actions/ProfilePopup_win.h"
#include "actions/ProgramRules.h"
#include "app/ButtonRows_win.h"
#include "app/LazyForm_win.h"
#include "app/Tray_win.h"
#include "base/KernelHandle_win.h"
#include "bindings/Binding.h"
#include "config/ChordsHost.h"
#include "config/OptionsHost.h"
#include "config/ProgramsHost.h"
#include "input/DXInput.h"
#include "input/RescanSchedule.h"
#include "lang/LanguageTexts.h"
#include "ui/DueTimer_win.h"
#include "ui/TimerTicks_win.h"
#include "ui/Window_win.h"

namespace vantrel {

class TLayerIndicator;

// The main window: the menus, one row per binding entry, the timers that
// drive the joystick work and the tray icon. It is the application's main
// window: closing it ends the program, after letting go of every key and
// mouse button its bindings still hold down.
class TMainFrm : public Window<TMainFrm>,
                 public OptionsHost,
                 public ProgramsHost,
                 public ChordsHost,
                 private ActionHost,
                 private RuleTarget {
 public:
  // The windows the main window opens, set before it is created.
  struct Links {
    Form* HelpFrm = nullptr;
    OnDemandForm* ActionDlg = nullptr;  // captioned for the row before it shows
    Form* ProgramsDlg = nullptr;
    Form* ChordsDlg = nullptr;
    // The chords dialog, while it is open, follows the rows held, and takes
    // the main window back when the editing of a chord's action ends.
    std::function<void(std::uint8_t, bool)> ChordRowHeld;
    std::function<void()> ChordEditingEnded;
    Form* AboutBox = nullptr;
    Form* OptionsFrm = nullptr;
    ProfilePopup* popupINI = nullptr;
    // Names the layer that decides as it changes.
    TLayerIndicator* LayerIndicator = nullptr;
    // Every window but this one, closed when the program goes to the tray.
    std::vector<Form*> Secondary;
    // The windows that take a new language after this one, in that order.
    std::vector<LanguageUser*> Translated;
    // Run as the program ends (closed, or the session ending), after every
    // key and button held was let go of: what the other windows leave behind.
    std::function<void()> EndOfProgram;
  };

  static constexpr char kCaption[] = "Vantrel 1.0";
  // Posted to itself: start the programs that presses asked for.
  static constexpr UINT kLaunchMessage = WM_APP + 3;
  // Posted to itself: the program in front changed while a read ran.
  static constexpr UINT kFollowFrontMessage = WM_APP + 4;
  static constexpr int kClientWidth = 281;
  // The default height: the layer row over the rows' 267 pixels. The user
  // may make the window taller (MainHeight in the settings file keeps it).
  static constexpr int kClientHeight = 267 + kLayerRowHeight;

  TMainFrm();
  void Create();
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  // Shown centred on the screen at the end of start-up (unless in the tray).
  void ShowCentred(int showCommand);
  // What start-up leaves until the window is on the screen: opening the
  // joystick (its range and dead zone, set by the settings load, go to the
  // device as it opens) and adding the tray icon.
  void CompleteStartUp();
  // The main window's key preview, called by the message loop for every
  // message before it is dispatched: returns true when the message is
  // swallowed (Alt+F4 aimed at the main window or one of its controls).
  bool FormKeyDown(const MSG& msg);
  // The main menu's shortcuts, for messages aimed at the main window or its controls.
  bool TranslateShortcut(MSG& msg);

  // Hides every window of the program, leaving the tray icon; the timers run
  // on. Used by the minimise button and by "Minimize on run".
  void MinimizeToTray() override;
  void RestoreFromTray();
  bool InTray() const { return inTray_; }

  // Sizes the table for `numOfButtons` buttons (setting the direction
  // entries; buttons that go let go of what they hold, the directions move
  // with theirs) and builds one row per entry afresh, scrolled to the top, in
  // the kept texts and font of the language. The displays stay empty: the
  // caller loads a profile next.
  void Construct(int numOfButtons) override;
  // The language last read: the main window's group boxes, menus and tray
  // menu, then every other window, then the rows (their captions, and the
  // texts of their bindings, where rows exist).
  void ApplyLanguage() override;
  // Scrolls the button rows (group 0) by one row: direction 1 reveals the row
  // above the six shown, direction 0 the row below them.
  void GBoxScrool(int group, int direction);
  // The click handlers of every row button and every turbo check box. A
  // turbo box ticks the binding of the layer shown.
  void OnbtnJoyClick(HWND sender);
  void OnchbJoyClick(HWND sender);
  // The layer list: the layer the rows show, and the one a click on a row
  // edits (Editor.Layer).
  void cbLayerChange();

  // The controller's event, which the message loop waits on beside the
  // messages: nullptr where the controller gives none, or where the settings
  // ask for polling alone (InputEvents=0).
  HANDLE InputEvent() const;
  // The event was set: the controller is read at once, as a polling tick
  // reads it. While a handler runs, the event stays set for the loop to
  // find again after it.
  void InputSignalled();
  bool InputEvents = true;

  // Timed work (turbo taps, the pointer, an axis settling in the middle):
  // when it is next due (kNever: nothing waits), and running what is due
  // by now. The message loop waits for that moment beside its handles
  // (DueTimer); inside a modal loop, tmrDue runs it.
  Millis NextDue() const;
  void RunDue();
  DueTimer Due;
  // The program's own message loop turns again: a modal loop, if one ran,
  // is over, and the timers that stood in for the loop may sleep.
  void OwnLoopTurns();
  // A modal loop takes a message: the controller's event and the timed work
  // are served as the program's own loop would.
  void ServeInModalLoop() noexcept;

  // The caption of the entry's row button turns red while its input is held
  // and blue again when it is released.
  void SetRowHeld(std::uint8_t entry, bool held) override;
  bool RowHeld(std::uint8_t entry) const;
  // The base binding's turbo, which the key emulation consults: its box
  // while the rows show the base, its field while they show a layer.
  bool TurboChecked(std::uint8_t entry) const override;
  // The entry's display.
  std::string RowText(std::uint8_t entry) const override;

  // RowView: an entry without a row (none built yet) is left alone. While
  // a layer is shown, a row shows what the table holds for it in that layer
  // (greyed: the base's, for an entry the layer leaves to the layers below),
  // whatever text comes.
  void SetRowText(std::uint8_t entry, const std::string& text) override;
  void SetTurboEnabled(std::uint8_t entry, bool enabled) override;
  void SetTurboChecked(std::uint8_t entry, bool checked) override;

  // EditorHost and OptionsHost
  BindingTable& Table() override { return Bindings; }
  EntryEditor& Editing() override { return Editor; }
  void EnableMainWindow() override;
  void RestartProfileLists() override { Actions.Dispatch.INIIndex = 0; }
  void LayerNamesChanged() override;
  MessageTimer& PollingTimer() override { return Timer1; }
  TJoystick& Joystick() override { return DXInput1.Joystick; }
  Pipeline& InputPipeline() override { return Actions; }
  void ChooseController(ControllerWish wish) override;
  void UseInputEvents(bool use) override {
    InputEvents = use;
    PollWhereNeeded();
  }

  // ChordsHost
  std::vector<std::pair<std::uint8_t, std::string>> EntryRows() const override;
  void CaptureController(bool on) override { Actions.Dispatch.Capturing = on; }
  void EditAction(const std::string& what) override;

  // ProgramsHost: the rules, kept in the settings file's [Programs].
  const std::vector<ProgramRule>& ProgramRules() const override { return Programs.Rules(); }
  void SetProgramRules(std::vector<ProgramRule> rules) override;
  // The profiles that follow the program in front.
  ProgramSwitcher Programs;
  // The program in front may have changed (the system's notice of it, or
  // before a press): its rule, if it has one, is applied. Returns whether the
  // profile in force changed. Nothing changes while a dialog of the program
  // is open: then it is done when the main window is given back.
  bool FollowFront();
  // The hook's callback: the system's notice that a window came to the front.
  static void CALLBACK ForegroundEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD);
  // The processes of the ruled programs whose end changes something (the
  // profile in force, or Off), newest first. The message loop waits on
  // them beside the controller's event, and tells of a signalled one.
  const std::vector<HANDLE>& WatchedProcesses() const { return waitedOn_; }
  void WatchedProcessEnded(HANDLE process);

  Links Windows;

  BindingTable Bindings{4};
  // The joystick, opened once the window shows.
  TDXInput DXInput1;
  // The editing of the entry whose row was clicked, and its backup.
  EntryEditor Editor{Bindings, *this};
  // The group boxes, the arrows and the row controls btnJoy, stJoy, chbJoy.
  ButtonRows Rows;
  // The profile chosen through File/Open or File/Save since start-up; the
  // profile loaded at start-up does not set it.
  std::string IniPath;

  // Timer ids double as the WM_TIMER identifiers.
  // Joystick polling, for a controller that gives no event of its own.
  // Where the event tells of every change, it sleeps, and tmrInputCheck
  // reads once a second in case an event never came; but it runs while a
  // modal loop does (which never services the event), and while anything
  // is held or moving, so that a release is seen within a refresh period
  // whatever loop runs.
  MessageTimer Timer1{1, 50};
  MessageTimer tmrInputCheck{5, 1000};
  // The timed work, while a modal loop keeps the program's own loop from
  // waiting for it; it reads the controller at the refresh period meanwhile.
  MessageTimer tmrDue{2, 10};
  // Looks for controllers again once the system has settled after a device
  // change: twice, about 0.3 s and 2 s after it. Where the system sends no
  // notices of devices, every 2 s while the controller wanted is missing.
  MessageTimer tmrRescan{4, 300};
  RescanSchedule Rescans;
  NotifyIcon TrayIcon;
  // Runs the timers' ticks and the event's reads one at a time, and shows
  // their errors after the tick rather than inside it.
  TickRunner Ticks;

  // Where the actions' key and mouse events go.
  PlatformInput Injection;
  // The input pipeline: the controller's edges, what each press put down,
  // and the actions of the entries.
  Pipeline Actions{Bindings, Injection, *this};
  // The programs in front running as administrator that the user was told
  // of: the input sent there is dropped by the system.
  ElevationNotice Elevation;

 private:
  // ActionHost
  void LoadProfile(const std::string& path, std::uint8_t skipEntry) override;
  void ProfileSwitched(const std::string& currentLine, const std::string& nextLine) override;
  // Programs are started once the read that pressed their entry is over:
  // the shell may show a box of its own, and the controller is read while
  // it is up.
  void Launch(const std::string& command) override;
  void LaunchPending();
  std::vector<std::string> launches_;

  void FormCreate();
  void FormClose();
  // The rows of the hat and the other axes follow the controller: built when
  // it is opened with other controls than the rows show, filled from the table.
  ShownExtras ControllerRows() const;
  void ShowControllerRows();
  // Controllers coming and going.
  void RegisterForDevices();
  void ScheduleRescans();
  void tmrRescanTimer();
  void ArmRescan();
  // A controller opened, closed or swapped: what the last one held is let
  // go of, and the rows and the tray's tip follow the one read now.
  void ControllerChanged();
  void ReleaseEverything();
  void ShowReading();
  // Runs the polling timer, or the check beside the event, for the reader now.
  void PollWhereNeeded();
  // The window's height: the default for the rows (the axis group's growth
  // with it), or the taller one the user chose, within the work area; the
  // rows then fill it.
  void FitToRows();
  void LayOutRows();
  int WorkAreaHeight() const;
  SIZE OuterSize(int designClientHeight) const;
  void ReadStoredHeight();
  void OnGetMinMaxInfo(MINMAXINFO& info) const;
  static LRESULT VerticalOnly(LRESULT hit);
  // A drag of the lower edge ended: the height is kept, in the settings file too.
  void OnExitSizeMove();
  // The client height the user chose, in design pixels; 0: the default.
  int tallDesign_ = 0;
  int heightAtSizeStart_ = 0;
  bool changingDpi_ = false;
  // The layer list: its items (the base and each layer by name, in the
  // language), and the rows as the layer shown has them. After a profile
  // loads, the list keeps the layer chosen and the rows show it.
  void FillLayerList();
  void ShowLayerRows();
  void ShowRowOfLayer(std::uint8_t entry);
  void ShowLoadedProfile();
  void OnCommand(int id);
  void OnControlCommand(HWND control, int code);
  void OnTimer(UINT_PTR id);
  void OnTrayIcon(UINT mouseMessage);
  // Looked at only on a press: no timer watches the foreground.
  void TellIfElevatedInFront();

  void MOpenClick();
  void MSaveClick();
  void MExitClick();
  void MOptionsClick();
  void MProgramsClick();
  void MChordsClick();
  void MHelpClick();
  void MAboutClick();
  void btnGUpClick();
  void btnGDownClick();

  // One read of the controller: its edges, the sticks, the timed work.
  void Timer1Timer();
  Millis lastRead_ = 0;
  // ActionHost: a press sent input.
  void Injected() override;
  // ActionHost: the layer that decides changed; the tray's tip names it, and
  // the indicator shows its name.
  void LayerChanged(int layer) override;
  // Before another profile comes in: a profile with layers lets go of what
  // it holds, and every layer drops.
  void LeaveProfile();
  // A session locked or switched away: what is held comes up first.
  void OnSessionChange(WPARAM change);
  void RegisterForSessions();
  void UnregisterForSessions();

  void TrayIconClick();
  void TrayIconAppMinimize();
  void PSettingsClick();
  void PExitClick();

  struct AccelDeleter {
    void operator()(HACCEL accel) const { DestroyAcceleratorTable(accel); }
  };
  std::unique_ptr<std::remove_pointer_t<HACCEL>, AccelDeleter> shortcuts_;
  // Centres the window on the screen before it first shows, whether at the
  // end of start-up or at the first restore after a start in the tray.
  void CentreBeforeFirstShow();

  struct DeviceNotifyDeleter {
    void operator()(void* notify) const;
  };
  std::unique_ptr<void, DeviceNotifyDeleter> deviceNotify_;
  HWND lastFront_ = nullptr;  // the window in front at the last press
  // The profiles that follow the program in front. ApplyRule returns
  // whether anything changed.
  bool ApplyRule(const RuleAction& action, const std::string& program);
  // RuleTarget
  void ReleaseAll() override;
  bool Quiet() const override;
  void SetQuiet(bool quiet) override;
  void LoadRuleProfile(const std::string& path) override;
  void GiveBack(const BindingTable& kept) override;
  void Switched(const std::string& profile, const std::string& program) override;
  void ChoseProfile(const std::string& path);
  bool Watching(DWORD process) const;
  void KeepWatching();
  bool TakeEnded();
  void StartFollowingFront();
  void StopFollowingFront();
  void FollowPendingFront();
  void HookForeground();
  // A ruled program's process, opened as it came to the front; `ended` once
  // the loop has told of it, until its end is taken.
  struct WatchedProgram {
    DWORD process;
    KernelHandle handle;
    bool ended = false;
  };
  std::vector<WatchedProgram> watched_;
  std::vector<HANDLE> waitedOn_;
  DWORD lastFrontProcess_ = 0;  // the process in front when the rules last looked
  bool followPending_ = false;
  HWINEVENTHOOK foregroundHook_ = nullptr;
  UINT taskbarCreated_ = 0;
  bool sessionNotices_ = false;
  UINT restoreRequest_ = 0;
  bool inTray_ = false;
  bool placed_ = false;
};

}  // namespace vantrel

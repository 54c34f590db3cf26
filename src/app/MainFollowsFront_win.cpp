// The main window's part in the profiles that follow the program in front:
// the system's notice of a new foreground window, the decision before each
// press, the ruled program's end, and the user's own choice of a profile.
#include <utility>

#include "app/QEXmainwndcode.h"
#include "base/IniFile_win.h"
#include "base/Process_win.h"
#include "config/ProfileFile_win.h"
#include "config/SettingsFile_win.h"

namespace vantrel {

namespace {

// Out of context, the system calls back on this thread, between messages.
TMainFrm* foregroundFollower = nullptr;

// The process of the window in front, or 0.
DWORD FrontProcess() {
  DWORD process = 0;
  if (const HWND front = GetForegroundWindow()) GetWindowThreadProcessId(front, &process);
  return process;
}

}  // namespace

void CALLBACK TMainFrm::ForegroundEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
  if (foregroundFollower) {
    try {
      foregroundFollower->FollowFront();
    } catch (const std::exception& e) {
      foregroundFollower->Ticks.Defer(e.what());
    }
  }
}

void TMainFrm::StartFollowingFront() {
  Programs.SetRules(ReadProgramRules(SettingsFile()));
  PrivateProfile settings(SettingsFile());
  Programs.Chose(settings.ReadString("Setup", "Path", ""));
  foregroundFollower = this;
  HookForeground();
  FollowFront();  // a program with a rule may be in front already
}

// The system is asked to tell of the program in front only while a rule
// can make something of it.
void TMainFrm::HookForeground() {
  const bool wanted = !Programs.Rules().empty();
  if (wanted == (foregroundHook_ != nullptr)) return;
  if (!wanted) {
    UnhookWinEvent(foregroundHook_);
    foregroundHook_ = nullptr;
    return;
  }
  foregroundHook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                    &TMainFrm::ForegroundEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
}

bool TMainFrm::FollowFront() {
  if (Programs.Rules().empty()) return false;
  if (!IsWindowEnabled(Handle())) {
    followPending_ = true;
    return false;
  }
  const DWORD process = FrontProcess();
  if (process == 0 || process == lastFrontProcess_) return false;
  lastFrontProcess_ = process;
  if (process == GetCurrentProcessId()) return false;  // no rule for the program itself
  const std::string program = ProgramFileName(process);
  const RuleAction action = Programs.Activated(process, program);
  ApplyRule(action, program);
  return action.kind != RuleAction::Nothing;
}

void TMainFrm::ApplyRule(const RuleAction& action, const std::string& program) {
  if (action.kind == RuleAction::Nothing) return;
  // What the last profile held goes up before anything else changes.
  ReleaseEverything();
  Actions.Quiet = action.kind == RuleAction::Quiet;
  if (action.kind == RuleAction::Load) {
    // As a profile switch loads one, but it is not the profile the next
    // start loads, and the switching entries keep their place.
    LoadProfileFile(Bindings, action.profile, 0, this, false);
    Windows.popupINI->ProfileSwitched(
        Kept().Current + ": " + FileNamePart(action.profile, "filename"), program);
  }
  WatchRuled();
}

void TMainFrm::WatchRuled() {
  // A ruled program that ended while another was in front is past already.
  for (;;) {
    const DWORD process = Programs.Watched();
    if (process == watchedProcess_ && (process == 0 || watched_)) return;
    watchedProcess_ = process;
    watched_.reset(process ? OpenProcess(SYNCHRONIZE, FALSE, process) : nullptr);
    if (!process || (watched_ && WaitForSingleObject(watched_.get(), 0) == WAIT_TIMEOUT)) return;
    watched_.reset();
    watchedProcess_ = 0;
    ApplyRule(Programs.Ended(process), {});
    if (Programs.Watched() == process) return;
  }
}

void TMainFrm::WatchedProcessEnded() {
  const DWORD process = watchedProcess_;
  watched_.reset();
  if (!IsWindowEnabled(Handle())) {
    followPending_ = true;  // once the dialog is closed
    return;
  }
  watchedProcess_ = 0;
  lastFrontProcess_ = 0;
  // Run as a tick is: a failure is told after it, never out of the loop.
  Ticks.Run([&] {
    ApplyRule(Programs.Ended(process), {});
    WatchRuled();
  });
}

// Only rules the settings file took are in force: a refused write changes nothing.
void TMainFrm::SetProgramRules(std::vector<ProgramRule> rules) {
  WriteProgramRules(SettingsFile(), rules);
  Programs.SetRules(std::move(rules));
  HookForeground();
  lastFrontProcess_ = 0;
}

void TMainFrm::StopFollowingFront() {
  if (foregroundHook_) UnhookWinEvent(std::exchange(foregroundHook_, nullptr));
  foregroundFollower = nullptr;
}

// The main window is given back: what was put off while a dialog was open
// is decided now.
void TMainFrm::FollowPendingFront() {
  if (!followPending_) return;
  followPending_ = false;
  if (watchedProcess_ && !watched_) WatchedProcessEnded();
  lastFrontProcess_ = 0;
  FollowFront();
}

// The user's own choice: the profile in force, which the program in front
// changes again only when it is next brought to the front.
void TMainFrm::ChoseProfile(const std::string& path) {
  Programs.Chose(path);
  Actions.Quiet = false;
  WatchRuled();
  lastFrontProcess_ = FrontProcess();
}

}  // namespace vantrel

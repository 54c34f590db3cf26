// The main window's part in the profiles that follow the program in front:
// the system's notice of a new foreground window, the decision before each
// press, the ruled programs' ends, and the user's own choice of a profile.
#include <algorithm>
#include <utility>

#include "app/QEXmainwndcode.h"
#include "base/Clock_win.h"
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

// The loop waits on the controller's event beside these, and a wait takes
// at most MAXIMUM_WAIT_OBJECTS - 1 handles besides the messages. Programs
// past that many are still looked at before every press.
constexpr std::size_t kMaxWaited = MAXIMUM_WAIT_OBJECTS - 2;

}  // namespace

void CALLBACK TMainFrm::ForegroundEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
  if (foregroundFollower) {
    // Never in the middle of a read's walk through the table: after it.
    if (foregroundFollower->Ticks.Running()) {
      PostMessageA(foregroundFollower->Handle(), kFollowFrontMessage, 0, 0);
      return;
    }
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
  if (Programs.Idle()) return false;
  if (!IsWindowEnabled(Handle())) {
    followPending_ = true;
    return false;
  }
  // An end the loop has not passed on yet is taken first: the window in
  // front may be a new process under the ended one's id.
  bool changed = TakeEnded();
  const DWORD process = FrontProcess();
  if (process == 0 || process == lastFrontProcess_) return changed;
  lastFrontProcess_ = process;
  // The program itself has no rule: its own window is one without.
  const std::string program = process == GetCurrentProcessId() ? "" : ProgramFileName(process);
  // Opened as it comes to the front, so that the handle is this process's
  // whatever becomes of its id.
  KernelHandle opened;
  if (Programs.RuleOf(program) && !Watching(process))
    opened.reset(OpenProcess(SYNCHRONIZE, FALSE, process));
  const bool watched = opened || Watching(process);
  const RuleAction action = Programs.Activated(process, program, Bindings, watched);
  if (opened) watched_.push_back({process, std::move(opened)});
  changed = ApplyRule(action, program) || changed;
  KeepWatching();
  return changed;
}

bool TMainFrm::ApplyRule(const RuleAction& action, const std::string& program) {
  return ApplyRuleAction(action, Programs.Quiet(), program, *this);
}

void TMainFrm::ReleaseAll() {
  ReleaseEverything();
  Actions.DropLayers(Now());
}
bool TMainFrm::Quiet() const { return Actions.Dispatch.Quiet; }
void TMainFrm::SetQuiet(bool quiet) { Actions.Dispatch.Quiet = quiet; }
void TMainFrm::LoadRuleProfile(const std::string& path) {
  LoadProfileFile(Bindings, path, 0, this, false);
  ShowLoadedProfile();
}
void TMainFrm::GiveBack(const BindingTable& kept) {
  GiveBackBindings(Bindings, kept, this);
  ShowLoadedProfile();
}
void TMainFrm::Switched(const std::string& profile, const std::string& program) {
  Windows.popupINI->ProfileSwitched(Kept().Current + ": " + FileNamePart(profile, "filename"),
                                    program);
}

bool TMainFrm::Watching(DWORD process) const {
  return std::any_of(watched_.begin(), watched_.end(),
                     [&](const WatchedProgram& w) { return w.process == process; });
}

// Only the programs whose end would change something keep their handles.
void TMainFrm::KeepWatching() {
  const std::vector<std::uint32_t> wanted = Programs.Watched();
  std::erase_if(watched_, [&](const WatchedProgram& w) {
    return std::find(wanted.begin(), wanted.end(), w.process) == wanted.end();
  });
  waitedOn_.clear();
  for (auto w = watched_.rbegin(); w != watched_.rend() && waitedOn_.size() < kMaxWaited; ++w)
    if (!w->ended) waitedOn_.push_back(w->handle.get());
}

bool TMainFrm::TakeEnded() {
  bool changed = false;
  for (std::size_t i = 0; i < watched_.size();) {
    WatchedProgram& w = watched_[i];
    if (!w.ended && WaitForSingleObject(w.handle.get(), 0) != WAIT_OBJECT_0) {
      ++i;
      continue;
    }
    const DWORD process = w.process;
    watched_.erase(watched_.begin() + static_cast<std::ptrdiff_t>(i));
    if (process == lastFrontProcess_) lastFrontProcess_ = 0;
    changed = ApplyRule(Programs.Ended(process), {}) || changed;
  }
  KeepWatching();
  return changed;
}

void TMainFrm::WatchedProcessEnded(HANDLE process) {
  for (WatchedProgram& w : watched_)
    if (w.handle.get() == process) w.ended = true;
  KeepWatching();  // no longer waited on, whenever it is taken
  if (!IsWindowEnabled(Handle())) {
    followPending_ = true;  // once the dialog is closed
    return;
  }
  // Run as a tick is: a failure is told after it, never out of the loop.
  Ticks.Run([this] { TakeEnded(); });
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
  lastFrontProcess_ = 0;
  FollowFront();
}

// The user's own choice: the profile in force, which the program in front
// changes again only when it is next brought to the front.
void TMainFrm::ChoseProfile(const std::string& path) {
  Programs.Chose(path);
  Actions.Dispatch.Quiet = false;
  KeepWatching();
  lastFrontProcess_ = FrontProcess();
}

}  // namespace vantrel

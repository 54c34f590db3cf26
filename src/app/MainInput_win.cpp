// The main window's part in the input: reading the controller when its
// event is set or a timer ticks, the timed work of the pipeline, the modal
// loops, and what a press asks of the window (starting a program, the
// elevation notice).
#include <algorithm>
#include <utility>

#include "app/Elevation_win.h"
#include "app/QEXmainwndcode.h"
#include "base/Clock_win.h"
#include "ui/ModalLoop_win.h"

namespace vantrel {

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
  // A press goes out under the profile of the program in front, even where
  // the system's notice of it never came: the rules decide before the read.
  FollowFront();
  // A stick that is a pointer is read raw, for its direction.
  joystick.SetRawStick(Bindings.PointerEntryOf(PointerStick::XY) != 0);
  const Millis now = lastRead_ = Now();
  const bool got = DXInput1.Read(now);
  Actions.Read(0, DXInput1, got, now);
  StickReaches reaches;
  for (StickReach& reach : reaches) reach.deadZonePercent = Actions.Settings().deadZoneAxes;
  reaches[0] = {
      static_cast<double>(joystick.AskedRangeX()), static_cast<double>(joystick.AskedRangeY()),
      static_cast<double>(std::max(joystick.AskedDeadZoneX(), joystick.AskedDeadZoneY()))};
  // The stick as the pointer takes it: its raw positions.
  std::array<std::int32_t, kControllerAxes> axes{};
  if (got) {
    const PadState& state = DXInput1.State();
    std::copy_n(state.axes.begin(), kControllerAxes, axes.begin());
    axes[AxisX] = state.rawStick[0];
    axes[AxisY] = state.rawStick[1];
  }
  Actions.Dispatch.FollowSticks(axes, reaches);
  // The read that lost the controller released what it held; it is looked
  // for again, in case it was lost only for a moment.
  if (joystick.TakeLost()) {
    ShowReading();
    ScheduleRescans();
  }
}

Millis TMainFrm::NextDue() const { return Actions.NextDue(); }

void TMainFrm::RunDue() {
  const Millis now = Now();
  if (NextDue() > now) return;
  Ticks.Run([&] { Actions.Advance(now); });
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

// Asked after the input is on its way, so that the asking never delays it.
void TMainFrm::Injected() { TellIfElevatedInFront(); }

// The input is sent all the same: the user may start this program as
// administrator, or the other one without.
void TMainFrm::TellIfElevatedInFront() {
  if (Actions.Dispatch.Quiet) return;  // an Off rule's program: nothing went out
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

}  // namespace vantrel

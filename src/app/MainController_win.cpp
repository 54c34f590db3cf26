// The main window's part in the controllers that come and go: the system's
// device notices, the rescans after them, and the rows of the controller read.
#include "app/QEXmainwndcode.h"

#include <dbt.h>

#include <utility>

#include "base/Library_win.h"
#include "bindings/Profile.h"
#include "ui/ModalLoop_win.h"

namespace vantrel {

void TMainFrm::DeviceNotifyDeleter::operator()(void* notify) const {
  UnregisterDeviceNotification(static_cast<HDEVNOTIFY>(notify));
}

void TMainFrm::RegisterForDevices() {
  // Game controllers are devices of the HID interface class.
  static constexpr GUID kHidInterface = {
      0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
  DEV_BROADCAST_DEVICEINTERFACE_A filter{};
  filter.dbcc_size = sizeof filter;
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = kHidInterface;
  deviceNotify_.reset(RegisterDeviceNotificationA(Handle(), &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
  if (!deviceNotify_) ScheduleRescans();  // the slow look-out, while one is missing
}

void TMainFrm::ScheduleRescans() {
  rescanStep_ = 0;
  tmrRescan.SetEnabled(false);
  tmrRescan.SetInterval(300);
  tmrRescan.SetEnabled(true);
}

void TMainFrm::tmrRescanTimer() {
  if (DXInput1.Joystick.Rescan()) ControllerChanged();
  if (++rescanStep_ == 1) {
    tmrRescan.SetInterval(1700);  // the second look, 2 s after the change
    return;
  }
  // Without notices of devices, the look-out goes on, slowly, while the
  // controller wanted is missing; with them, nothing runs until the next.
  const bool lookOut = !deviceNotify_ && !DXInput1.Joystick.ReadsWished();
  tmrRescan.SetInterval(2000);
  tmrRescan.SetEnabled(lookOut);
}

void TMainFrm::ControllerChanged() {
  ReleaseEverything();
  ShowControllerRows();
  ShowReading();
  PollWhereNeeded();
  FollowFront();  // a rule still to apply, for a controller that came late
}

// As the polling would on an empty read, entry by entry.
void TMainFrm::ReleaseEverything() {
  for (int e = 1; e <= Bindings.EntryCount(); ++e) {
    Binding& b = Bindings[static_cast<std::uint8_t>(e)];
    if (b.Pressed != 1) continue;
    b.Pressed = 0;
    JoyButtonPress(e);
  }
}

void TMainFrm::ShowReading() {
  const TJoystick& joystick = DXInput1.Joystick;
  TrayIcon.SetTip(joystick.Opened() && !joystick.Reading().name.empty()
                      ? "Vantrel: " + joystick.Reading().name
                      : Language().Text("TrayIcon", "NoController"));
}

void TMainFrm::ChooseController(ControllerWish wish) {
  if (wish == DXInput1.Joystick.Wish()) return;
  ReleaseEverything();
  DXInput1.Joystick.SetWish(std::move(wish));
  ControllerChanged();
}

// Where the device's event wakes the loop at every change, the polling timer
// sleeps, but for while a modal loop runs (only timers run in one) or
// anything is held or moving (a release then comes within a refresh period,
// whatever loop runs). Nothing runs while no controller is open; its
// arrival is a device notice.
void TMainFrm::PollWhereNeeded() {
  const TJoystick& joystick = DXInput1.Joystick;
  const bool opened = joystick.Opened();
  const bool told = InputEvents && joystick.EventTellsEveryChange();
  const bool modal = InModalLoop();
  const bool busy = AnyHeld() || Actions.Busy() || Axes.NextDue() != kNever;
  const bool wasTold = tmrInputCheck.Enabled();
  // Inside a modal loop with timed work, one timer does both: two timers of
  // a window firing at once need not both be served.
  const bool dueInModal = modal && NextDue() != kNever;
  Timer1.SetEnabled(opened && !dueInModal && (!told || modal || busy));
  tmrInputCheck.SetEnabled(opened && told);
  tmrDue.SetEnabled(dueInModal);
  // A controller just opened is read at once, for what is held already; the
  // loop does it, after the handler that opened it.
  if (opened && told && !wasTold) SetEvent(InputEvent());
}

namespace {
constexpr DWORD kNotifyForThisSession = 0;
HMODULE SessionLibrary() {
  static const HMODULE library = LoadSystemLibrary("wtsapi32.dll");  // kept until the end
  return library;
}
}  // namespace

void TMainFrm::RegisterForSessions() {
  using RegisterFn = BOOL(WINAPI*)(HWND, DWORD);
  const auto registerFor =
      LibraryFunction<RegisterFn>(SessionLibrary(), "WTSRegisterSessionNotification");
  sessionNotices_ = registerFor && registerFor(Handle(), kNotifyForThisSession);
}

void TMainFrm::UnregisterForSessions() {
  if (!std::exchange(sessionNotices_, false)) return;
  using UnregisterFn = BOOL(WINAPI*)(HWND);
  if (const auto unregister =
          LibraryFunction<UnregisterFn>(SessionLibrary(), "WTSUnRegisterSessionNotification"))
    unregister(Handle());
}

// Input sent while the session is locked or another user's is in front is
// dropped by the system, and a key whose release is dropped stays down:
// everything held comes up as the session goes, nothing new goes out while
// it is away, and what the system refused goes out again when it is back.
void TMainFrm::OnSessionChange(WPARAM change) {
  switch (change) {
    case WTS_SESSION_LOCK:
    case WTS_CONSOLE_DISCONNECT:
    case WTS_REMOTE_DISCONNECT:
    case WTS_SESSION_LOGOFF:
      Actions.Away = true;
      Ticks.Run([this] { ReleaseEverything(); });
      break;
    case WTS_SESSION_UNLOCK:
    case WTS_CONSOLE_CONNECT:
    case WTS_REMOTE_CONNECT:
      Actions.Away = false;
      Actions.SendRefusedAgain();
      break;
  }
  PollWhereNeeded();
}

ShownExtras TMainFrm::ControllerRows() const {
  ShownExtras shown;
  const ControllerControls& controls = DXInput1.Joystick.Controls();
  for (int i = 0; i < kExtraEntries; ++i) shown[static_cast<std::size_t>(i)] = HasControl(controls, i);
  return shown;
}

void TMainFrm::ShowControllerRows() {
  if (ControllerRows() == Rows.Shown()) return;
  Construct(Bindings.NumOfButtons());
  for (int e = 1; e < Rows.Slots(); ++e)
    if (Rows.IsEntry(e)) ShowBinding(Bindings, static_cast<std::uint8_t>(e), *this);
}

}  // namespace vantrel

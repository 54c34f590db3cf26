// The main window's part in the controllers that come and go: the system's
// device notices, the rescans after them, and the rows of the controller read.
#include "app/QEXmainwndcode.h"

#include <dbt.h>

#include <algorithm>
#include <utility>

#include "app/LayerIndicator_win.h"
#include "base/Clock_win.h"
#include "base/Library_win.h"
#include "bindings/Profile.h"
#include "input/ControllerState.h"
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
  Rescans.Notice(Now());
  ArmRescan();
}

void TMainFrm::tmrRescanTimer() {
  if (DXInput1.Joystick.Rescan()) ControllerChanged();
  Rescans.Looked(Now(), deviceNotify_ != nullptr, !DXInput1.Joystick.ReadsWished());
  ArmRescan();
}

// The timer goes off when the schedule's next look is due.
void TMainFrm::ArmRescan() {
  const Millis due = Rescans.NextDue();
  tmrRescan.SetEnabled(false);
  if (due == kNever) return;
  tmrRescan.SetInterval(static_cast<UINT>(std::clamp<Millis>(due - Now(), 1, 60000)));
  tmrRescan.SetEnabled(true);
}

void TMainFrm::ControllerChanged() {
  ReleaseEverything();
  ShowControllerRows();
  ShowReading();
  PollWhereNeeded();
  FollowFront();  // a rule still to apply, for a controller that came late
}

// As an empty read would: every held input comes up, and one still held is
// pressed anew at the next read.
void TMainFrm::ReleaseEverything() { Actions.ReleaseAll(Now()); }

void TMainFrm::ShowReading() {
  const TJoystick& joystick = DXInput1.Joystick;
  std::string tip = joystick.Opened() && !joystick.Reading().name.empty()
                        ? "Vantrel: " + joystick.Reading().name
                        : Language().Text("TrayIcon", "NoController");
  // The layer in force on a line of its own, kept whole however long the
  // controller's name is.
  if (const int layer = Actions.Layers.Top()) {
    const std::string line = "\n" + Kept().Layer + ": " + Bindings.LayerName(layer);
    tip = tip.substr(0, NotifyIcon::kMaxTip - std::min(line.size(), NotifyIcon::kMaxTip)) + line;
  }
  TrayIcon.SetTip(tip);
}

void TMainFrm::LayerChanged(int layer) {
  ShowReading();
  if (Windows.LayerIndicator) Windows.LayerIndicator->Announce(Bindings.LayerName(layer));
}

void TMainFrm::LeaveProfile() {
  if (Bindings.HasLayers() || Actions.Layers.Any()) ReleaseEverything();
  Actions.DropLayers(Now());
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
  const bool busy = Actions.Busy();
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
      Actions.Dispatch.Away = true;
      Ticks.Run([this] { ReleaseEverything(); });
      break;
    case WTS_SESSION_UNLOCK:
    case WTS_CONSOLE_CONNECT:
    case WTS_REMOTE_CONNECT:
      Actions.Dispatch.Away = false;
      Actions.Dispatch.SendRefusedAgain();
      break;
  }
  PollWhereNeeded();
}

ShownExtras TMainFrm::ControllerRows() const {
  ShownExtras shown;
  const PadControls& controls = DXInput1.Joystick.Controls();
  for (int i = 0; i < kExtraEntries; ++i)
    shown[static_cast<std::size_t>(i)] = HasControl(controls, i);
  return shown;
}

void TMainFrm::ShowControllerRows() {
  if (ControllerRows() == Rows.Shown()) return;
  Construct(Bindings.NumOfButtons());
  ShowLayerRows();
}

}  // namespace vantrel

#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/KernelHandle_win.h"
#include "base/Time.h"
#include "input/AxisTables.h"
#include "input/ControllerChoice.h"
#include "input/DirectInputReader_win.h"
#include "input/InputStates.h"
#include "input/MultimediaReader_win.h"
#include "input/PadState.h"
#include "input/XInputReader_win.h"

// The primary interface's types stay in DXInput_win.cpp, which pins its version.
struct IDirectInputA;
struct IDirectInputDeviceA;
struct IDirectInputDevice2A;
struct _DIOBJECTDATAFORMAT;

namespace vantrel {

// Releases a COM interface; the owners' destructors live where its type is complete.
struct ComRelease {
  template <class T>
  void operator()(T* p) const noexcept {
    p->Release();
  }
};
template <class T>
using ComPtr = std::unique_ptr<T, ComRelease>;

class TCustomDXInput;

// The joystick reader of the input component. It chooses and opens the
// joystick to read (at position ID among the attached ones, or the one the
// user chose), keeps the per-offset dead zones and ranges, and reads it
// through the backend that suits it: DirectInput, XInput for an Xbox pad, or
// the multimedia joystick functions when DirectInput's interface cannot be
// loaded at all.
class TJoystick : public PadReader, private AxisPropertySink {
 public:
  explicit TJoystick(TCustomDXInput& owner);
  ~TJoystick() override;
  TJoystick(const TJoystick&) = delete;
  TJoystick& operator=(const TJoystick&) = delete;

  // Closes, then opens the joystick at position ID. Throws an AppError only
  // when the device refuses its polling interface (the reader stays closed).
  void OpenDevice();
  void CloseDevice() noexcept;
  // Reads the joystick through its backend. No state while none is open,
  // while the program is not in front where it reads only then, or when the
  // read fails; a joystick lost for good is closed (TakeLost says so).
  bool Read(Millis now) override;
  const PadState& State() const override;
  const std::vector<PadState>& Passed() const override;
  const PadControls& Controls() const override;
  bool HasState() const { return hasState_; }
  DWORD CooperativeFlags() const;

  int DeviceButtonCount() const { return deviceButtonCount_; }
  bool Opened() const { return opened_; }
  int MultimediaId() const { return multimediaId_; }

  int ID() const { return id_; }
  void SetID(int id);  // a different value reopens the reader
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);  // a different value reopens the reader

  bool AutoCenter = true;
  bool ForceFeedback = false;

  // Range and dead zone take effect at once: sent to an open device, used by
  // the next fallback read otherwise.
  std::int32_t DeadZoneAt(int offset) const { return tables_.DeadZoneAt(offset); }
  std::int32_t RangeAt(int offset) const { return tables_.RangeAt(offset); }
  void SetDeadZoneAt(int offset, std::int32_t value);
  void SetRangeAt(int offset, std::int32_t value);

  std::int32_t DeadZoneX() const { return DeadZoneAt(kOffsetX); }
  std::int32_t DeadZoneY() const { return DeadZoneAt(kOffsetY); }
  std::int32_t DeadZoneZ() const { return DeadZoneAt(kOffsetZ); }
  std::int32_t RangeX() const { return RangeAt(kOffsetX); }
  std::int32_t RangeY() const { return RangeAt(kOffsetY); }
  std::int32_t RangeZ() const { return RangeAt(kOffsetZ); }
  // What the settings keep: the values last asked for, even where the
  // device refused them.
  std::int32_t AskedDeadZoneX() const { return tables_.AskedDeadZoneAt(kOffsetX); }
  std::int32_t AskedDeadZoneY() const { return tables_.AskedDeadZoneAt(kOffsetY); }
  std::int32_t AskedRangeX() const { return tables_.AskedRangeAt(kOffsetX); }
  std::int32_t AskedRangeY() const { return tables_.AskedRangeAt(kOffsetY); }
  void SetDeadZoneX(std::int32_t value) { SetDeadZoneAt(kOffsetX, value); }
  void SetDeadZoneY(std::int32_t value) { SetDeadZoneAt(kOffsetY, value); }
  void SetDeadZoneZ(std::int32_t value) { SetDeadZoneAt(kOffsetZ, value); }
  void SetRangeX(std::int32_t value) { SetRangeAt(kOffsetX, value); }
  void SetRangeY(std::int32_t value) { SetRangeAt(kOffsetY, value); }
  void SetRangeZ(std::int32_t value) { SetRangeAt(kOffsetZ, value); }

  // Whether the device is an Xbox pad read through XInput rather than
  // through its DirectInput twin, and the XInput user index it is read at.
  bool ReadsXInput() const { return xinputReader_ != nullptr; }
  int XInputUser() const { return xinputUser_; }

  // The stick's X and Y as they are, for a stick that is a pointer: the
  // device is asked for them without its dead zone, and the reader takes
  // the dead zone out itself for the axes (and so the stick's directions);
  // the state's rawStick holds them as they are.
  void SetRawStick(bool raw);
  bool RawStick() const { return rawStick_; }

  // The joysticks attached now, as the primary interface lists them.
  std::vector<AttachedController> Attached() const;
  // The one read, as it was listed when it was opened; empty while closed.
  const AttachedController& Reading() const { return reading_; }
  // Which controller to read: the user's choice (empty: the first attached,
  // by ID). A new wish opens the controller it names at once, or the first
  // attached while that one is away.
  const ControllerWish& Wish() const { return wish_; }
  void SetWish(ControllerWish wish);
  // Whether the one read is the one wished for, not a stand-in.
  bool ReadsWished() const;
  // After the system's devices changed: opens the controller to read now
  // (one come back, the wished one returned, or another when the one read
  // went); true when it opened or closed one.
  bool Rescan();
  // Whether a read lost the device since the last call (it is closed then).
  bool TakeLost() noexcept;

  // The event the device sets when its state changes, or nullptr where it
  // gives none (a polled device, the fallback, an XInput pad): then only
  // the polling timer reads it.
  HANDLE InputEvent() const { return signals_ ? event_.get() : nullptr; }
  // Whether that event tells of every change, so that nothing need poll: not
  // while reading only in front, where losing the front must let go at
  // once. An Xbox pad's DirectInput twin tells of each change of the pad;
  // the pad itself is then read through XInput.
  bool EventTellsEveryChange() const;
  // Reads whose buffer of changes had run over, and went by the state.
  int Overflows = 0;

  // Component services: the cooperative level for the owning window, and
  // acquisition when the window or the application is activated.
  void SetCooperativeLevel(HWND window) noexcept;
  void Acquire() noexcept;
  bool HasDevice() const { return device_ != nullptr; }

 private:
  bool SendDeadZone(int offset, std::int32_t tenThousandths) override;
  bool SendRange(int offset, std::int32_t lower, std::int32_t upper) override;
  bool OpenPrimary(IDirectInputA& directInput);
  // Finds the multimedia joystick at position ID.
  std::optional<MultimediaJoystick> MultimediaLookup();
  // Marks the device opened; the number its states are told by.
  std::uint32_t MarkOpened();
  // The backend that reads the device opened; null while none does.
  PadReader* Backend() const;
  void Lose() noexcept;
  // The dead zone the device is asked for at an offset: none on the
  // stick's X and Y while they are read raw.
  void SendStickDeadZones();
  // The index in `attached` of the controller to read, or -1.
  int ToRead(const std::vector<AttachedController>& attached) const;
  struct Enumerators;  // the primary interface's enumeration callbacks

  TCustomDXInput& owner_;
  int id_ = 0;
  bool enabled_ = true;
  bool opened_ = false;
  bool forceFeedbackCapable_ = false;
  int deviceButtonCount_ = 0;
  int multimediaId_ = -1;
  ComPtr<IDirectInputDeviceA> device_;
  ComPtr<IDirectInputDevice2A> device2_;
  int xinputUser_ = -1;  // the pad's XInput user index; -1 while read otherwise
  ControllerWish wish_;
  AttachedController reading_;
  bool lost_ = false;
  bool hasState_ = false;
  bool rawStick_ = false;
  KernelHandle event_;  // manual reset: reset by the read it wakes
  bool buffered_ = false;
  bool signals_ = false;
  // The backend reading the device opened: at most one of them.
  std::unique_ptr<DirectInputReader> directInputReader_;
  std::unique_ptr<XInputReader> xinputReader_;
  std::unique_ptr<MultimediaReader> multimediaReader_;
  PadState empty_;  // the state of a read that gave none
  AxisTables tables_;
  // The data format's object table; each entry points at its own copy of the
  // object's type identifier, which outlives the enumeration that offered it.
  std::vector<_DIOBJECTDATAFORMAT> objects_;
  std::array<GUID, 256> objectTypes_{};
};

// The input component. Its joystick is the only reader built: the keyboard
// and mouse readers contribute nothing in this program. It reads as its
// joystick does, and keeps the merged state set of its readers.
class TCustomDXInput : public PadReader {
 public:
  // `owner` is the window handed to the primary interface; `library` is the
  // primary interface's library, loaded from the system folder only (tests
  // may name another there).
  explicit TCustomDXInput(HWND owner = nullptr, std::string library = "DInput.dll");
  ~TCustomDXInput() override;
  TCustomDXInput(const TCustomDXInput&) = delete;
  TCustomDXInput& operator=(const TCustomDXInput&) = delete;

  // Closes everything, obtains the primary interface (any failure leaves it
  // absent, silently), opens the joystick, sets its cooperative level and
  // reads once. Throws only what OpenDevice throws.
  void OpenAll();
  void CloseAll() noexcept;

  // PadReader: the joystick's.
  bool Read(Millis now) override;
  const PadState& State() const override { return Joystick.State(); }
  const std::vector<PadState>& Passed() const override { return Joystick.Passed(); }
  const PadControls& Controls() const override { return Joystick.Controls(); }
  // A read on the program's clock, and its state set: the buttons 1 ... 32
  // and the stick's directions, merged as the component merges its readers'.
  void ReadAll();
  bool HasState() const { return hasState_; }
  InputStates MergedStates() const { return merged_; }
  bool ButtonDown(int index) const { return vantrel::ButtonDown(states_, index); }

  // The main window hands over its WM_ACTIVATE and WM_ACTIVATEAPP messages;
  // activation acquires the device again.
  void HandleActivation(UINT msg, WPARAM wParam) noexcept;
  HWND Owner() const { return owner_; }
  // The owning window was (re)created: the open device gets its cooperative
  // level again with the new handle.
  void SetOwner(HWND owner) noexcept;

  bool ActiveOnly = false;  // true: read only while the owner is the foreground window
  bool UseDirectInput() const { return useDirectInput_; }
  void SetUseDirectInput(bool use);  // a change opens everything again
  // The primary-interface object, absent when it could not be obtained.
  IDirectInputA* DirectInput() const { return directInput_.get(); }
  bool OwnerIsForeground() const;

  TJoystick Joystick{*this};

 private:
  HWND owner_;
  std::string library_;
  bool useDirectInput_ = true;
  std::shared_ptr<IDirectInputA> directInput_;
  bool hasState_ = false;
  InputStates states_;
  InputStates merged_;
  InputStates previousUnion_;
};

class TDXInput : public TCustomDXInput {
 public:
  using TCustomDXInput::TCustomDXInput;
};

}  // namespace vantrel

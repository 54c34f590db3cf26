#define DIRECTINPUT_VERSION 0x0500
#include "input/DXInput.h"

#include <dinput.h>
#include <xinput.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <map>
#include <cstdio>
#include <type_traits>
#include <utility>

#include "base/Errors.h"
#include "base/Library_win.h"
#include "base/Text.h"
#include "input/PadLibraries_win.h"
#include "input/ScaleAxis.h"
#include "input/XInputPad.h"

namespace vantrel {

// The records as the primary interface publishes them for this build.
static_assert(sizeof(DIJOYSTATE2) == sizeof(JoystickState));
static_assert(offsetof(DIJOYSTATE2, rgbButtons) == offsetof(JoystickState, rgbButtons));
static_assert(offsetof(DIJOYSTATE2, rglFSlider) == offsetof(JoystickState, rglFSlider));
static_assert(sizeof(DIDEVCAPS) == 44);
static_assert(sizeof(JOYINFOEX) == 52);
static_assert(sizeof(JOYCAPSA) == 404);

namespace {

constexpr DWORD kDirectInputVersion = 0x0500;
// JOY_RETURNX | Y | Z | POV | BUTTONS | CENTERED
constexpr DWORD kJoyReturnFlags = 0x4C7;
constexpr UINT kMultimediaJoysticks = 256;
constexpr std::size_t kMaxObjects = 256;
constexpr DWORD kBufferedChanges = 256;

// The device path of an Xbox pad's DirectInput twin holds "IG_".
struct GuidAndPath {
  DIPROPHEADER diph;
  GUID guidClass;
  WCHAR wszPath[MAX_PATH];
};
const GUID& kGuidAndPath = MAKEDIPROP(12);

bool IsXInputTwin(IDirectInputDeviceA& device) {
  GuidAndPath property{};
  property.diph.dwSize = sizeof property;
  property.diph.dwHeaderSize = sizeof(DIPROPHEADER);
  property.diph.dwHow = DIPH_DEVICE;
  if (FAILED(device.GetProperty(kGuidAndPath, &property.diph))) return false;
  const WCHAR* path = property.wszPath;
  for (std::size_t i = 0; i + 2 < MAX_PATH && path[i] && path[i + 1] && path[i + 2]; ++i)
    if ((path[i] == L'I' || path[i] == L'i') && (path[i + 1] == L'G' || path[i + 1] == L'g') &&
        path[i + 2] == L'_')
      return true;
  return false;
}

// The controls a device lists: the axes and the first hat, by their offsets
// in the state record.
ControllerControls ControlsOf(const std::vector<DIOBJECTDATAFORMAT>& objects) {
  ControllerControls controls;
  for (const DIOBJECTDATAFORMAT& object : objects) {
    if (!(object.dwType & DIDFT_AXIS) && !(object.dwType & DIDFT_POV)) continue;
    if (object.dwOfs < static_cast<DWORD>(kOffsetPov) && object.dwOfs % kAxisStride == 0 &&
        (object.dwType & DIDFT_AXIS))
      controls.axes.set(object.dwOfs / kAxisStride);
    if (object.dwOfs == static_cast<DWORD>(kOffsetPov) && (object.dwType & DIDFT_POV))
      controls.hat = true;
  }
  return controls;
}

// Each open of a device gives its reads a number of their own.
std::uint32_t NextDeviceNumber() {
  static std::uint32_t opened = 0;
  return ++opened;
}

using DirectInputCreateAFn = HRESULT(WINAPI*)(HINSTANCE, DWORD, IDirectInputA**, IUnknown*);

// One primary-interface object for every component that uses it; the last
// holder to let go releases it.
std::shared_ptr<IDirectInputA> ObtainDirectInput(const std::string& library) {
  static std::weak_ptr<IDirectInputA> shared;
  if (auto held = shared.lock()) return held;
  const auto create =
      LibraryFunction<DirectInputCreateAFn>(CachedLibrary(library), "DirectInputCreateA");
  if (!create) throw AppError(library + " not loaded");
  IDirectInputA* raw = nullptr;
  if (FAILED(create(GetModuleHandleA(nullptr), kDirectInputVersion, &raw, nullptr)) || !raw)
    throw AppError("DirectInputCreateA failed");
  std::shared_ptr<IDirectInputA> held(raw, ComRelease{});
  shared = held;
  return held;
}

}  // namespace

struct TJoystick::Enumerators {
  struct Found {
    GUID instance;
    std::string name;
  };

  static BOOL CALLBACK Device(LPCDIDEVICEINSTANCEA device, LPVOID context) {
    // Named as the settings store the name, so that the two match.
    static_cast<std::vector<Found>*>(context)->push_back(
        {device->guidInstance, WithoutControlCharacters(device->tszProductName)});
    return DIENUM_CONTINUE;
  }

  static BOOL CALLBACK Object(LPCDIDEVICEOBJECTINSTANCEA object, LPVOID context) {
    auto& joystick = *static_cast<TJoystick*>(context);
    // The table holds 256 objects; a device offering more loses the rest
    // rather than overrunning it.
    if (object->dwOfs >= static_cast<DWORD>(kStateRecordSize) ||
        joystick.objects_.size() >= kMaxObjects)
      return DIENUM_CONTINUE;
    const std::size_t i = joystick.objects_.size();
    joystick.objectTypes_[i] = object->guidType;
    joystick.objects_.push_back({&joystick.objectTypes_[i], object->dwOfs, object->dwType, 0});
    return DIENUM_CONTINUE;
  }
};

TJoystick::TJoystick(TCustomDXInput& owner) : owner_(owner) { objects_.reserve(kMaxObjects); }

TJoystick::~TJoystick() { CloseDevice(); }

void TJoystick::CloseDevice() noexcept {
  multimediaId_ = -1;
  state_ = {};
  caps_ = {};
  if (device_) {
    device_->Unacquire();
    if (signals_) device_->SetEventNotification(nullptr);
  }
  if (event_) ResetEvent(event_.get());
  opened_ = false;
  deviceButtonCount_ = 0;
  device2_.reset();
  device_.reset();
  forceFeedbackCapable_ = false;
  deviceStates_.reset();
  controller_ = {};
  controls_ = {};
  xinputUser_ = -1;
  reading_ = {};
  buffered_ = false;
  signals_ = false;
  passed_.clear();
}

void TJoystick::Opened(const ControllerControls& controls) {
  previous_ = {};
  for (std::uint32_t& pov : previous_.rgdwPOV) pov = kHatCentred;
  controls_ = controls;
  controller_ = {};
  controller_.device = NextDeviceNumber();
  opened_ = true;
}

void TJoystick::OpenDevice() {
  CloseDevice();
  if (!enabled_ || id_ < 0) return;
  IDirectInputA* directInput = owner_.DirectInput();
  if (!directInput) {
    MultimediaLookup();
    ControllerControls controls;
    if (multimediaId_ != -1) {
      controls.axes.set(ControllerAxis::AxisX);
      controls.axes.set(ControllerAxis::AxisY);
      if (caps_.wCaps & JOYCAPS_HASZ) controls.axes.set(ControllerAxis::AxisZ);
      controls.hat = (caps_.wCaps & JOYCAPS_HASPOV) != 0;
    }
    Opened(controls);
    return;
  }
  if (!OpenPrimary(*directInput)) MultimediaLookup();
}

// The primary interface's open; false when the joystick cannot be had, which
// leaves the reader closed.
namespace {

std::string IdText(const GUID& guid) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                guid.Data4[6], guid.Data4[7]);
  return text;
}

}  // namespace

std::vector<AttachedController> TJoystick::Attached() const {
  std::vector<AttachedController> attached;
  IDirectInputA* directInput = owner_.DirectInput();
  if (!directInput) return attached;
  std::vector<Enumerators::Found> found;
  directInput->EnumDevices(DIDEVTYPE_JOYSTICK, Enumerators::Device, &found, DIEDFL_ATTACHEDONLY);
  for (const Enumerators::Found& device : found)
    attached.push_back({device.name, IdText(device.instance)});
  return attached;
}

int TJoystick::ToRead(const std::vector<AttachedController>& attached) const {
  // A controller plugged in later never takes over from the one read.
  const std::string reading = opened_ ? reading_.id : std::string();
  if (wish_.FirstAttached()) {
    for (std::size_t i = 0; i < attached.size() && !reading.empty(); ++i)
      if (attached[i].id == reading) return static_cast<int>(i);
    // With no choice made, the position ID counts (the first attached).
    return id_ < static_cast<int>(attached.size()) ? id_ : -1;
  }
  return ChooseController(attached, wish_, reading);
}

bool TJoystick::OpenPrimary(IDirectInputA& directInput) {
  std::vector<Enumerators::Found> found;
  directInput.EnumDevices(DIDEVTYPE_JOYSTICK, Enumerators::Device, &found, DIEDFL_ATTACHEDONLY);
  std::vector<AttachedController> attached;
  for (const Enumerators::Found& device : found)
    attached.push_back({device.name, IdText(device.instance)});
  const int chosen = ToRead(attached);
  if (chosen < 0) return false;

  // The device chosen, by its instance: the generic joystick identifier
  // would always give the first one.
  IDirectInputDeviceA* raw = nullptr;
  if (FAILED(directInput.CreateDevice(found[static_cast<std::size_t>(chosen)].instance, &raw,
                                      nullptr)) ||
      !raw)
    return false;
  device_.reset(raw);
  DIDEVCAPS caps{};
  caps.dwSize = sizeof caps;
  if (SUCCEEDED(device_->GetCapabilities(&caps))) {
    deviceButtonCount_ = static_cast<int>(caps.dwButtons);
    forceFeedbackCapable_ = (caps.dwFlags & DIDC_FORCEFEEDBACK) != 0;
  }
  reading_ = attached[static_cast<std::size_t>(chosen)];

  objects_.clear();
  device_->EnumObjects(Enumerators::Object, this, DIDFT_ALL);
  DIDATAFORMAT format{};
  // The sizes of this build's own records: a 64-bit program passes 32 and 24.
  format.dwSize = sizeof(DIDATAFORMAT);
  format.dwObjSize = sizeof(DIOBJECTDATAFORMAT);
  format.dwFlags = DIDF_ABSAXIS;
  format.dwDataSize = kStateRecordSize;
  format.dwNumObjs = static_cast<DWORD>(objects_.size());
  format.rgodf = objects_.data();
  if (FAILED(device_->SetDataFormat(&format))) {
    CloseDevice();
    return false;
  }

  DIPROPDWORD autoCenter{};
  autoCenter.diph.dwSize = sizeof autoCenter;
  autoCenter.diph.dwHeaderSize = sizeof(DIPROPHEADER);
  autoCenter.diph.dwHow = DIPH_DEVICE;
  autoCenter.dwData = AutoCenter ? DIPROPAUTOCENTER_ON : DIPROPAUTOCENTER_OFF;
  device_->SetProperty(DIPROP_AUTOCENTER, &autoCenter.diph);
  tables_.SendAll(*this);
  // The device keeps its changes in order between reads, and tells of them
  // at once through the event, where it can (a device that delivers data
  // only when polled cannot).
  DIPROPDWORD buffer{};
  buffer.diph.dwSize = sizeof buffer;
  buffer.diph.dwHeaderSize = sizeof(DIPROPHEADER);
  buffer.diph.dwHow = DIPH_DEVICE;
  buffer.dwData = kBufferedChanges;
  buffered_ = SUCCEEDED(device_->SetProperty(DIPROP_BUFFERSIZE, &buffer.diph));
  if (!event_) event_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  signals_ = event_ && !(caps.dwFlags & DIDC_POLLEDDEVICE) &&
             device_->SetEventNotification(event_.get()) == DI_OK;
  if (rawStick_) SendStickDeadZones();

  void* second = nullptr;
  if (FAILED(device_->QueryInterface(IID_IDirectInputDevice2A, &second)) || !second) {
    CloseDevice();
    MultimediaLookup();
    throw AppError("QueryInterface(IDirectInputDevice2A) failed");
  }
  device2_.reset(static_cast<IDirectInputDevice2A*>(second));
  // An Xbox pad is read through XInput, where there is one: there its two
  // triggers are two controls, where DirectInput folds them into one axis.
  std::vector<GUID> instances;
  for (const Enumerators::Found& device : found) instances.push_back(device.instance);
  if (IsXInputTwin(*device_) && (xinputUser_ = XInputUserOf(directInput, instances, chosen)) >= 0) {
    deviceButtonCount_ = kXInputButtons;
    const int user = xinputUser_;
    Opened(XInputControls());
    xinputUser_ = user;
  } else {
    Opened(ControlsOf(objects_));
  }
  return true;
}

int TJoystick::XInputUserOf(IDirectInputA& directInput, const std::vector<GUID>& instances,
                            int chosen) {
  int twinsBefore = 0;
  for (int i = 0; i < chosen; ++i) {
    IDirectInputDeviceA* raw = nullptr;
    if (FAILED(directInput.CreateDevice(instances[static_cast<std::size_t>(i)], &raw, nullptr)) ||
        !raw)
      continue;
    const ComPtr<IDirectInputDeviceA> other(raw);
    if (IsXInputTwin(*other)) ++twinsBefore;
  }
  return ConnectedPad(twinsBefore);
}

void TJoystick::MultimediaLookup() {
  multimediaId_ = -1;
  int count = 0;
  for (UINT n = 0; n < kMultimediaJoysticks; ++n) {
    caps_ = {};
    // Any error means no joystick there (Wine answers JOYERR_PARMS, not UNPLUGGED).
    if (GetMultimediaCaps(n, caps_) != JOYERR_NOERROR) continue;
    if (count++ == id_) {
      multimediaId_ = static_cast<int>(n);
      break;
    }
  }
  if (multimediaId_ == -1) return;
  caps_ = {};
  if (GetMultimediaCaps(static_cast<UINT>(multimediaId_), caps_) == JOYERR_NOERROR)
    deviceButtonCount_ = static_cast<int>(caps_.wNumButtons);
  else
    multimediaId_ = -1;
}

bool TJoystick::EventTellsEveryChange() const { return InputEvent() && !owner_.ActiveOnly; }

void TJoystick::SetRawStick(bool raw) {
  if (raw == rawStick_) return;
  rawStick_ = raw;
  SendStickDeadZones();
}

void TJoystick::SendStickDeadZones() {
  for (int offset : {kOffsetX, kOffsetY})
    tables_.ApplyDeadZoneAt(offset, rawStick_ ? 0 : tables_.AskedDeadZoneAt(offset),
                            device_ ? this : nullptr);
}

void TJoystick::ReadDevice() noexcept {
  hasState_ = false;
  state_ = {};
  deviceStates_.reset();
  passed_.clear();
  const std::uint32_t device = controller_.device;
  const ControllerState before = controller_;
  controller_ = {};
  controller_.device = device;
  if (!opened_) return;
  if (owner_.ActiveOnly && !owner_.OwnerIsForeground()) return;
  bool read = false;
  if (xinputUser_ >= 0)
    read = ReadXInput(before);
  else if (device_)
    read = ReadPrimary();
  else if (multimediaId_ != -1)
    read = ReadMultimedia();
  if (!read) {
    // Nothing read is no state: nothing held, the hat centred included.
    state_ = {};
    controller_ = {};
    controller_.device = device;
    return;
  }
  hasState_ = true;
  previous_ = state_;
  if (xinputUser_ < 0) controller_ = ControllerFromRecord(state_, device);
  controller_ = Masked(controller_);
  state_ = StickDeadZoned(state_);
  deviceStates_ = StatesFromRecord(state_);
}

JoystickState TJoystick::StickDeadZoned(JoystickState record) const {
  if (!rawStick_) return record;
  record.lX = DeadZoned(record.lX, tables_.RangeAt(kOffsetX), tables_.AskedDeadZoneAt(kOffsetX));
  record.lY = DeadZoned(record.lY, tables_.RangeAt(kOffsetY), tables_.AskedDeadZoneAt(kOffsetY));
  return record;
}

// What the device does not have holds nothing, whatever the record says.
ControllerState TJoystick::Masked(ControllerState state) const {
  for (int a = 0; a < kControllerAxes; ++a)
    if (!controls_.axes.test(static_cast<std::size_t>(a))) state.axes[static_cast<std::size_t>(a)] = 0;
  if (!controls_.hat) state.pov = kHatCentred;
  return state;
}

// The changes the device kept since the last read, each applied in turn to
// the state it was in then. A buffer that ran over has lost some: this read
// then goes by the state alone, as an unbuffered one does.
void TJoystick::ReadChanges(const ControllerState* digitalOver) {
  if (!buffered_) return;
  std::array<DIDEVICEOBJECTDATA, kBufferedChanges> changes{};
  DWORD count = kBufferedChanges;
  HRESULT result = device_->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), changes.data(), &count, 0);
  if (result == DIERR_INPUTLOST || result == DIERR_NOTACQUIRED) {
    device_->Acquire();
    count = kBufferedChanges;
    result = device_->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), changes.data(), &count, 0);
  }
  if (result == DI_BUFFEROVERFLOW) ++Overflows;
  if (result != DI_OK) return;
  JoystickState walk = previous_;
  for (DWORD i = 0; i < count; ++i) {
    // An Xbox pad's twin gives its buttons and its D-pad; XInput its axes.
    if (digitalOver && changes[i].dwOfs < static_cast<DWORD>(kOffsetPov)) continue;
    if (!ApplyChange(walk, changes[i].dwOfs, changes[i].dwData)) continue;
    ControllerState controller;
    if (digitalOver) {
      controller = *digitalOver;
      controller.pov = walk.rgdwPOV[0];
    } else {
      controller = ControllerFromRecord(walk, controller_.device);
    }
    passed_.push_back({StatesFromRecord(StickDeadZoned(walk)), Masked(controller)});
  }
}

bool TJoystick::ReadPrimary() {
  if (device2_) device2_->Poll();
  ReadChanges(nullptr);
  HRESULT result = device_->GetDeviceState(sizeof state_, &state_);
  if (result == DIERR_INPUTLOST || result == DIERR_NOTACQUIRED) {
    device_->Acquire();
    state_ = {};
    result = device_->GetDeviceState(sizeof state_, &state_);
  }
  if (SUCCEEDED(result)) return true;
  // Still refused after being acquired again: unplugged, or lost for good.
  // The device is closed; a rescan opens it again once it is back.
  Lose();
  return false;
}

void TJoystick::Lose() noexcept {
  CloseDevice();
  lost_ = true;
}

bool TJoystick::TakeLost() noexcept { return std::exchange(lost_, false); }

bool TJoystick::Rescan() {
  if (!owner_.DirectInput()) return false;
  const std::vector<AttachedController> attached = Attached();
  const int chosen = ToRead(attached);
  if (opened_ && chosen >= 0 && attached[static_cast<std::size_t>(chosen)].id == reading_.id)
    return false;
  if (!opened_ && chosen < 0) return false;
  OpenDevice();
  SetCooperativeLevel(owner_.Owner());
  return true;
}

void TJoystick::SetWish(ControllerWish wish) {
  if (wish == wish_) return;
  wish_ = std::move(wish);
  if (!owner_.DirectInput()) return;
  OpenDevice();
  SetCooperativeLevel(owner_.Owner());
}

bool TJoystick::ReadsWished() const {
  if (!opened_ || !device_) return false;
  if (wish_.FirstAttached()) return true;
  return reading_.id == wish_.id || reading_.name == wish_.name;
}

bool TJoystick::ReadMultimedia() {
  JOYINFOEX info{};
  info.dwSize = sizeof info;
  info.dwFlags = kJoyReturnFlags;
  // A joystick unplugged since the open reads as the empty state, so
  // whatever it held is released. The lookup found it through the library,
  // so the library is there.
  if (Multimedia().getPosEx(static_cast<UINT>(multimediaId_), &info) != JOYERR_NOERROR)
    return false;
  const MultimediaCaps caps{caps_.wXmin, caps_.wXmax, caps_.wYmin,      caps_.wYmax,
                            caps_.wZmin, caps_.wZmax, caps_.wNumButtons};
  const MultimediaPosition position{info.dwXpos, info.dwYpos, info.dwZpos, info.dwButtons,
                                    info.dwPOV};
  state_ = FallbackRecord(position, caps, tables_);
  return true;
}

bool TJoystick::ReadXInput(const ControllerState& before) {
  // The twin tells of each change of the pad and keeps its buttons' and
  // D-pad's changes in order, so a tap between two reads still counts.
  if (device_) ReadChanges(&before);
  XINPUT_STATE raw{};
  if (XInputGetStateFunction()(static_cast<DWORD>(xinputUser_), &raw) != ERROR_SUCCESS) {
    Lose();  // "not connected": the pad is gone
    return false;
  }
  const XINPUT_GAMEPAD& g = raw.Gamepad;
  const XInputPad pad{g.wButtons, g.bLeftTrigger, g.bRightTrigger, g.sThumbLX,
                      g.sThumbLY, g.sThumbRX,     g.sThumbRY};
  state_ = XInputRecord(pad, tables_);
  controller_ = XInputController(pad, state_, controller_.device);
  return true;
}

DWORD TJoystick::CooperativeFlags() const {
  if (!AutoCenter) return DISCL_EXCLUSIVE | DISCL_FOREGROUND;
  const DWORD access =
      forceFeedbackCapable_ && ForceFeedback ? DISCL_EXCLUSIVE : DISCL_NONEXCLUSIVE;
  return access | (owner_.ActiveOnly ? DISCL_FOREGROUND : DISCL_BACKGROUND);
}

void TJoystick::SetID(int id) {
  if (id == id_) return;
  id_ = id;
  OpenDevice();
  SetCooperativeLevel(owner_.Owner());
}

void TJoystick::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  OpenDevice();
  SetCooperativeLevel(owner_.Owner());
}

void TJoystick::SetDeadZoneAt(int offset, std::int32_t value) {
  tables_.SetDeadZoneAt(offset, value, device_ ? this : nullptr);
  if (rawStick_ && (offset == kOffsetX || offset == kOffsetY)) SendStickDeadZones();
}

void TJoystick::SetRangeAt(int offset, std::int32_t value) {
  tables_.SetRangeAt(offset, value, device_ ? this : nullptr);
}

bool TJoystick::SendDeadZone(int offset, std::int32_t tenThousandths) {
  DIPROPDWORD property{};
  property.diph.dwSize = sizeof property;
  property.diph.dwHeaderSize = sizeof(DIPROPHEADER);
  property.diph.dwObj = static_cast<DWORD>(offset);
  property.diph.dwHow = DIPH_BYOFFSET;
  property.dwData = static_cast<DWORD>(tenThousandths);
  // Success codes other than DI_OK (DI_PROPNOEFFECT: the value was taken
  // but changes nothing) are no refusal.
  return SUCCEEDED(device_->SetProperty(DIPROP_DEADZONE, &property.diph));
}

bool TJoystick::SendRange(int offset, std::int32_t lower, std::int32_t upper) {
  DIPROPRANGE property{};
  property.diph.dwSize = sizeof property;
  property.diph.dwHeaderSize = sizeof(DIPROPHEADER);
  property.diph.dwObj = static_cast<DWORD>(offset);
  property.diph.dwHow = DIPH_BYOFFSET;
  property.lMin = lower;
  property.lMax = upper;
  return SUCCEEDED(device_->SetProperty(DIPROP_RANGE, &property.diph));
}

void TJoystick::SetCooperativeLevel(HWND window) noexcept {
  if (!device_) return;
  // The level can change only while the device is not acquired. Acquired
  // at once, it keeps its changes and signals its event from now on,
  // whether or not a window of the program was ever active (started in the
  // tray, plugged in later): DirectInput tells of nothing otherwise.
  device_->Unacquire();
  device_->SetCooperativeLevel(window, CooperativeFlags());
  device_->Acquire();
}

void TJoystick::Acquire() noexcept {
  if (device_) device_->Acquire();
}

TCustomDXInput::TCustomDXInput(HWND owner, std::string library)
    : owner_(owner), library_(std::move(library)) {}

TCustomDXInput::~TCustomDXInput() { CloseAll(); }

void TCustomDXInput::OpenAll() {
  CloseAll();
  if (useDirectInput_) {
    try {
      directInput_ = ObtainDirectInput(library_);
    } catch (const std::exception&) {
      // No primary interface: the multimedia functions stand in, without a word.
      directInput_.reset();
    }
  }
  Joystick.OpenDevice();
  Joystick.SetCooperativeLevel(owner_);
  ReadAll();
}

void TCustomDXInput::CloseAll() noexcept {
  Joystick.CloseDevice();
  directInput_.reset();
}

void TCustomDXInput::ReadAll() noexcept {
  InputStates now;
  Joystick.ReadDevice();
  if (Joystick.BindInputStates) now |= Joystick.DeviceStates();
  MergeStates(merged_, previousUnion_, now);
}

void TCustomDXInput::HandleActivation(UINT msg, WPARAM wParam) noexcept {
  const bool activated = (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) ||
                         (msg == WM_ACTIVATEAPP && wParam != 0);
  if (!activated) return;
  if (ActiveOnly && !OwnerIsForeground()) return;
  Joystick.Acquire();
}

void TCustomDXInput::SetOwner(HWND owner) noexcept {
  owner_ = owner;
  Joystick.SetCooperativeLevel(owner_);
}

void TCustomDXInput::SetUseDirectInput(bool use) {
  if (use == useDirectInput_) return;
  useDirectInput_ = use;
  OpenAll();
}

bool TCustomDXInput::OwnerIsForeground() const { return GetForegroundWindow() == owner_; }

}  // namespace vantrel

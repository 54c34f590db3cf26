#define DIRECTINPUT_VERSION 0x0500
#include "input/DXInput.h"

#include <dinput.h>

#include <cstddef>
#include <cstdio>
#include <utility>

#include "base/Clock_win.h"
#include "base/Errors.h"
#include "base/Library_win.h"
#include "base/Text.h"
#include "input/PadLibraries_win.h"
#include "input/XInputPad.h"

namespace vantrel {

// The records as the primary interface publishes them for this build.
static_assert(sizeof(DIJOYSTATE2) == sizeof(JoystickState));
static_assert(offsetof(DIJOYSTATE2, rgbButtons) == offsetof(JoystickState, rgbButtons));
static_assert(offsetof(DIJOYSTATE2, rglFSlider) == offsetof(JoystickState, rglFSlider));
static_assert(sizeof(DIDEVCAPS) == 44);

namespace {

constexpr DWORD kDirectInputVersion = 0x0500;
constexpr std::size_t kMaxObjects = 256;

// The controls a device lists: the axes and the first hat, by their offsets
// in the state record, and its buttons.
PadControls ControlsOf(const std::vector<DIOBJECTDATAFORMAT>& objects, int buttons) {
  PadControls controls;
  controls.buttons = buttons;
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
  // The backend goes first: it reads through the device.
  directInputReader_.reset();
  xinputReader_.reset();
  multimediaReader_.reset();
  hasState_ = false;
  empty_ = {};
  multimediaId_ = -1;
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
  xinputUser_ = -1;
  reading_ = {};
  buffered_ = false;
  signals_ = false;
}

std::uint32_t TJoystick::MarkOpened() {
  opened_ = true;
  empty_ = {};
  empty_.device = NextDeviceNumber();
  return empty_.device;
}

PadReader* TJoystick::Backend() const {
  if (directInputReader_) return directInputReader_.get();
  if (xinputReader_) return xinputReader_.get();
  return multimediaReader_.get();
}

void TJoystick::OpenDevice() {
  CloseDevice();
  if (!enabled_ || id_ < 0) return;
  IDirectInputA* directInput = owner_.DirectInput();
  if (!directInput) {
    const std::optional<MultimediaJoystick> found = MultimediaLookup();
    const std::uint32_t number = MarkOpened();
    if (found) multimediaReader_ = std::make_unique<MultimediaReader>(*found, number, tables_);
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
  if (IsXInputTwin(*device_) &&
      (xinputUser_ = XInputUserOfTwin(directInput, instances, chosen)) >= 0) {
    deviceButtonCount_ = kXInputButtons;
    xinputReader_ = std::make_unique<XInputReader>(xinputUser_, buffered_ ? device_.get() : nullptr,
                                                   MarkOpened(), tables_, Overflows);
  } else {
    directInputReader_ = std::make_unique<DirectInputReader>(
        *device_, *device2_, buffered_, ControlsOf(objects_, deviceButtonCount_), MarkOpened(),
        tables_, Overflows);
    directInputReader_->SetRawStick(rawStick_);
  }
  return true;
}

std::optional<MultimediaJoystick> TJoystick::MultimediaLookup() {
  std::optional<MultimediaJoystick> found = FindMultimediaJoystick(id_);
  multimediaId_ = found ? static_cast<int>(found->id) : -1;
  if (found) deviceButtonCount_ = static_cast<int>(found->caps.wNumButtons);
  return found;
}

bool TJoystick::EventTellsEveryChange() const { return InputEvent() && !owner_.ActiveOnly; }

void TJoystick::SetRawStick(bool raw) {
  if (raw == rawStick_) return;
  rawStick_ = raw;
  SendStickDeadZones();
  if (directInputReader_) directInputReader_->SetRawStick(raw);
}

void TJoystick::SendStickDeadZones() {
  for (int offset : {kOffsetX, kOffsetY})
    tables_.ApplyDeadZoneAt(offset, rawStick_ ? 0 : tables_.AskedDeadZoneAt(offset),
                            device_ ? this : nullptr);
}

bool TJoystick::Read(Millis now) {
  hasState_ = false;
  empty_.time = now;
  PadReader* backend = Backend();
  if (!opened_ || !backend) return false;
  if (owner_.ActiveOnly && !owner_.OwnerIsForeground()) return false;
  hasState_ = backend->Read(now);
  // Still refused after being acquired again, or gone from XInput: unplugged,
  // or lost for good. The device is closed; a rescan opens it again once it
  // is back. A multimedia joystick stays open: nothing would open it again.
  if (!hasState_ && !multimediaReader_) Lose();
  return hasState_;
}

const PadState& TJoystick::State() const { return hasState_ ? Backend()->State() : empty_; }

const std::vector<PadState>& TJoystick::Passed() const {
  static const std::vector<PadState> kNone;
  return hasState_ ? Backend()->Passed() : kNone;
}

const PadControls& TJoystick::Controls() const {
  static const PadControls kNone;
  const PadReader* backend = Backend();
  return backend ? backend->Controls() : kNone;
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
    : owner_(owner),
      library_(std::move(library)) {}

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

bool TCustomDXInput::Read(Millis now) {
  hasState_ = Joystick.Read(now);
  // Nothing read is no state: nothing held.
  states_ = hasState_ ? StatesOfPad(Joystick.State()) : InputStates{};
  MergeStates(merged_, previousUnion_, states_);
  return hasState_;
}

void TCustomDXInput::ReadAll() { Read(Now()); }

void TCustomDXInput::CloseAll() noexcept {
  Joystick.CloseDevice();
  directInput_.reset();
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

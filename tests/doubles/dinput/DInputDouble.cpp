// A DirectInput stand-in with attached joysticks, driven and observed
// through the shared DoubleState block. Test code: it never ships.
#define DIRECTINPUT_VERSION 0x0500
#include <windows.h>

#include <dinput.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "dinput/DoubleState.h"

namespace {

using vantrel::test::DoubleState;

DoubleState& State() {
  static DoubleState* state = [] {
    char name[256];
    const DWORD length =
        GetEnvironmentVariableA(vantrel::test::kDoubleStateVariable, name, sizeof name);
    DoubleState* mapped =
        length > 0 && length < sizeof name ? vantrel::test::MapDoubleState(name) : nullptr;
    if (mapped) return mapped;
    // Installed where the system keeps its own library, the double also
    // answers programs that no test drives: to them it is a system without
    // a joystick.
    static DoubleState own;
    vantrel::test::ResetDoubleState(own);
    own.attached = 0;
    return &own;
  }();
  return *state;
}

// An axis value as GetDeviceState hands it out. A physical deflection goes
// through the dead zone and the range last sent for its offset, the way a
// driver treats them: inside the dead zone is 0, the rest of the travel
// spreads over the range.
LONG Delivered(const DoubleState& s, std::int32_t value, int offset) {
  if (!s.physical) return value;
  const std::int64_t deadZone =
      s.deadZone[offset] == vantrel::test::kNotSent ? 0 : s.deadZone[offset];
  const std::int64_t range =
      s.rangeMax[offset] == vantrel::test::kNotSent ? 1000 : s.rangeMax[offset];
  const std::int64_t magnitude = value < 0 ? -std::int64_t{value} : value;
  if (magnitude <= deadZone || deadZone >= 10000) return 0;
  const std::int64_t scaled =
      (std::min<std::int64_t>(magnitude, 10000) - deadZone) * range / (10000 - deadZone);
  return static_cast<LONG>(value < 0 ? -scaled : scaled);
}

// The instance identifier of the n-th joystick offered.
GUID Instance(int n) {
  GUID guid = {0x7a1c0d11, 0x2b3e, 0x4f50, {0x9a, 0x61, 0x72, 0x83, 0x94, 0xa5, 0xb6, 0x00}};
  guid.Data4[7] = static_cast<BYTE>(n);
  return guid;
}

bool IsInstance(REFGUID guid) {
  for (int n = 0; n < State().attached && n < 256; ++n)
    if (guid == Instance(n)) return true;
  return false;
}

struct Object {
  GUID type;
  DWORD offset;
  DWORD objectType;
};

// The objects in the order EnumObjects offers them, with their offsets in the
// joystick state record.
std::vector<Object> Objects() {
  const DoubleState& s = State();
  std::vector<Object> objects = {
      {GUID_XAxis, 0, DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(0)},
      {GUID_YAxis, 4, DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(1)},
  };
  const GUID kOther[] = {GUID_ZAxis,  GUID_RxAxis, GUID_RyAxis,
                         GUID_RzAxis, GUID_Slider, GUID_Slider};
  for (int i = 0; i < 6; ++i)
    if (s.otherAxes & (1 << i))
      objects.push_back({kOther[i], static_cast<DWORD>(8 + 4 * i),
                         static_cast<DWORD>(DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(2 + i))});
  if (s.hat) objects.push_back({GUID_POV, 32, DIDFT_POV | DIDFT_MAKEINSTANCE(0)});
  const int buttons = s.buttonCount < 0 ? 0 : (s.buttonCount > 128 ? 128 : s.buttonCount);
  for (int i = 0; i < buttons; ++i)
    objects.push_back({GUID_Button, static_cast<DWORD>(48 + i),
                       static_cast<DWORD>(DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(i))});
  if (s.extraObjects > 0) {
    // One object outside the record, then plain ones inside it.
    objects.push_back({GUID_Slider, 300, DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(3)});
    for (int i = 0; i < s.extraObjects; ++i)
      objects.push_back({GUID_Unknown, static_cast<DWORD>(176 + i % 96),
                         static_cast<DWORD>(DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(128 + i))});
  }
  return objects;
}

bool IsAxis(DWORD offset) {
  if (offset == 0 || offset == 4) return true;
  return offset >= 8 && offset <= 28 && offset % 4 == 0 &&
         (State().otherAxes & (1 << ((offset - 8) / 4)));
}

void LogProperty(std::int32_t kind, std::int32_t offset) {
  DoubleState& s = State();
  if (s.propertyCalls < vantrel::test::kPropertyLogSize)
    s.propertyLog[s.propertyCalls] = {kind, offset};
  ++s.propertyCalls;
}

// The reference counting every object of the double shares: created with
// one reference, deleted when the last is released.
template <class Interface>
class Counted : public Interface {
 public:
  virtual ~Counted() = default;
  STDMETHOD_(ULONG, AddRef)() override { return ++refs_; }
  STDMETHOD_(ULONG, Release)() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 private:
  ULONG refs_ = 1;
};

class Device : public Counted<IDirectInputDevice2A> {
 public:
  explicit Device(int index) : index_(index) { ++State().liveDevices; }
  virtual ~Device() {
    DoubleState& s = State();
    if (given_ && given_ == s.eventGeneration) {
      s.eventHandle = 0;
      ++s.eventGeneration;
    }
    --s.liveDevices;
    if (s.releaseDelayMs > 0) Sleep(static_cast<DWORD>(s.releaseDelayMs));
  }

  STDMETHOD(QueryInterface)(REFIID riid, void** out) override {
    if (riid == IID_IDirectInputDevice2A) {
      ++State().queryDevice2Calls;
      if (State().refuseDevice2) {
        *out = nullptr;
        return E_NOINTERFACE;
      }
    } else if (riid != IID_IUnknown && riid != IID_IDirectInputDeviceA) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    *out = this;
    return S_OK;
  }

  STDMETHOD(GetCapabilities)(LPDIDEVCAPS caps) override {
    DoubleState& s = State();
    s.capsSize = static_cast<std::int32_t>(caps->dwSize);
    if (caps->dwSize != sizeof(DIDEVCAPS)) return DIERR_INVALIDPARAM;
    caps->dwFlags =
        DIDC_ATTACHED | static_cast<DWORD>(s.capsFlags) | (s.polledDevice ? DIDC_POLLEDDEVICE : 0);
    caps->dwDevType = DIDEVTYPE_JOYSTICK;
    caps->dwAxes = 2;
    for (int i = 0; i < 6; ++i)
      if (s.otherAxes & (1 << i)) ++caps->dwAxes;
    caps->dwButtons = static_cast<DWORD>(s.buttonCount);
    caps->dwPOVs = s.hat ? 1 : 0;
    return DI_OK;
  }
  STDMETHOD(EnumObjects)
  (LPDIENUMDEVICEOBJECTSCALLBACKA callback, LPVOID ref, DWORD flags) override {
    State().enumObjectsFlags = static_cast<std::int32_t>(flags);
    for (const Object& o : Objects()) {
      DIDEVICEOBJECTINSTANCEA instance{};
      instance.dwSize = sizeof instance;
      instance.guidType = o.type;
      instance.dwOfs = o.offset;
      instance.dwType = o.objectType;
      if (callback(&instance, ref) == DIENUM_STOP) break;
    }
    return DI_OK;
  }
  STDMETHOD(GetProperty)(REFGUID property, LPDIPROPHEADER header) override {
    // DIPROP_GUIDANDPATH: the class and the device path of the whole device.
    if (reinterpret_cast<std::uintptr_t>(&property) != 12) return DIERR_UNSUPPORTED;
    struct GuidAndPath {
      DIPROPHEADER diph;
      GUID guidClass;
      WCHAR wszPath[MAX_PATH];
    };
    if (header->dwSize != sizeof(GuidAndPath) || header->dwHow != DIPH_DEVICE)
      return DIERR_INVALIDPARAM;
    auto* answer = reinterpret_cast<GuidAndPath*>(header);
    answer->guidClass = GUID{};
    lstrcpynW(answer->wszPath,
              State().xinputTwin ? L"\\\\?\\hid#vid_045e&pid_028e&ig_00#1&2&3&0#{4d1e55b2}"
                                 : L"\\\\?\\hid#vid_1234&pid_5678#1&2&3&0#{4d1e55b2}",
              MAX_PATH);
    return DI_OK;
  }
  STDMETHOD(SetProperty)(REFGUID property, LPCDIPROPHEADER header) override {
    DoubleState& s = State();
    const auto id = reinterpret_cast<std::uintptr_t>(&property);
    if (header->dwHeaderSize != sizeof(DIPROPHEADER)) return DIERR_INVALIDPARAM;
    if (id == reinterpret_cast<std::uintptr_t>(&DIPROP_AUTOCENTER)) {
      LogProperty(vantrel::test::kAutoCenter, -1);
      if (header->dwSize != sizeof(DIPROPDWORD) || header->dwHow != DIPH_DEVICE)
        return DIERR_INVALIDPARAM;
      s.autoCenter =
          static_cast<std::int32_t>(reinterpret_cast<const DIPROPDWORD*>(header)->dwData);
      return DI_OK;
    }
    if (id == reinterpret_cast<std::uintptr_t>(&DIPROP_BUFFERSIZE)) {
      if (header->dwSize != sizeof(DIPROPDWORD) || header->dwHow != DIPH_DEVICE)
        return DIERR_INVALIDPARAM;
      s.bufferSize =
          static_cast<std::int32_t>(reinterpret_cast<const DIPROPDWORD*>(header)->dwData);
      s.changesRead = s.changesMade;  // a new buffer starts empty
      return DI_OK;
    }
    const bool deadZone = id == reinterpret_cast<std::uintptr_t>(&DIPROP_DEADZONE);
    const bool range = id == reinterpret_cast<std::uintptr_t>(&DIPROP_RANGE);
    if (!deadZone && !range) return DIERR_UNSUPPORTED;
    const DWORD offset = header->dwObj;
    LogProperty(deadZone ? vantrel::test::kDeadZone : vantrel::test::kRange,
                static_cast<std::int32_t>(offset));
    if (header->dwHow != DIPH_BYOFFSET || offset >= vantrel::test::kDoubleRecordSize)
      return DIERR_INVALIDPARAM;
    if (deadZone) {
      if (header->dwSize != sizeof(DIPROPDWORD)) return DIERR_INVALIDPARAM;
      s.deadZone[offset] =
          static_cast<std::int32_t>(reinterpret_cast<const DIPROPDWORD*>(header)->dwData);
    } else {
      if (header->dwSize != sizeof(DIPROPRANGE)) return DIERR_INVALIDPARAM;
      const auto* r = reinterpret_cast<const DIPROPRANGE*>(header);
      s.rangeMin[offset] = r->lMin;
      s.rangeMax[offset] = r->lMax;
    }
    // Only the axes take a dead zone or a range; elsewhere there is no such object.
    if (!IsAxis(offset)) return DIERR_OBJECTNOTFOUND;
    return s.axisPropertyAnswer ? static_cast<HRESULT>(s.axisPropertyAnswer) : DI_OK;
  }
  STDMETHOD(Acquire)() override {
    DoubleState& s = State();
    ++s.acquireCalls;
    if (index_ >= s.attached) return DIERR_UNPLUGGED;
    if (!formatSet_ || s.failAcquire) return DIERR_OTHERAPPHASPRIO;
    if (s.acquired) return S_FALSE;
    s.acquired = 1;
    return DI_OK;
  }
  STDMETHOD(Unacquire)() override {
    DoubleState& s = State();
    ++s.unacquireCalls;
    if (!s.acquired) return DI_NOEFFECT;
    s.acquired = 0;
    return DI_OK;
  }
  STDMETHOD(GetDeviceState)(DWORD size, LPVOID data) override {
    DoubleState& s = State();
    ++s.getDeviceStateCalls;
    s.getDeviceStateSize = static_cast<std::int32_t>(size);
    if (size != sizeof(DIJOYSTATE2)) return DIERR_INVALIDPARAM;
    if (s.inputLostOnce || index_ >= s.attached) {
      s.inputLostOnce = 0;
      s.acquired = 0;
      return DIERR_INPUTLOST;
    }
    if (!s.acquired) return DIERR_NOTACQUIRED;
    DIJOYSTATE2 state{};
    if (index_ > 0) {
      for (DWORD& pov : state.rgdwPOV) pov = 0xFFFFFFFF;
      std::memcpy(state.rgbButtons, s.secondButtons, sizeof s.secondButtons);
      std::memcpy(data, &state, sizeof state);
      return DI_OK;
    }
    state.lX = Delivered(s, s.lX, 0);
    state.lY = Delivered(s, s.lY, 4);
    const std::int32_t other[] = {s.lZ, s.lRx, s.lRy, s.lRz, s.sliders[0], s.sliders[1]};
    LONG* into[] = {&state.lZ,  &state.lRx,          &state.lRy,
                    &state.lRz, &state.rglSlider[0], &state.rglSlider[1]};
    for (int i = 0; i < 6; ++i)
      if (s.otherAxes & (1 << i)) *into[i] = Delivered(s, other[i], 8 + 4 * i);
    for (DWORD& pov : state.rgdwPOV) pov = 0xFFFFFFFF;
    if (s.hat) state.rgdwPOV[0] = s.pov;
    std::memcpy(state.rgbButtons, s.buttons, sizeof state.rgbButtons);
    std::memcpy(data, &state, sizeof state);
    return DI_OK;
  }
  // The changes since the last call, oldest first; a buffer that ran over
  // keeps only the newest it holds room for, and says so.
  STDMETHOD(GetDeviceData)(DWORD size, LPDIDEVICEOBJECTDATA data, LPDWORD count, DWORD) override {
    DoubleState& s = State();
    if (size != sizeof(DIDEVICEOBJECTDATA) || !count) return DIERR_INVALIDPARAM;
    if (s.bufferSize <= 0) return static_cast<HRESULT>(DIERR_NOTBUFFERED);
    if (!s.acquired || index_ >= s.attached) return DIERR_NOTACQUIRED;
    HRESULT answer = DI_OK;
    if (s.changesMade - s.changesRead > s.bufferSize) {
      s.changesRead = s.changesMade - s.bufferSize;
      ++s.overflows;
      answer = DI_BUFFEROVERFLOW;
    }
    DWORD n = 0;
    for (; n < *count && s.changesRead < s.changesMade; ++n, ++s.changesRead) {
      const DoubleState::Change& c = s.changes[s.changesRead % DoubleState::kChangeRing];
      if (!data) continue;
      data[n] = DIDEVICEOBJECTDATA{};
      data[n].dwOfs = static_cast<DWORD>(c.offset);
      data[n].dwData = static_cast<DWORD>(c.offset < 32 ? Delivered(s, c.data, c.offset) : c.data);
      data[n].dwSequence = static_cast<DWORD>(s.changesRead);
      data[n].dwTimeStamp = c.stamp;
    }
    *count = n;
    return answer;
  }
  STDMETHOD(SetDataFormat)(LPCDIDATAFORMAT format) override {
    DoubleState& s = State();
    ++s.setDataFormatCalls;
    s.formatSize = static_cast<std::int32_t>(format->dwSize);
    s.objectSize = static_cast<std::int32_t>(format->dwObjSize);
    s.formatFlags = static_cast<std::int32_t>(format->dwFlags);
    s.dataSize = static_cast<std::int32_t>(format->dwDataSize);
    s.numObjs = static_cast<std::int32_t>(format->dwNumObjs);
    if (format->dwSize != sizeof(DIDATAFORMAT) || format->dwObjSize != sizeof(DIOBJECTDATAFORMAT))
      return DIERR_INVALIDPARAM;
    // Entry i should be the i-th object offered inside the record.
    std::vector<Object> inside;
    for (const Object& o : Objects())
      if (o.offset < static_cast<DWORD>(vantrel::test::kDoubleRecordSize)) inside.push_back(o);
    s.formatMaxOffset = -1;
    s.formatTypesCopied = 0;
    for (DWORD i = 0; i < format->dwNumObjs; ++i) {
      const DIOBJECTDATAFORMAT& entry = format->rgodf[i];
      if (static_cast<std::int32_t>(entry.dwOfs) > s.formatMaxOffset)
        s.formatMaxOffset = static_cast<std::int32_t>(entry.dwOfs);
      if (i < inside.size() && entry.pguid && *entry.pguid == inside[i].type &&
          entry.dwOfs == inside[i].offset && entry.dwType == inside[i].objectType)
        ++s.formatTypesCopied;
    }
    if (s.failSetDataFormat) return DIERR_INVALIDPARAM;
    formatSet_ = true;
    return DI_OK;
  }
  // The test sets the program's event itself, from its own process (see
  // ProgramEvent): the double only says which event that is.
  STDMETHOD(SetEventNotification)(HANDLE event) override {
    DoubleState& s = State();
    if (s.polledDevice) return DI_POLLEDDEVICE;
    s.eventProcess = GetCurrentProcessId();
    s.eventHandle = reinterpret_cast<std::uintptr_t>(event);
    given_ = ++s.eventGeneration;
    return DI_OK;
  }
  STDMETHOD(SetCooperativeLevel)(HWND window, DWORD flags) override {
    DoubleState& s = State();
    ++s.setCooperativeLevelCalls;
    s.cooperativeFlags = static_cast<std::int32_t>(flags);
    s.cooperativeWindow = reinterpret_cast<std::uintptr_t>(window);
    return IsWindow(window) ? DI_OK : E_HANDLE;
  }
  STDMETHOD(GetObjectInfo)(LPDIDEVICEOBJECTINSTANCEA, DWORD, DWORD) override {
    return DIERR_UNSUPPORTED;
  }
  STDMETHOD(GetDeviceInfo)(LPDIDEVICEINSTANCEA) override { return DIERR_UNSUPPORTED; }
  STDMETHOD(RunControlPanel)(HWND, DWORD) override { return DIERR_UNSUPPORTED; }
  STDMETHOD(Initialize)(HINSTANCE, DWORD, REFGUID) override { return DI_OK; }
  STDMETHOD(CreateEffect)(REFGUID, LPCDIEFFECT, LPDIRECTINPUTEFFECT*, LPUNKNOWN) override {
    return DIERR_UNSUPPORTED;
  }
  STDMETHOD(EnumEffects)(LPDIENUMEFFECTSCALLBACKA, LPVOID, DWORD) override { return DI_OK; }
  STDMETHOD(GetEffectInfo)(LPDIEFFECTINFOA, REFGUID) override { return DIERR_UNSUPPORTED; }
  STDMETHOD(GetForceFeedbackState)(LPDWORD) override { return DIERR_UNSUPPORTED; }
  STDMETHOD(SendForceFeedbackCommand)(DWORD) override { return DIERR_UNSUPPORTED; }
  STDMETHOD(EnumCreatedEffectObjects)
  (LPDIENUMCREATEDEFFECTOBJECTSCALLBACK, LPVOID, DWORD) override { return DI_OK; }
  STDMETHOD(Escape)(LPDIEFFESCAPE) override { return DIERR_UNSUPPORTED; }
  STDMETHOD(Poll)() override {
    DoubleState& s = State();
    ++s.pollCalls;
    return s.acquired ? DI_NOEFFECT : DIERR_NOTACQUIRED;
  }
  STDMETHOD(SendDeviceData)(DWORD, LPCDIDEVICEOBJECTDATA, LPDWORD, DWORD) override {
    return DIERR_UNSUPPORTED;
  }

 private:
  int index_;
  bool formatSet_ = false;
  std::int32_t given_ = 0;  // the generation of the event this device was given
};

class DirectInput : public Counted<IDirectInputA> {
 public:
  DirectInput() { ++State().liveObjects; }
  virtual ~DirectInput() { --State().liveObjects; }

  STDMETHOD(QueryInterface)(REFIID riid, void** out) override {
    if (riid != IID_IUnknown && riid != IID_IDirectInputA) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    *out = this;
    return S_OK;
  }
  STDMETHOD(CreateDevice)(REFGUID guid, LPDIRECTINPUTDEVICEA* device, LPUNKNOWN) override {
    DoubleState& s = State();
    *device = nullptr;
    if (s.attached <= 0) return DIERR_DEVICENOTREG;
    int index = 0;
    if (IsInstance(guid)) {
      ++s.createdFromInstance;
      while (Instance(index) != guid) ++index;
    } else if (guid == GUID_Joystick) {
      ++s.createdFromJoystickGuid;
    } else {
      return DIERR_DEVICENOTREG;
    }
    *device = new Device(index);
    return DI_OK;
  }
  STDMETHOD(EnumDevices)
  (DWORD type, LPDIENUMDEVICESCALLBACKA callback, LPVOID ref, DWORD flags) override {
    DoubleState& s = State();
    s.enumDevType = static_cast<std::int32_t>(type);
    s.enumFlags = static_cast<std::int32_t>(flags);
    if (type != 0 && type != DIDEVTYPE_JOYSTICK) return DI_OK;
    for (int listed = 0; listed < s.attached; ++listed) {
      const int first = s.listedFirst > 0 && s.listedFirst < s.attached ? s.listedFirst : 0;
      const int i = (listed + first) % s.attached;
      DIDEVICEINSTANCEA instance{};
      instance.dwSize = sizeof instance;
      instance.guidInstance = Instance(i);
      instance.guidProduct = Instance(0);
      instance.dwDevType = DIDEVTYPE_JOYSTICK | (DIDEVTYPEJOYSTICK_GAMEPAD << 8);
      const char* name = i < 2 && s.names[i][0] ? s.names[i] : "Double joystick";
      lstrcpynA(instance.tszInstanceName, name, MAX_PATH);
      lstrcpynA(instance.tszProductName, name, MAX_PATH);
      if (callback(&instance, ref) == DIENUM_STOP) break;
    }
    return DI_OK;
  }
  STDMETHOD(GetDeviceStatus)(REFGUID) override { return DI_OK; }
  STDMETHOD(RunControlPanel)(HWND, DWORD) override { return DI_OK; }
  STDMETHOD(Initialize)(HINSTANCE, DWORD) override { return DI_OK; }

 private:
};

}  // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI
    DirectInputCreateA(HINSTANCE, DWORD version, LPDIRECTINPUTA* out, LPUNKNOWN) {
  DoubleState& s = State();
  s.createVersion = version;
  *out = nullptr;
  if (s.failCreate) return DIERR_NOTINITIALIZED;
  *out = new DirectInput;
  return DI_OK;
}

extern "C" __declspec(dllexport) std::uint32_t VantrelDInputDouble() {
  return vantrel::test::kDoubleMagic;
}

#define DIRECTINPUT_VERSION 0x0500
#include "input/XInputReader_win.h"

#include <dinput.h>
#include <xinput.h>

#include <cstddef>

#include "input/JoystickState.h"
#include "input/PadLibraries_win.h"
#include "input/XInputPad.h"

namespace vantrel {

namespace {

// The device path of an Xbox pad's DirectInput twin holds "IG_".
struct GuidAndPath {
  DIPROPHEADER diph;
  GUID guidClass;
  WCHAR wszPath[MAX_PATH];
};
const GUID& kGuidAndPath = MAKEDIPROP(12);

}  // namespace

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

int XInputUserOfTwin(IDirectInputA& directInput, const std::vector<GUID>& instances, int chosen) {
  int twinsBefore = 0;
  for (int i = 0; i < chosen; ++i) {
    IDirectInputDeviceA* other = nullptr;
    if (FAILED(directInput.CreateDevice(instances[static_cast<std::size_t>(i)], &other, nullptr)) ||
        !other)
      continue;
    if (IsXInputTwin(*other)) ++twinsBefore;
    other->Release();
  }
  return ConnectedPad(twinsBefore);
}

XInputReader::XInputReader(int user, IDirectInputDeviceA* twin, std::uint32_t number,
                           const AxisTables& tables, int& overflows)
    : user_(user),
      twin_(twin),
      number_(number),
      tables_(tables),
      overflows_(overflows),
      controls_(XInputControls()) {
  state_.device = number;
}

bool XInputReader::Read(Millis now) {
  passed_.clear();
  if (twin_) {
    // The twin's axes go by: XInput reads them better.
    TakeKeptChanges(*twin_, now, changes_, overflows_);
    const RecordReading reading{.controls = controls_};
    PadState walk = state_;
    for (const KeptChange& change : changes_) {
      if (change.offset < static_cast<std::uint32_t>(kOffsetPov)) continue;
      if (!ApplyChange(walk, change.offset, change.data, reading)) continue;
      walk.time = change.time;
      passed_.push_back(walk);
    }
  }
  XINPUT_STATE raw{};
  if (XInputGetStateFunction()(static_cast<DWORD>(user_), &raw) != ERROR_SUCCESS) {
    passed_.clear();
    return false;
  }
  const XINPUT_GAMEPAD& g = raw.Gamepad;
  state_ = XInputPadState(
      {g.wButtons, g.bLeftTrigger, g.bRightTrigger, g.sThumbLX, g.sThumbLY, g.sThumbRX, g.sThumbRY},
      tables_);
  state_.device = number_;
  state_.time = now;
  return true;
}

}  // namespace vantrel

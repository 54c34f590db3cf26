// An XInput stand-in whose pads a test connects and drives through the
// shared XInputState block; with no test driving it, no pad is connected.
// Built as both names the program looks for. Test code: it never ships.
#include <windows.h>

#include <xinput.h>

#include "xinput/XInputState.h"

namespace {

vantrel::test::XInputState& State() {
  static vantrel::test::XInputState* state = [] {
    char name[256];
    const DWORD length =
        GetEnvironmentVariableA(vantrel::test::kXInputStateVariable, name, sizeof name);
    vantrel::test::XInputState* mapped =
        length > 0 && length < sizeof name ? vantrel::test::MapXInputState(name) : nullptr;
    static vantrel::test::XInputState own{};
    return mapped ? mapped : &own;
  }();
  return *state;
}

}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI XInputGetState(DWORD user, XINPUT_STATE* out) {
  vantrel::test::XInputState& s = State();
  ++s.getStateCalls;
  if (user >= 4 || !out) return ERROR_BAD_ARGUMENTS;
  const vantrel::test::XInputPadState& pad = s.pads[user];
  if (!pad.connected) return ERROR_DEVICE_NOT_CONNECTED;
  *out = XINPUT_STATE{};
  out->dwPacketNumber = ++s.packet;
  out->Gamepad.wButtons = pad.buttons;
  out->Gamepad.bLeftTrigger = pad.leftTrigger;
  out->Gamepad.bRightTrigger = pad.rightTrigger;
  out->Gamepad.sThumbLX = pad.thumbLX;
  out->Gamepad.sThumbLY = pad.thumbLY;
  out->Gamepad.sThumbRX = pad.thumbRX;
  out->Gamepad.sThumbRY = pad.thumbRY;
  return ERROR_SUCCESS;
}

extern "C" __declspec(dllexport) DWORD WINAPI XInputGetCapabilities(DWORD user, DWORD,
                                                                     XINPUT_CAPABILITIES* out) {
  if (user >= 4 || !out) return ERROR_BAD_ARGUMENTS;
  if (!State().pads[user].connected) return ERROR_DEVICE_NOT_CONNECTED;
  *out = XINPUT_CAPABILITIES{};
  out->Type = XINPUT_DEVTYPE_GAMEPAD;
  out->SubType = XINPUT_DEVSUBTYPE_GAMEPAD;
  return ERROR_SUCCESS;
}

#include "input/XInputPad.h"

#include <array>

#include "input/ScaleAxis.h"

namespace vantrel {

namespace {

// XINPUT_GAMEPAD's button bits in DirectInput's order.
constexpr std::array<std::uint16_t, kXInputButtons> kButtonBits{
    0x1000, 0x2000, 0x4000, 0x8000,  // A, B, X, Y
    0x0100, 0x0200,                  // LB, RB
    0x0020, 0x0010,                  // Back, Start
    0x0040, 0x0080};                 // the left and the right stick's click
constexpr std::uint16_t kDpadUp = 0x0001;
constexpr std::uint16_t kDpadDown = 0x0002;
constexpr std::uint16_t kDpadLeft = 0x0004;
constexpr std::uint16_t kDpadRight = 0x0008;

constexpr std::int32_t kThumbMin = -32768;
constexpr std::int32_t kThumbMax = 32767;

// A thumb's value turned over (its up is DirectInput's minus): the whole
// travel, end for end, without leaving it.
std::int32_t Upwards(std::int16_t value) { return kThumbMax + kThumbMin - value; }

std::int32_t Thumb(std::int32_t raw, std::int32_t deadZone, std::int32_t range) {
  return ScaleAxis(raw, kThumbMax, kThumbMin, deadZone, range);
}

std::uint32_t DpadHat(std::uint16_t buttons) {
  const bool up = buttons & kDpadUp, down = buttons & kDpadDown;
  const bool left = buttons & kDpadLeft, right = buttons & kDpadRight;
  // Opposite directions together (a worn pad) cancel out.
  const int v = (down ? 1 : 0) - (up ? 1 : 0);
  const int h = (right ? 1 : 0) - (left ? 1 : 0);
  if (v == 0 && h == 0) return kHatCentred;
  static constexpr std::uint32_t kAngles[3][3] = {
      {31500, 0, 4500}, {27000, kHatCentred, 9000}, {22500, 18000, 13500}};
  return kAngles[v + 1][h + 1];
}

std::int32_t TriggerTravel(std::uint8_t value) { return value * 1000 / 255; }

}  // namespace

JoystickState XInputRecord(const XInputPad& pad, const AxisTables& tables) {
  JoystickState record{};
  record.lX = Thumb(pad.thumbLX, tables.DeadZoneAt(kOffsetX), tables.RangeAt(kOffsetX));
  record.lY = Thumb(Upwards(pad.thumbLY), tables.DeadZoneAt(kOffsetY), tables.RangeAt(kOffsetY));
  record.lRx = Thumb(pad.thumbRX, 0, 1000);
  record.lRy = Thumb(Upwards(pad.thumbRY), 0, 1000);
  record.rgdwPOV[0] = DpadHat(pad.buttons);
  for (std::size_t i = 1; i < std::size(record.rgdwPOV); ++i) record.rgdwPOV[i] = kHatCentred;
  for (int i = 0; i < kXInputButtons; ++i)
    if (pad.buttons & kButtonBits[static_cast<std::size_t>(i)]) record.rgbButtons[i] = kButtonDownBit;
  return record;
}

ControllerState XInputController(const XInputPad& pad, const JoystickState& record,
                                 std::uint32_t device) {
  ControllerState state = ControllerFromRecord(record, device);
  state.splitTriggers = true;
  state.zPlusTrigger = TriggerTravel(pad.leftTrigger);
  state.zMinusTrigger = TriggerTravel(pad.rightTrigger);
  return state;
}

ControllerControls XInputControls() {
  ControllerControls controls;
  for (ControllerAxis axis : {AxisX, AxisY, AxisZ, AxisRx, AxisRy}) controls.axes.set(axis);
  controls.hat = true;
  return controls;
}

}  // namespace vantrel

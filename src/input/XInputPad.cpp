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
constexpr std::int32_t kTriggerMax = 255;
constexpr std::int32_t kTravel = 1000;

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

// A trigger's travel on the lower half of its axis.
std::int32_t Trigger(std::uint8_t value) { return value * kTravel / kTriggerMax - kTravel; }

}  // namespace

PadState XInputPadState(const XInputPad& pad, const AxisTables& tables) {
  PadState state;
  // No device scales the stick: the reader takes out what was asked for.
  const std::int32_t rangeX = tables.AskedRangeAt(kOffsetX);
  const std::int32_t rangeY = tables.AskedRangeAt(kOffsetY);
  state.axes[AxisX] = Thumb(pad.thumbLX, tables.AskedDeadZoneAt(kOffsetX), rangeX);
  state.axes[AxisY] = Thumb(Upwards(pad.thumbLY), tables.AskedDeadZoneAt(kOffsetY), rangeY);
  state.rawStick = {Thumb(pad.thumbLX, 0, rangeX), Thumb(Upwards(pad.thumbLY), 0, rangeY)};
  state.axes[AxisRx] = Thumb(pad.thumbRX, 0, kTravel);
  state.axes[AxisRy] = Thumb(Upwards(pad.thumbRY), 0, kTravel);
  state.axes[PadLeftTrigger] = Trigger(pad.leftTrigger);
  state.axes[PadRightTrigger] = Trigger(pad.rightTrigger);
  state.hat = DpadHat(pad.buttons);
  for (std::size_t i = 0; i < kButtonBits.size(); ++i)
    state.buttons.set(i, (pad.buttons & kButtonBits[i]) != 0);
  return state;
}

PadControls XInputControls() {
  PadControls controls;
  for (int axis : {AxisX, AxisY, AxisRx, AxisRy})
    controls.rests[static_cast<std::size_t>(axis)] = AxisRest::Middle;
  for (int axis : {PadLeftTrigger, PadRightTrigger})
    controls.rests[static_cast<std::size_t>(axis)] = AxisRest::Minimum;
  for (std::size_t axis = 0; axis < controls.rests.size(); ++axis)
    controls.axes.set(axis, controls.rests[axis].has_value());
  controls.hat = true;
  controls.buttons = kXInputButtons;
  return controls;
}

}  // namespace vantrel

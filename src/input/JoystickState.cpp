#include "input/JoystickState.h"

#include "input/ScaleAxis.h"

namespace vantrel {

namespace {

void SetAxis(PadState& state, std::size_t axis, std::int32_t value, const RecordReading& reading) {
  if (!reading.controls.axes.test(axis)) value = 0;
  state.axes[axis] = value;
  if (axis >= state.rawStick.size()) return;
  state.rawStick[axis] = value;
  if (reading.ownStickDeadZone)
    state.axes[axis] = DeadZoned(value, reading.stickRange[axis], reading.stickDeadZone[axis]);
}

}  // namespace

PadState PadFromRecord(const JoystickState& record, const RecordReading& reading) {
  PadState state;
  const std::int32_t axes[kControllerAxes] = {record.lX,           record.lY,          record.lZ,
                                              record.lRx,          record.lRy,         record.lRz,
                                              record.rglSlider[0], record.rglSlider[1]};
  for (std::size_t a = 0; a < kControllerAxes; ++a) SetAxis(state, a, axes[a], reading);
  if (reading.controls.hat) state.hat = record.rgdwPOV[0];
  for (std::size_t i = 0; i < std::size(record.rgbButtons); ++i)
    state.buttons.set(i, (record.rgbButtons[i] & kButtonDownBit) != 0);
  return state;
}

bool ApplyChange(PadState& state, std::uint32_t offset, std::uint32_t data,
                 const RecordReading& reading) {
  constexpr std::uint32_t kButtonsEnd = kOffsetButtons + kPadButtons;
  if (offset < kOffsetPov) {
    const std::size_t axis = offset / kAxisStride;
    if (offset % kAxisStride != 0 || !reading.controls.axes.test(axis)) return false;
    SetAxis(state, axis, static_cast<std::int32_t>(data), reading);
    return true;
  }
  if (offset == kOffsetPov) {
    if (!reading.controls.hat) return false;
    state.hat = data;
    return true;
  }
  if (offset >= kOffsetButtons && offset < kButtonsEnd) {
    state.buttons.set(offset - kOffsetButtons, (data & kButtonDownBit) != 0);
    return true;
  }
  return false;
}

Millis ChangeTime(Millis now, std::uint32_t tickNow, std::uint32_t stamp) {
  // The age in 32 bits is right across the clock's wrap-around.
  const auto age = static_cast<std::int32_t>(tickNow - stamp);
  return age > 0 ? now - age : now;
}

}  // namespace vantrel

#pragma once
// The record a DirectInput device fills, and how its records and the
// changes it keeps read as pad states.
#include <array>
#include <cstddef>
#include <cstdint>

#include "base/Time.h"
#include "input/AxisTables.h"
#include "input/PadState.h"

namespace vantrel {

// The state record every read fills: the 272-byte joystick state layout of
// the primary interface, so that the device can write into it directly and
// the per-offset tables index it by byte offset.
struct JoystickState {
  std::int32_t lX, lY, lZ;
  std::int32_t lRx, lRy, lRz;
  std::int32_t rglSlider[2];
  std::uint32_t rgdwPOV[4];
  std::uint8_t rgbButtons[128];
  std::int32_t lVX, lVY, lVZ, lVRx, lVRy, lVRz;
  std::int32_t rglVSlider[2];
  std::int32_t lAX, lAY, lAZ, lARx, lARy, lARz;
  std::int32_t rglASlider[2];
  std::int32_t lFX, lFY, lFZ, lFRx, lFRy, lFRz;
  std::int32_t rglFSlider[2];
};
static_assert(sizeof(JoystickState) == kStateRecordSize);
static_assert(offsetof(JoystickState, lX) == kOffsetX);
static_assert(offsetof(JoystickState, lY) == kOffsetY);
static_assert(offsetof(JoystickState, lZ) == kOffsetZ);
static_assert(offsetof(JoystickState, rgdwPOV) == kOffsetPov);
static_assert(offsetof(JoystickState, rgbButtons) == kOffsetButtons);

// A button counts as down when bit 7 of its byte is set.
constexpr std::uint8_t kButtonDownBit = 0x80;

// How a device's records read.
struct RecordReading {
  // What the device does not have holds nothing, whatever the record says.
  PadControls controls;
  // Set where the device was asked for the stick's X and Y without a dead
  // zone (a stick that is a pointer): the reader then takes out the dead
  // zone asked for, in percent of each axis's range.
  bool ownStickDeadZone = false;
  std::array<std::int32_t, 2> stickDeadZone{};
  std::array<std::int32_t, 2> stickRange{};
};

// A record as a pad state: buttons 1 ... 128 from bit 7 of their bytes, the
// eight axes, the first hat; the stick's X and Y as given in rawStick. The
// time and the device are the caller's.
PadState PadFromRecord(const JoystickState& record, const RecordReading& reading);

// One change a device kept (buffered data), by the byte offset of its object
// in the record and its new value, taken into `state` as PadFromRecord takes
// a record. False for an offset that is no axis, first hat or button the
// device has: such a change leaves the state as it was.
bool ApplyChange(PadState& state, std::uint32_t offset, std::uint32_t data,
                 const RecordReading& reading);

// When a change the device stamped `stamp` happened on the program's clock,
// given that `tickNow` on the device's clock (milliseconds that wrap round
// in 32 bits) is `now` on the program's. Never later than now: a stamp
// ahead of tickNow (the clock read a moment early) is now.
Millis ChangeTime(Millis now, std::uint32_t tickNow, std::uint32_t stamp);

}  // namespace vantrel

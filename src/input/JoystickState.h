#pragma once
#include <cstddef>
#include <cstdint>

#include "input/AxisTables.h"
#include "input/InputStates.h"

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

// Buttons 1 … 32 from bit 7 of their bytes; the directions from the signs of
// X and Y (a value of exactly 0 sets none).
InputStates StatesFromRecord(const JoystickState& state);

// One change a device reports of an object of the record (buffered data):
// its byte offset and its new value, taken into `record`. False for an
// offset that is no axis, hat or button of the record.
bool ApplyChange(JoystickState& record, std::uint32_t offset, std::uint32_t data);

// The capability values of the fallback interface a read needs.
struct MultimediaCaps {
  std::uint32_t wXmin = 0, wXmax = 0;
  std::uint32_t wYmin = 0, wYmax = 0;
  std::uint32_t wZmin = 0, wZmax = 0;
  std::uint32_t wNumButtons = 0;
};

// One position reading of the fallback interface.
struct MultimediaPosition {
  std::uint32_t dwXpos = 0, dwYpos = 0, dwZpos = 0;
  std::uint32_t dwButtons = 0;
  std::uint32_t dwPOV = 0;
};

// The state record of a fallback read: X, Y and Z scaled with the dead zone
// and range stored at their offsets, the hat as given, and every button below
// wNumButtons down when bit (i mod 32) of the button word is set. The record
// has room for 128 buttons; a larger count stops there.
JoystickState FallbackRecord(const MultimediaPosition& position, const MultimediaCaps& caps,
                             const AxisTables& tables);

}  // namespace vantrel

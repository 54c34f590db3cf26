#pragma once
// An Xbox pad as XInput reports it, as a pad state whose buttons, sticks
// and D-pad are numbered as its DirectInput twin numbers them, so that one
// profile works whichever way the pad is read.
#include <cstdint>

#include "input/AxisTables.h"
#include "input/PadState.h"

namespace vantrel {

// One reading of the pad (XINPUT_GAMEPAD's fields).
struct XInputPad {
  std::uint16_t buttons = 0;
  std::uint8_t leftTrigger = 0, rightTrigger = 0;
  std::int16_t thumbLX = 0, thumbLY = 0, thumbRX = 0, thumbRY = 0;
};

// Its buttons as DirectInput numbers them: A, B, X, Y, LB, RB, Back, Start,
// the left and the right stick's click are buttons 1 to 10.
inline constexpr int kXInputButtons = 10;

// The pad's state: those buttons; the left stick as X and Y, with the dead
// zone and range asked for them (Up is the stick pushed up, as DirectInput's
// Y grows downwards) and in rawStick without the dead zone; the right stick
// as Rx and Ry in -1000 ... +1000; the D-pad as the hat; LT and RT as the
// axes PadLeftTrigger and PadRightTrigger, each -1000 at rest to 0 pulled
// fully. The time and the device are the caller's.
PadState XInputPadState(const XInputPad& pad, const AxisTables& tables);

// The controls such a pad has (X, Y, Rx, Ry, the two triggers, the hat and
// ten buttons), its sticks resting in the middle and its triggers at their
// minimum.
PadControls XInputControls();

}  // namespace vantrel

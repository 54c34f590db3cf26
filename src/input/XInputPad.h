#pragma once
// An Xbox pad as XInput reports it, mapped onto the entries its DirectInput
// twin gives, so that one profile works whichever way the pad is read.
#include <cstdint>

#include "input/AxisTables.h"
#include "input/ControllerState.h"
#include "input/JoystickState.h"

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

// The state record: those buttons, the left stick as X and Y with the dead
// zone and range set for them (Up is the stick pushed up, as DirectInput's Y
// grows downwards), the right stick as Rx and Ry in -1000 ... +1000, and the
// D-pad as the first hat.
JoystickState XInputRecord(const XInputPad& pad, const AxisTables& tables);

// The controller's state: the record's axes and hat, and its two triggers as
// Z's sides, LT the plus side and RT the minus side, each on its own.
ControllerState XInputController(const XInputPad& pad, const JoystickState& record,
                                 std::uint32_t device);

// The controls such a pad has: X, Y, Z (the triggers), Rx, Ry and the hat.
ControllerControls XInputControls();

}  // namespace vantrel

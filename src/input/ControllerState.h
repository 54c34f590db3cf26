#pragma once
// What a reader delivers beyond the stick and the buttons: every axis, the
// first hat, and which of them the device has; and the rules that turn them
// into the hat's and the other axes' entries.
#include <array>
#include <bitset>
#include <cstdint>

#include "base/Entries.h"
#include "base/Time.h"
#include "input/JoystickState.h"
#include "input/PadState.h"

namespace vantrel {

struct ControllerState {
  // Which device gave it: a new number at each open, 0 while none is open.
  std::uint32_t device = 0;
  std::array<std::int32_t, kControllerAxes> axes{};  // in -1000 ... +1000
  std::uint32_t pov = kHatCentred;                   // hundredths of a degree
  // An Xbox pad read through XInput: Z's two sides are its two triggers,
  // each 0 ... 1000 of its travel, and both may be held at once.
  bool splitTriggers = false;
  std::int32_t zPlusTrigger = 0;   // LT
  std::int32_t zMinusTrigger = 0;  // RT
};

// The controls a device has, by its list of objects.
struct ControllerControls {
  std::bitset<kControllerAxes> axes;
  bool hat = false;
  ControllerControls() = default;
  // A pad's controls as the rows know them, an Xbox pad's triggers as Z's
  // two sides. It goes with the polling's JoystickReader.
  ControllerControls(const PadControls& pad) : hat(pad.hat) {
    for (std::size_t a = 0; a < kControllerAxes; ++a) axes.set(a, pad.axes.test(a));
    if (pad.axes.test(PadLeftTrigger) || pad.axes.test(PadRightTrigger)) axes.set(AxisZ);
  }
  bool operator==(const ControllerControls&) const = default;
};
// Whether the device has the control of the i-th entry after the stick's.
bool HasControl(const ControllerControls& controls, int extra);

// The axes and the first hat of a state record.
ControllerState ControllerFromRecord(const JoystickState& record, std::uint32_t device);

// Where an axis rests: where it lies when the controller is opened, taken
// as the nearest of the middle and the two ends (a stick rests in the
// middle, a trigger or a throttle at one end).
AxisRest RestOf(std::int32_t valueAtOpen);

// A side is down while the axis is beyond the dead zone (percent of the half
// travel, measured from the rest) away from its rest on that side: an axis
// resting at an end fires only its other side.
bool SideDown(std::int32_t value, AxisRest rest, int side, std::int32_t deadZonePercent);

// The hat's Up, Down, Left and Right: eight sectors of 45 degrees centred on
// 0 (Up), 4500 (Up and Right), 9000 (Right)...; a diagonal holds both of its
// directions. A value on a boundary belongs to the sector clockwise of it.
std::array<bool, 4> HatDirections(std::uint32_t pov);

// An axis first seen at an end that comes back within this much of the
// middle (of its half travel of 1000) and stays there for kSettleMs is a
// centred axis after all: a stick that was pushed while the controller
// opened. A trigger or a throttle at rest never sits there.
inline constexpr std::int32_t kMiddleBand = 50;
inline constexpr Millis kSettleMs = 500;

// What the polling keeps between runs for the other axes: the dead zone, and
// where each axis rests, learnt from the first read of each opened device.
struct AxisRules {
  std::int32_t DeadZoneAxes = 50;  // percent
  std::array<AxisRest, kControllerAxes> rests{};
  std::uint32_t restsOfDevice = 0;
  // Since when an axis learnt at an end has stood in the middle; kNever
  // while it does not.
  std::array<Millis, kControllerAxes> middleSince{};
  // Learns the rests when `state` comes from a device not seen yet (an
  // Xbox pad's sticks rest in the middle by definition, whatever they read
  // at first), and turns an axis learnt at an end into a centred one once
  // it has stayed in the middle; `now` is the time of the read.
  void Learn(const ControllerState& state, Millis now);
  // When an axis in the middle will have stayed there long enough to count
  // as centred, so that a read at that moment lets go of its other side;
  // kNever when none waits.
  Millis NextDue() const;
};

// Which of the entries after the stick's are down, in kAxisEntries order.
std::bitset<kExtraEntries> ExtraEntriesDown(const ControllerState& state, const AxisRules& rules);

}  // namespace vantrel

#pragma once
// The rules that turn a pad's axes and hat into the hat's and the other
// axes' entries: where an axis rests, when a side is down, the hat's
// sectors, and which controls a device has for them.
#include <array>
#include <bitset>
#include <cstdint>

#include "base/Entries.h"
#include "base/Time.h"
#include "input/PadState.h"

namespace vantrel {

// Whether the device has the control of the i-th entry after the stick's.
bool HasControl(const PadControls& controls, int extra);

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

}  // namespace vantrel

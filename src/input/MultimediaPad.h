#pragma once
// A joystick read through the multimedia joystick functions (the fallback
// where DirectInput has no interface), as a pad state.
#include <cstdint>

#include "input/AxisTables.h"
#include "input/PadState.h"

namespace vantrel {

// The capability bits of JOYCAPS a reading needs.
inline constexpr std::uint32_t kMultimediaHasZ = 0x0001;
inline constexpr std::uint32_t kMultimediaHasPov = 0x0010;

// The capability values of the fallback interface a read needs.
struct MultimediaCaps {
  std::uint32_t wXmin = 0, wXmax = 0;
  std::uint32_t wYmin = 0, wYmax = 0;
  std::uint32_t wZmin = 0, wZmax = 0;
  std::uint32_t wNumButtons = 0;
  std::uint32_t wCaps = 0;
};

// One position reading of the fallback interface.
struct MultimediaPosition {
  std::uint32_t dwXpos = 0, dwYpos = 0, dwZpos = 0;
  std::uint32_t dwButtons = 0;
  std::uint32_t dwPOV = 0;
};

// The pad state of a reading: X, Y and Z (where the joystick has it) scaled
// with the dead zone and range asked for at their offsets, the stick's X and
// Y in rawStick without the dead zone, the hat as given (where it has one),
// and every button below wNumButtons down when bit (i mod 32) of the button
// word is set. A state has room for 128 buttons; a larger count stops there.
// The time and the device are the caller's.
PadState MultimediaPadState(const MultimediaPosition& position, const MultimediaCaps& caps,
                            const AxisTables& tables);

// The controls such a joystick has: X, Y, Z and the hat as its caps say, and
// its buttons.
PadControls MultimediaControls(const MultimediaCaps& caps);

}  // namespace vantrel

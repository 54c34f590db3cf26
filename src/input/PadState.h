#pragma once
// One controller as a reader delivers it, whatever the backend (DirectInput,
// XInput, the multimedia functions): its buttons, its axes in -1000 ...
// +1000, its first hat, which of them the device has, and when it was so.
// Readers know nothing of entries: the edge stage turns these states into
// the entries' presses and releases.
#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/Entries.h"
#include "base/Time.h"

namespace vantrel {

// A pad's axes: the eight of the state record, then an Xbox pad's two
// triggers (ControllerAxis), each an axis of its own that rests at its
// minimum. A trigger's whole travel is the lower half of the axis, -1000 at
// rest to 0 pulled fully, so that the axes' dead zone is the same share of
// its travel as it always was.
enum PadAxis : std::uint8_t { PadLeftTrigger = AxisLeftTrigger, PadRightTrigger = AxisRightTrigger };
inline constexpr int kPadButtons = 128;

// A hat's value when it is centred (any value whose low word is 0xFFFF, or
// 36000 hundredths of a degree or more, counts as centred).
inline constexpr std::uint32_t kHatCentred = 0xFFFFFFFF;

// Where an axis rests.
enum class AxisRest : std::uint8_t { Middle, Minimum, Maximum };

// The controls a device has.
struct PadControls {
  std::bitset<kPadAxes> axes;
  bool hat = false;
  int buttons = 0;
  // Where the device's kind says an axis rests (an Xbox pad's sticks in the
  // middle, its triggers at their minimum); unset: learnt from the axis's
  // first reading.
  std::array<std::optional<AxisRest>, kPadAxes> rests{};
  bool operator==(const PadControls&) const = default;
};

struct PadState {
  // Which opening of a device gave it: a new number at each, 0 for none.
  std::uint32_t device = 0;
  // When the pad was so: the time of the read, or of a change the device
  // kept, by the device's own time stamp.
  Millis time = 0;
  std::bitset<kPadButtons> buttons;
  // The stick's X and Y with its dead zone taken out (their signs are the
  // stick's directions), the other axes as they are.
  std::array<std::int32_t, kPadAxes> axes{};
  // The stick's X and Y before any dead zone, for a stick that is a
  // pointer; the same as the axes where the device took it out itself.
  std::array<std::int32_t, 2> rawStick{};
  std::uint32_t hat = kHatCentred;
};

// A controller read by one backend.
class PadReader {
 public:
  virtual ~PadReader() = default;
  // Reads the pad at `now`. False when it gives no state: unplugged, lost,
  // or not to be read while the program is not in front. A failed read is
  // no state, not zeros: a throttle resting at its minimum must not read as
  // pushed to the middle.
  virtual bool Read(Millis now) = 0;
  // The state of the last read.
  virtual const PadState& State() const = 0;
  // The states the pad went through before it since the read before, oldest
  // first, where the device keeps its changes (none otherwise).
  virtual const std::vector<PadState>& Passed() const = 0;
  // The controls of the device read; none while none is open.
  virtual const PadControls& Controls() const = 0;
};

}  // namespace vantrel

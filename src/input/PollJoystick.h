#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "base/Time.h"
#include "bindings/Binding.h"
#include "input/ControllerState.h"
#include "input/InputStates.h"

namespace vantrel {

// One state of the controller: its buttons and the stick's directions, and
// every axis and the hat.
struct ReaderStep {
  InputStates states;
  ControllerState controller;
};

// What the polling needs of the joystick component: one read per run, the
// merged state set, the joystick reader's buttons, and its other axes and hat.
class JoystickReader {
 public:
  virtual ~JoystickReader() = default;
  virtual void ReadAll() = 0;
  // Whether the last read gave a state. A failed read gives none, not
  // zeros: a throttle resting at its minimum must not read as pushed to
  // the middle while its joystick is unplugged.
  virtual bool HasState() const { return true; }
  virtual InputStates MergedStates() const = 0;
  virtual bool ButtonDown(int index) const = 0;
  virtual const ControllerState& Controller() const = 0;
  // The states the device went through since the read before, oldest first,
  // where it reports its changes (none where only its state can be read).
  virtual const std::vector<ReaderStep>& Passed() const;
};

// Called once per change of an entry, after its Pressed has been written
// (1: press, 0: release).
using JoyButtonPressFn = std::function<void(std::uint8_t entry)>;

// One polling run: a read, then the horizontal directions, the vertical
// ones, the hat's Up, Down, Left and Right, the other axes' sides, and
// buttons 1 … N in that order, reporting every edge to `joyButtonPress`.
// A side of the stick stays held until its axis is back at rest, so crossing
// from one side to the other presses the second side with the first still
// held; the hat's directions and the other axes' sides each go down and up
// on their own. `rules` keeps the other axes' rests and dead zone; `now` is
// the time of the read. A read that gives no state lets go of every entry.
void PollJoystick(BindingTable& bindings, JoystickReader& reader, AxisRules& rules,
                  const JoyButtonPressFn& joyButtonPress, Millis now);

}  // namespace vantrel

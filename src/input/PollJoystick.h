#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "base/Time.h"
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

}  // namespace vantrel

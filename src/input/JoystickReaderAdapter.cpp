#include "input/JoystickReaderAdapter.h"

namespace vantrel {

namespace {

constexpr std::int32_t kTravel = 1000;

}  // namespace

InputStates StatesOfPad(const PadState& state) {
  InputStates states;
  for (int i = 0; i < kStateButtons; ++i)
    if (state.buttons.test(static_cast<std::size_t>(i))) states.set(StateButton(i));
  if (state.axes[AxisX] < 0) states.set(StateLeft);
  if (state.axes[AxisX] > 0) states.set(StateRight);
  if (state.axes[AxisY] < 0) states.set(StateUp);
  if (state.axes[AxisY] > 0) states.set(StateDown);
  return states;
}

ControllerState ControllerOfPad(const PadState& state, const PadControls& controls) {
  ControllerState controller;
  controller.device = state.device;
  for (std::size_t a = 0; a < kControllerAxes; ++a) controller.axes[a] = state.axes[a];
  controller.axes[AxisX] = state.rawStick[0];
  controller.axes[AxisY] = state.rawStick[1];
  controller.pov = state.hat;
  if (controls.axes.test(PadLeftTrigger) || controls.axes.test(PadRightTrigger)) {
    controller.splitTriggers = true;
    controller.zPlusTrigger = state.axes[PadLeftTrigger] + kTravel;
    controller.zMinusTrigger = state.axes[PadRightTrigger] + kTravel;
  }
  return controller;
}

void JoystickReaderAdapter::ReadAll() {
  hasState_ = pad_.Read(clock_());
  passed_.clear();
  if (!hasState_) {
    // Nothing read is no state: nothing held, the hat centred included.
    states_.reset();
    controller_ = {};
    controller_.device = pad_.State().device;
  } else {
    const PadControls& controls = pad_.Controls();
    for (const PadState& state : pad_.Passed())
      passed_.push_back({StatesOfPad(state), ControllerOfPad(state, controls)});
    states_ = StatesOfPad(pad_.State());
    controller_ = ControllerOfPad(pad_.State(), controls);
  }
  MergeStates(merged_, previousUnion_, states_);
}

}  // namespace vantrel

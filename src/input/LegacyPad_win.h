#pragma once
// The component read as a pad, until its readers fill pad states themselves.
#include "input/DXInput.h"
#include "input/PadState.h"

namespace vantrel {

class LegacyPad final : public PadReader {
 public:
  explicit LegacyPad(TCustomDXInput& input) : input_(input) {}
  bool Read(Millis now) override {
    input_.ReadAll();
    passed_.clear();
    controls_ = {};
    const ControllerControls& c = input_.Joystick.Controls();
    for (int a = 0; a < kControllerAxes; ++a) controls_.axes.set(static_cast<std::size_t>(a), c.axes.test(static_cast<std::size_t>(a)));
    controls_.hat = c.hat;
    if (input_.Joystick.ReadsXInput()) {
      controls_.axes.reset(AxisZ);
      controls_.axes.set(AxisLeftTrigger).set(AxisRightTrigger);
      for (int a = 0; a < kPadAxes; ++a) controls_.rests[static_cast<std::size_t>(a)] = AxisRest::Middle;
      controls_.rests[AxisLeftTrigger] = controls_.rests[AxisRightTrigger] = AxisRest::Minimum;
    }
    if (!input_.HasState()) return false;
    for (const ReaderStep& step : input_.Passed()) passed_.push_back(From(step.states, step.controller, now));
    InputStates states = input_.MergedStates();
    for (int i = 0; i < kStateButtons; ++i) states.set(StateButton(i), input_.ButtonDown(i));
    state_ = From(states, input_.Controller(), now);
    return true;
  }
  const PadState& State() const override { return state_; }
  const std::vector<PadState>& Passed() const override { return passed_; }
  const PadControls& Controls() const override { return controls_; }

 private:
  static PadState From(const InputStates& states, const ControllerState& c, Millis now) {
    PadState s;
    s.device = c.device;
    s.time = now;
    for (int i = 0; i < kStateButtons; ++i) s.buttons.set(static_cast<std::size_t>(i), states.test(StateButton(i)));
    for (int a = 0; a < kControllerAxes; ++a) s.axes[static_cast<std::size_t>(a)] = c.axes[static_cast<std::size_t>(a)];
    s.rawStick = {c.axes[AxisX], c.axes[AxisY]};
    s.axes[AxisX] = states.test(StateLeft) ? -1 : states.test(StateRight) ? 1 : 0;
    s.axes[AxisY] = states.test(StateUp) ? -1 : states.test(StateDown) ? 1 : 0;
    s.hat = c.pov;
    if (c.splitTriggers) {
      s.axes[AxisLeftTrigger] = c.zPlusTrigger - 1000;
      s.axes[AxisRightTrigger] = c.zMinusTrigger - 1000;
    }
    return s;
  }
  TCustomDXInput& input_;
  PadState state_;
  std::vector<PadState> passed_;
  PadControls controls_;
};

}  // namespace vantrel

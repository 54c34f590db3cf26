#pragma once
// The polling's old view of a controller (JoystickReader), computed from a
// PadReader's states. It goes once nothing reads through JoystickReader.
#include <vector>

#include "base/Time.h"
#include "input/ControllerState.h"
#include "input/InputStates.h"
#include "input/PadState.h"
#include "input/PollJoystick.h"

namespace vantrel {

// Buttons 1 ... 32 and the stick's directions by the signs of X and Y (a
// value of exactly 0 sets none).
InputStates StatesOfPad(const PadState& state);

// The axes (the stick's X and Y before any dead zone, which the pointer
// reads) and the hat; an Xbox pad's triggers as Z's two sides, each 0 ...
// 1000 of its travel.
ControllerState ControllerOfPad(const PadState& state, const PadControls& controls);

// A PadReader that reads through another. A class that implements
// JoystickReader too takes its PadReader side from here: one class cannot
// override both interfaces' Passed().
class PadReaderForward : public PadReader {
 public:
  explicit PadReaderForward(PadReader& to) : to_(to) {}
  bool Read(Millis now) override { return to_.Read(now); }
  const PadState& State() const override { return to_.State(); }
  const std::vector<PadState>& Passed() const override { return to_.Passed(); }
  const PadControls& Controls() const override { return to_.Controls(); }

 private:
  PadReader& to_;
};

// JoystickReader over a PadReader: each ReadAll reads the pad at the time
// `clock` gives and keeps what the polling asks of that read.
class JoystickReaderAdapter : public JoystickReader {
 public:
  using Clock = Millis (*)();
  JoystickReaderAdapter(PadReader& pad, Clock clock) : pad_(pad), clock_(clock) {}

  void ReadAll() override;
  bool HasState() const override { return hasState_; }
  InputStates MergedStates() const override { return merged_; }
  bool ButtonDown(int index) const override { return vantrel::ButtonDown(states_, index); }
  const ControllerState& Controller() const override { return controller_; }
  const std::vector<ReaderStep>& Passed() const override { return passed_; }

 private:
  PadReader& pad_;
  Clock clock_;
  bool hasState_ = false;
  InputStates states_;
  InputStates merged_;
  InputStates previousUnion_;
  ControllerState controller_;
  std::vector<ReaderStep> passed_;
};

}  // namespace vantrel

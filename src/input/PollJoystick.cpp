#include "input/PollJoystick.h"

namespace vantrel {

namespace {

// Press edges look for Pressed 0 and release edges for 1; nothing else is
// ever written.
void Press(BindingTable& bindings, std::uint8_t entry, const JoyButtonPressFn& joyButtonPress) {
  if (bindings[entry].Pressed != 0) return;
  bindings[entry].Pressed = 1;
  joyButtonPress(entry);
}

void Release(BindingTable& bindings, std::uint8_t entry, const JoyButtonPressFn& joyButtonPress) {
  if (bindings[entry].Pressed != 1) return;
  bindings[entry].Pressed = 0;
  joyButtonPress(entry);
}

// The entry numbers are read at each step: a press may reload the profile.
void PollAxis(BindingTable& bindings, bool low, bool high, std::uint8_t BindingTable::*lowEntry,
              std::uint8_t BindingTable::*highEntry, const JoyButtonPressFn& joyButtonPress) {
  if (low) {
    Press(bindings, bindings.*lowEntry, joyButtonPress);
  } else if (high) {
    Press(bindings, bindings.*highEntry, joyButtonPress);
  } else {
    Release(bindings, bindings.*lowEntry, joyButtonPress);
    Release(bindings, bindings.*highEntry, joyButtonPress);
  }
}

// The edges from the entries' remembered states to one state of the reader,
// whose hat and other axes hold `down`.
void Edges(BindingTable& bindings, const InputStates& states,
           const std::bitset<kExtraEntries>& down, const JoyButtonPressFn& joyButtonPress) {
  PollAxis(bindings, states.test(StateLeft), states.test(StateRight), &BindingTable::EntryLeft,
           &BindingTable::EntryRight, joyButtonPress);
  PollAxis(bindings, states.test(StateUp), states.test(StateDown), &BindingTable::EntryUp,
           &BindingTable::EntryDown, joyButtonPress);
  for (int i = 0; i < kExtraEntries; ++i) {
    const std::uint8_t e = bindings.ExtraEntry(i);
    if (down.test(static_cast<std::size_t>(i)))
      Press(bindings, e, joyButtonPress);
    else
      Release(bindings, e, joyButtonPress);
  }
  const int n = bindings.NumOfButtons();
  for (int entry = 1; entry <= n; ++entry) {
    const auto e = static_cast<std::uint8_t>(entry);
    if (ButtonDown(states, entry - 1))
      Press(bindings, e, joyButtonPress);
    else
      Release(bindings, e, joyButtonPress);
  }
}

}  // namespace

const std::vector<ReaderStep>& JoystickReader::Passed() const {
  static const std::vector<ReaderStep> kNone;
  return kNone;
}

void PollJoystick(BindingTable& bindings, JoystickReader& reader, AxisRules& rules,
                  const JoyButtonPressFn& joyButtonPress, Millis now) {
  reader.ReadAll();
  if (!reader.HasState()) {
    Edges(bindings, {}, {}, joyButtonPress);
    return;
  }
  const auto edges = [&](const InputStates& states, const ControllerState& controller) {
    rules.Learn(controller, now);
    Edges(bindings, states, ExtraEntriesDown(controller, rules), joyButtonPress);
  };
  // Every state the device passed through since the last read, in order,
  // so that a tap shorter than the time between reads still gives its press
  // and its release; then the state it is in now.
  for (const ReaderStep& step : reader.Passed()) edges(step.states, step.controller);
  InputStates states = reader.MergedStates();
  for (int i = 0; i < kStateButtons; ++i) states.set(StateButton(i), reader.ButtonDown(i));
  edges(states, reader.Controller());
}

}  // namespace vantrel

#include "input/InputStates.h"

namespace vantrel {

bool ButtonDown(const InputStates& states, int index) {
  return index >= 0 && index < kStateButtons && states.test(StateButton(index));
}

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

void MergeStates(InputStates& merged, InputStates& previousUnion, const InputStates& now) {
  merged |= now & ~previousUnion;
  merged &= ~(previousUnion & ~now);
  previousUnion = now;
}

}  // namespace vantrel

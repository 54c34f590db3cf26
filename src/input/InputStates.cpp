#include "input/InputStates.h"

namespace vantrel {

bool ButtonDown(const InputStates& states, int index) {
  return index >= 0 && index < kStateButtons && states.test(StateButton(index));
}

void MergeStates(InputStates& merged, InputStates& previousUnion, const InputStates& now) {
  merged |= now & ~previousUnion;
  merged &= ~(previousUnion & ~now);
  previousUnion = now;
}

}  // namespace vantrel

#pragma once
#include <bitset>
#include <cstdint>

#include "input/PadState.h"

namespace vantrel {

// The members of the joystick reader's state set; member k is bit k.
enum InputState : int {
  StateUp = 0,     // Y below 0
  StateDown = 1,   // Y above 0
  StateLeft = 2,   // X below 0
  StateRight = 3,  // X above 0
  StateButton1 = 4,
  StateButton32 = 35,
};
constexpr int kInputStateCount = 36;
// Only the first 32 buttons have a member.
constexpr int kStateButtons = 32;

using InputStates = std::bitset<kInputStateCount>;

// The member of joystick button `index` + 1 (index 0 … 31).
constexpr InputState StateButton(int index) {
  return static_cast<InputState>(StateButton1 + index);
}

// Whether the member of button `index` + 1 is in `states`; any index outside
// 0 … 31 is false, so entries beyond the 32nd button never fire.
bool ButtonDown(const InputStates& states, int index);

// Buttons 1 ... 32 and the stick's directions by the signs of X and Y (a
// value of exactly 0 sets none).
InputStates StatesOfPad(const PadState& state);

// The component's merge: members that appeared since the previous union are
// added to `merged`, members that went are removed, then the union is kept
// for the next read. Members that did not change are left as they are.
void MergeStates(InputStates& merged, InputStates& previousUnion, const InputStates& now);

}  // namespace vantrel

#include "input/JoystickState.h"

#include <algorithm>

#include "input/ScaleAxis.h"

namespace vantrel {

InputStates StatesFromRecord(const JoystickState& state) {
  InputStates states;
  for (int i = 0; i < kStateButtons; ++i)
    if (state.rgbButtons[i] & kButtonDownBit) states.set(StateButton(i));
  if (state.lX < 0) states.set(StateLeft);
  if (state.lX > 0) states.set(StateRight);
  if (state.lY < 0) states.set(StateUp);
  if (state.lY > 0) states.set(StateDown);
  return states;
}

namespace {

std::int32_t Scale(std::uint32_t raw, std::uint32_t max, std::uint32_t min,
                   const AxisTables& tables, int offset) {
  return ScaleAxis(static_cast<std::int32_t>(raw), static_cast<std::int32_t>(max),
                   static_cast<std::int32_t>(min), tables.DeadZoneAt(offset),
                   tables.RangeAt(offset));
}

}  // namespace

JoystickState FallbackRecord(const MultimediaPosition& position, const MultimediaCaps& caps,
                             const AxisTables& tables) {
  JoystickState state{};
  state.lX = Scale(position.dwXpos, caps.wXmax, caps.wXmin, tables, kOffsetX);
  state.lY = Scale(position.dwYpos, caps.wYmax, caps.wYmin, tables, kOffsetY);
  state.lZ = Scale(position.dwZpos, caps.wZmax, caps.wZmin, tables, kOffsetZ);
  state.rgdwPOV[0] = position.dwPOV;
  const std::uint32_t buttons =
      std::min<std::uint32_t>(caps.wNumButtons, std::size(state.rgbButtons));
  for (std::uint32_t i = 0; i < buttons; ++i)
    if (position.dwButtons & (1u << (i % 32))) state.rgbButtons[i] = kButtonDownBit;
  return state;
}

}  // namespace vantrel

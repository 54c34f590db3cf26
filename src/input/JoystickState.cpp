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

bool ApplyChange(JoystickState& record, std::uint32_t offset, std::uint32_t data) {
  constexpr std::uint32_t kAxesEnd = kOffsetPov;
  constexpr std::uint32_t kHatsEnd = kOffsetButtons;
  constexpr std::uint32_t kButtonsEnd = kOffsetButtons + sizeof record.rgbButtons;
  if (offset % 4 == 0 && offset < kAxesEnd) {
    std::int32_t* axes[] = {&record.lX,  &record.lY,  &record.lZ,           &record.lRx,
                            &record.lRy, &record.lRz, &record.rglSlider[0], &record.rglSlider[1]};
    *axes[offset / 4] = static_cast<std::int32_t>(data);
    return true;
  }
  if (offset % 4 == 0 && offset >= kAxesEnd && offset < kHatsEnd) {
    record.rgdwPOV[(offset - kAxesEnd) / 4] = data;
    return true;
  }
  if (offset >= kHatsEnd && offset < kButtonsEnd) {
    record.rgbButtons[offset - kHatsEnd] = static_cast<std::uint8_t>(data);
    return true;
  }
  return false;
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

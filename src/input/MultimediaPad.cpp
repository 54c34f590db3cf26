#include "input/MultimediaPad.h"

#include <algorithm>

#include "input/ScaleAxis.h"

namespace vantrel {

namespace {

std::int32_t Scale(std::uint32_t raw, std::uint32_t max, std::uint32_t min, std::int32_t deadZone,
                   std::int32_t range) {
  return ScaleAxis(static_cast<std::int32_t>(raw), static_cast<std::int32_t>(max),
                   static_cast<std::int32_t>(min), deadZone, range);
}

}  // namespace

PadState MultimediaPadState(const MultimediaPosition& position, const MultimediaCaps& caps,
                            const AxisTables& tables) {
  PadState state;
  // Nothing scales the axes but the reader, by what was asked for.
  const auto axis = [&](std::uint32_t raw, std::uint32_t max, std::uint32_t min, int offset,
                        bool deadZone) {
    return Scale(raw, max, min, deadZone ? tables.AskedDeadZoneAt(offset) : 0,
                 tables.AskedRangeAt(offset));
  };
  state.axes[AxisX] = axis(position.dwXpos, caps.wXmax, caps.wXmin, kOffsetX, true);
  state.axes[AxisY] = axis(position.dwYpos, caps.wYmax, caps.wYmin, kOffsetY, true);
  state.rawStick = {axis(position.dwXpos, caps.wXmax, caps.wXmin, kOffsetX, false),
                    axis(position.dwYpos, caps.wYmax, caps.wYmin, kOffsetY, false)};
  if (caps.wCaps & kMultimediaHasZ)
    state.axes[AxisZ] = axis(position.dwZpos, caps.wZmax, caps.wZmin, kOffsetZ, true);
  if (caps.wCaps & kMultimediaHasPov) state.hat = position.dwPOV;
  const std::uint32_t buttons = std::min<std::uint32_t>(caps.wNumButtons, kPadButtons);
  for (std::uint32_t i = 0; i < buttons; ++i)
    state.buttons.set(i, (position.dwButtons & (1u << (i % 32))) != 0);
  return state;
}

PadControls MultimediaControls(const MultimediaCaps& caps) {
  PadControls controls;
  controls.axes.set(AxisX);
  controls.axes.set(AxisY);
  controls.axes.set(AxisZ, (caps.wCaps & kMultimediaHasZ) != 0);
  controls.hat = (caps.wCaps & kMultimediaHasPov) != 0;
  controls.buttons = static_cast<int>(std::min<std::uint32_t>(caps.wNumButtons, kPadButtons));
  return controls;
}

}  // namespace vantrel

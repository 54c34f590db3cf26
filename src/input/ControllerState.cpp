#include "input/ControllerState.h"

#include <algorithm>

namespace vantrel {

namespace {

constexpr std::int32_t kTravel = 1000;  // an axis's half travel, as its range is set
constexpr std::uint32_t kFullCircle = 36000;
constexpr std::uint32_t kSector = 4500;

}  // namespace

bool HasControl(const PadControls& controls, int extra) {
  const AxisEntry& row = kAxisEntries[static_cast<std::size_t>(kStickEntries + extra)];
  if (row.control.kind == EntryControl::Hat) return controls.hat;
  return controls.axes.test(row.control.index) || controls.axes.test(row.instead.index);
}

AxisRest RestOf(std::int32_t valueAtOpen) {
  // Halfway between the middle and an end is the end's.
  if (valueAtOpen <= -kTravel / 2) return AxisRest::Minimum;
  if (valueAtOpen >= kTravel / 2) return AxisRest::Maximum;
  return AxisRest::Middle;
}

bool SideDown(std::int32_t value, AxisRest rest, int side, std::int32_t deadZonePercent) {
  const std::int64_t restValue =
      rest == AxisRest::Minimum ? -kTravel : (rest == AxisRest::Maximum ? kTravel : 0);
  const std::int64_t away = static_cast<std::int64_t>(value) - restValue;
  const std::int64_t beyond = static_cast<std::int64_t>(kTravel) * deadZonePercent / 100;
  return side < 0 ? away < -beyond : away > beyond;
}

std::array<bool, 4> HatDirections(std::uint32_t pov) {
  if ((pov & 0xFFFF) == 0xFFFF || pov >= kFullCircle) return {};
  const std::uint32_t sector = ((pov + kSector / 2) / kSector) % 8;  // 0 Up, 1 Up and Right...
  std::array<bool, 4> held{};
  held[HatUp] = sector == 7 || sector == 0 || sector == 1;
  held[HatRight] = sector >= 1 && sector <= 3;
  held[HatDown] = sector >= 3 && sector <= 5;
  held[HatLeft] = sector >= 5 && sector <= 7;
  return held;
}

}  // namespace vantrel

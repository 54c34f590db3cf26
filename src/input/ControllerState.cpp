#include "input/ControllerState.h"

#include <algorithm>

namespace vantrel {

namespace {

constexpr std::int32_t kTravel = 1000;  // an axis's half travel, as its range is set
constexpr std::uint32_t kFullCircle = 36000;
constexpr std::uint32_t kSector = 4500;

const EntryControl& ControlOf(int extra) {
  return kAxisEntries[static_cast<std::size_t>(kStickEntries + extra)].control;
}

}  // namespace

bool HasControl(const ControllerControls& controls, int extra) {
  const EntryControl& control = ControlOf(extra);
  return control.kind == EntryControl::Hat ? controls.hat : controls.axes.test(control.index);
}

ControllerState ControllerFromRecord(const JoystickState& record, std::uint32_t device) {
  ControllerState state;
  state.device = device;
  state.axes = {record.lX,  record.lY,  record.lZ,           record.lRx,
                record.lRy, record.lRz, record.rglSlider[0], record.rglSlider[1]};
  state.pov = record.rgdwPOV[0];
  return state;
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

void AxisRules::Learn(const ControllerState& state, Millis now) {
  if (state.device != restsOfDevice) {
    restsOfDevice = state.device;
    for (std::size_t a = 0; a < kControllerAxes; ++a) {
      rests[a] = state.splitTriggers ? AxisRest::Middle : RestOf(state.axes[a]);
      middleSince[a] = kNever;
    }
  }
  for (std::size_t a = 0; a < kControllerAxes; ++a) {
    if (rests[a] == AxisRest::Middle) continue;
    const std::int32_t value = state.axes[a];
    if (value < -kMiddleBand || value > kMiddleBand) {
      middleSince[a] = kNever;
      continue;
    }
    if (middleSince[a] == kNever) middleSince[a] = now;
    if (now - middleSince[a] >= kSettleMs) {
      rests[a] = AxisRest::Middle;
      middleSince[a] = kNever;
    }
  }
}

Millis AxisRules::NextDue() const {
  Millis due = kNever;
  for (std::size_t a = 0; a < kControllerAxes; ++a)
    if (rests[a] != AxisRest::Middle && middleSince[a] != kNever)
      due = std::min(due, middleSince[a] + kSettleMs);
  return due;
}

std::bitset<kExtraEntries> ExtraEntriesDown(const ControllerState& state, const AxisRules& rules) {
  // A hand-edited dead zone below 0 would hold a side at rest.
  const std::int32_t deadZone = std::clamp(rules.DeadZoneAxes, 0, 100);
  std::bitset<kExtraEntries> down;
  const std::array<bool, 4> hat = HatDirections(state.pov);
  for (int i = 0; i < kExtraEntries; ++i) {
    const EntryControl& control = ControlOf(i);
    if (control.kind == EntryControl::Hat) {
      down[static_cast<std::size_t>(i)] = hat[control.index];
      continue;
    }
    if (control.index == AxisZ && state.splitTriggers) {
      // Each trigger fires beyond the axes' dead-zone share of its travel.
      const std::int32_t pulled = control.side > 0 ? state.zPlusTrigger : state.zMinusTrigger;
      down[static_cast<std::size_t>(i)] =
          static_cast<std::int64_t>(pulled) * 100 > static_cast<std::int64_t>(kTravel) * deadZone;
      continue;
    }
    down[static_cast<std::size_t>(i)] = SideDown(state.axes[control.index], rules.rests[control.index],
                                                 control.side, deadZone);
  }
  return down;
}

}  // namespace vantrel

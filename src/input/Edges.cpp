#include "input/Edges.h"

#include <algorithm>

#include "bindings/Binding.h"
#include "input/ControllerState.h"

namespace vantrel {

namespace {

// The control that fires the i-th entry after the stick's on this pad.
const EntryControl& ControlOf(int extra, const PadControls& controls) {
  const AxisEntry& row = kAxisEntries[static_cast<std::size_t>(kStickEntries + extra)];
  const bool instead =
      row.instead.kind == EntryControl::Axis && controls.axes.test(row.instead.index);
  return instead ? row.instead : row.control;
}

}  // namespace

void EntryRules::Learn(const PadState& state, const PadControls& controls) {
  if (state.device != restsOfDevice_) {
    restsOfDevice_ = state.device;
    for (std::size_t a = 0; a < kPadAxes; ++a) {
      rests_[a] = controls.rests[a].value_or(RestOf(state.axes[a]));
      middleSince_[a] = kNever;
    }
  }
  for (std::size_t a = 0; a < kPadAxes; ++a) {
    // Only an axis whose rest was guessed can be guessed better.
    if (rests_[a] == AxisRest::Middle || controls.rests[a]) continue;
    const std::int32_t value = state.axes[a];
    if (value < -kMiddleBand || value > kMiddleBand) {
      middleSince_[a] = kNever;
      continue;
    }
    if (middleSince_[a] == kNever) middleSince_[a] = state.time;
    if (state.time - middleSince_[a] >= kSettleMs) {
      rests_[a] = AxisRest::Middle;
      middleSince_[a] = kNever;
    }
  }
}

Millis EntryRules::NextDue() const {
  Millis due = kNever;
  for (std::size_t a = 0; a < kPadAxes; ++a)
    if (rests_[a] != AxisRest::Middle && middleSince_[a] != kNever)
      due = std::min(due, middleSince_[a] + kSettleMs);
  return due;
}

std::bitset<kExtraEntries> EntryRules::ExtrasDown(const PadState& state,
                                                 const PadControls& controls) const {
  // A hand-edited dead zone below 0 would hold a side at rest.
  const std::int32_t deadZone = std::clamp(deadZoneAxes, 0, 100);
  std::bitset<kExtraEntries> down;
  const std::array<bool, 4> hat = HatDirections(controls.hat ? state.hat : kHatCentred);
  for (int i = 0; i < kExtraEntries; ++i) {
    const EntryControl& control = ControlOf(i, controls);
    const auto bit = static_cast<std::size_t>(i);
    if (control.kind == EntryControl::Hat) {
      down[bit] = hat[control.index];
      continue;
    }
    // What the device does not have holds nothing, whatever it reads.
    if (!controls.axes.test(control.index)) continue;
    down[bit] = SideDown(state.axes[control.index], rests_[control.index], control.side, deadZone);
  }
  return down;
}

void EdgeStage::SetDeadZoneAxes(std::int32_t percent) {
  for (Pad& p : pads_) p.rules.deadZoneAxes = percent;
}

void EdgeStage::Set(Pad& p, std::uint8_t pad, int entry, bool down, Millis time,
                    std::vector<Edge>& out) {
  const auto e = static_cast<std::size_t>(entry);
  if (p.held.test(e) == down) return;
  p.held.set(e, down);
  out.push_back({pad, static_cast<std::uint8_t>(entry), down, time});
  Trace(trace_, time, "edges", [&] {
    return "entry " + std::to_string(entry) + (down ? " down" : " up");
  });
}

void EdgeStage::StickAxis(Pad& p, std::uint8_t pad, bool low, bool high, int lowEntry,
                          int highEntry, Millis time, std::vector<Edge>& out) {
  if (low) {
    Set(p, pad, lowEntry, true, time, out);
  } else if (high) {
    Set(p, pad, highEntry, true, time, out);
  } else {
    Set(p, pad, lowEntry, false, time, out);
    Set(p, pad, highEntry, false, time, out);
  }
}

void EdgeStage::Feed(std::uint8_t pad, const PadState& state, const PadControls& controls,
                     std::vector<Edge>& out) {
  Pad& p = pads_[pad];
  p.last = state;
  p.controls = controls;
  p.hasLast = true;
  const int n = numOfButtons_;
  const Millis t = state.time;
  // Entries after the buttons, in table order: Up, Down, Left, Right.
  const int up = n + 1, down = n + 2, left = n + 3, right = n + 4;
  StickAxis(p, pad, state.axes[AxisX] < 0, state.axes[AxisX] > 0, left, right, t, out);
  StickAxis(p, pad, state.axes[AxisY] < 0, state.axes[AxisY] > 0, up, down, t, out);
  p.rules.Learn(state, controls);
  const std::bitset<kExtraEntries> extras = p.rules.ExtrasDown(state, controls);
  for (int i = 0; i < kExtraEntries; ++i)
    Set(p, pad, n + kStickEntries + 1 + i, extras.test(static_cast<std::size_t>(i)), t, out);
  // Only the first 32 buttons are read, as they always were.
  for (int b = 1; b <= n; ++b)
    Set(p, pad, b, b <= 32 && state.buttons.test(static_cast<std::size_t>(b - 1)), t, out);
}

std::vector<Edge> EdgeStage::Read(std::uint8_t pad, const PadReader& reader, bool gotState,
                                  Millis now) {
  std::vector<Edge> out;
  if (!gotState) {
    ReleaseAll(pad, now, out);
    pads_[pad].hasLast = false;
    return out;
  }
  for (const PadState& step : reader.Passed()) Feed(pad, step, reader.Controls(), out);
  Feed(pad, reader.State(), reader.Controls(), out);
  return out;
}

void EdgeStage::ReleaseAll(std::uint8_t pad, Millis now, std::vector<Edge>& out) {
  Pad& p = pads_[pad];
  const int n = numOfButtons_;
  for (int e : {n + 3, n + 4, n + 1, n + 2}) Set(p, pad, e, false, now, out);
  for (int i = 0; i < kExtraEntries; ++i) Set(p, pad, n + kStickEntries + 1 + i, false, now, out);
  for (int b = 1; b <= n; ++b) Set(p, pad, b, false, now, out);
}

bool EdgeStage::Held(std::uint8_t pad, int entry) const {
  return pad < kMaxPads && entry >= 0 && entry < 256 &&
         pads_[pad].held.test(static_cast<std::size_t>(entry));
}

bool EdgeStage::AnyHeld() const {
  return std::any_of(pads_.begin(), pads_.end(), [](const Pad& p) { return p.held.any(); });
}

Millis EdgeStage::NextDue() const {
  Millis due = kNever;
  for (const Pad& p : pads_)
    if (p.hasLast) due = std::min(due, p.rules.NextDue());
  return due;
}

void EdgeStage::Advance(Millis now, std::vector<Edge>& out) {
  for (std::size_t pad = 0; pad < pads_.size(); ++pad) {
    Pad& p = pads_[pad];
    if (!p.hasLast || p.rules.NextDue() > now) continue;
    PadState again = p.last;
    again.time = now;
    Feed(static_cast<std::uint8_t>(pad), again, p.controls, out);
  }
}

void EdgeStage::Resize(int numOfButtons, std::vector<Edge>* out, Millis now) {
  const int oldButtons = numOfButtons_;
  const int newButtons = std::clamp(numOfButtons, 0, kMaxButtons);
  for (std::size_t pad = 0; pad < pads_.size(); ++pad) {
    Pad& p = pads_[pad];
    std::bitset<256> moved;
    for (int e = 1; e <= EntryCount(); ++e) {
      if (!p.held.test(static_cast<std::size_t>(e))) continue;
      // Buttons keep their numbers; the entries after them follow the last.
      if (e <= oldButtons && e > newButtons) {
        if (out) out->push_back({static_cast<std::uint8_t>(pad), static_cast<std::uint8_t>(e), false, now});
        continue;
      }
      moved.set(static_cast<std::size_t>(e <= oldButtons ? e : e - oldButtons + newButtons));
    }
    p.held = moved;
  }
  numOfButtons_ = newButtons;
}

}  // namespace vantrel

#include "actions/Activators.h"

#include <algorithm>

namespace vantrel {

void ActivatorStage::Press(std::uint8_t pad, std::uint8_t entry, EntryShape shape, Millis time,
                           std::vector<Act>& out) {
  State& s = At(pad, entry);
  s = {State::Pressed, shape, shape.hold ? time + times_.hold : kNever, false};
  // A Hold layer comes on at once; whether the press was a tap is known at
  // its release.
  if (shape.layerHold) out.push_back({Act::Hold, Act::Down, pad, entry, time});
}

bool ActivatorStage::AwaitsSecond(std::uint8_t pad, std::uint8_t entry) const {
  return At(pad, entry).phase == State::AwaitSecond;
}

void ActivatorStage::Second(std::uint8_t pad, std::uint8_t entry, Millis time,
                            std::vector<Act>& out) {
  State& s = At(pad, entry);
  s.phase = State::Doubling;
  s.due = kNever;
  out.push_back({Act::Double, Act::Down, pad, entry, time});
}

bool ActivatorStage::Tracks(std::uint8_t pad, std::uint8_t entry) const {
  const State::Phase phase = At(pad, entry).phase;
  return phase == State::Pressed || phase == State::Holding || phase == State::Doubling;
}

void ActivatorStage::Release(std::uint8_t pad, std::uint8_t entry, Millis time,
                             std::vector<Act>& out) {
  State& s = At(pad, entry);
  switch (s.phase) {
    case State::Pressed: {
      if (s.shape.layerHold) out.push_back({Act::Hold, Act::Up, pad, entry, time});
      // A tap-or-layer entry that another press went out under was the layer.
      if (s.shape.layerHold && s.otherPressed) {
        s = {};
        return;
      }
      if (s.shape.twice) {
        s.phase = State::AwaitSecond;
        s.due = time + times_.twice;
        return;
      }
      out.push_back({Act::Plain, Act::Tap, pad, entry, time});
      s = {};
      return;
    }
    case State::Holding:
      out.push_back({Act::Hold, Act::Up, pad, entry, time});
      s = {};
      return;
    case State::Doubling:
      out.push_back({Act::Double, Act::Up, pad, entry, time});
      s = {};
      return;
    default: return;
  }
}

void ActivatorStage::OtherPressed(std::uint8_t pad, std::uint8_t entry) {
  for (std::size_t p = 0; p < states_.size(); ++p)
    for (std::size_t e = 0; e < states_[p].size(); ++e)
      if ((p != pad || e != entry) && states_[p][e].phase == State::Pressed)
        states_[p][e].otherPressed = true;
}

void ActivatorStage::Advance(Millis now, std::vector<Act>& out) {
  // In the order they fall due, each at its own time.
  for (;;) {
    State* next = nullptr;
    std::uint8_t nextPad = 0, nextEntry = 0;
    for (std::size_t p = 0; p < states_.size(); ++p)
      for (std::size_t e = 0; e < states_[p].size(); ++e) {
        State& s = states_[p][e];
        if (s.due <= now && (!next || s.due < next->due)) {
          next = &s;
          nextPad = static_cast<std::uint8_t>(p);
          nextEntry = static_cast<std::uint8_t>(e);
        }
      }
    if (!next) return;
    State& s = *next;
    const Millis at = s.due;
    s.due = kNever;
    if (s.phase == State::Pressed) {
      // Held through the hold time: a hold. A Hold layer is on already.
      s.phase = State::Holding;
      if (!s.shape.layerHold) out.push_back({Act::Hold, Act::Down, nextPad, nextEntry, at});
    } else if (s.phase == State::AwaitSecond) {
      // No second press came: the tap, at the window's end.
      out.push_back({Act::Plain, Act::Tap, nextPad, nextEntry, at});
      s = {};
    }
  }
}

Millis ActivatorStage::NextDue() const {
  Millis due = kNever;
  for (const auto& pad : states_)
    for (const State& s : pad) due = std::min(due, s.due);
  return due;
}

void ActivatorStage::Drop() {
  for (auto& pad : states_) pad.fill({});
}

void ActivatorStage::DropPending() {
  for (auto& pad : states_)
    for (State& s : pad) {
      if (s.phase == State::Pressed && s.shape.layerHold) {
        s.phase = State::Holding;
        s.due = kNever;
      } else if (s.phase == State::Pressed || s.phase == State::AwaitSecond) {
        s = {};
      }
    }
}

}  // namespace vantrel

#pragma once
// The activators: an entry with a Hold or a Double action cannot act at its
// press; what its press is (a tap, a hold, a double tap) is decided from
// its presses, its releases and the time. An entry with neither never comes
// here and acts at its press, as always.
#include <array>
#include <cstdint>
#include <vector>

#include "base/Time.h"
#include "input/Edges.h"

namespace vantrel {

struct ActivatorTimes {
  Millis hold = 200;   // held this long, it is a hold
  Millis twice = 250;  // a second press this soon after a tap is a double
  Millis tap = 40;     // how long a decided tap keeps its keys down
  bool operator==(const ActivatorTimes&) const = default;
};

// What an entry's press was resolved to, as far as the activators care.
struct EntryShape {
  bool hold = false;       // it has a Hold action
  bool twice = false;      // it has a Double action
  bool layerHold = false;  // its Hold action is a Hold layer: on at once
};

// An action of an entry going down or up, or a tap (down now, up after
// the tap time).
struct Act {
  enum Which : std::uint8_t { Plain, Hold, Double } which = Plain;
  enum Kind : std::uint8_t { Down, Up, Tap } kind = Down;
  std::uint8_t pad = 0;
  std::uint8_t entry = 0;
  Millis time = 0;
  bool operator==(const Act&) const = default;
};

class ActivatorStage {
 public:
  void Configure(const ActivatorTimes& times) { times_ = times; }
  const ActivatorTimes& Times() const { return times_; }

  // A press of an entry resolved to `shape`.
  void Press(std::uint8_t pad, std::uint8_t entry, EntryShape shape, Millis time,
             std::vector<Act>& out);
  // A second press while a tap waits for it: the Double action.
  bool AwaitsSecond(std::uint8_t pad, std::uint8_t entry) const;
  void Second(std::uint8_t pad, std::uint8_t entry, Millis time, std::vector<Act>& out);
  // Whether the entry's press is being decided or acted on here; its
  // release then comes here too.
  bool Tracks(std::uint8_t pad, std::uint8_t entry) const;
  void Release(std::uint8_t pad, std::uint8_t entry, Millis time, std::vector<Act>& out);
  // Another entry was pressed: a tap-or-layer entry held meanwhile is no tap.
  void OtherPressed(std::uint8_t pad, std::uint8_t entry);
  void Advance(Millis now, std::vector<Act>& out);
  Millis NextDue() const;
  // Forgets every entry, firing nothing: what they put down is the
  // ledger's to let go of.
  void Drop();
  // Every decision pending is dropped without firing: a tap waiting for its
  // second press, a press not yet a tap or a hold (its release then does
  // nothing). What went down stays down until its release: a decided hold
  // or double, and a Hold layer already on.
  void DropPending();

 private:
  struct State {
    enum Phase : std::uint8_t { Idle, Pressed, Holding, AwaitSecond, Doubling } phase = Idle;
    EntryShape shape;
    Millis due = kNever;  // Pressed: the hold time; AwaitSecond: the window's end
    bool otherPressed = false;
  };
  State& At(std::uint8_t pad, std::uint8_t entry) { return states_[pad][entry]; }
  const State& At(std::uint8_t pad, std::uint8_t entry) const { return states_[pad][entry]; }

  ActivatorTimes times_;
  std::array<std::array<State, 256>, kMaxPads> states_{};
};

}  // namespace vantrel

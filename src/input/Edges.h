#pragma once
// The first stage of the input pipeline: a pad's states become its entries'
// presses and releases (edges), each with its time. Which entries are held
// is kept here, per pad, and nowhere else: the binding table is
// configuration only.
#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

#include "base/Entries.h"
#include "base/Time.h"
#include "base/Trace.h"
#include "input/PadState.h"

namespace vantrel {

// One entry of one pad going down or up, at a time.
struct Edge {
  std::uint8_t pad = 0;
  std::uint8_t entry = 0;
  bool down = false;
  Millis time = 0;
  bool operator==(const Edge&) const = default;
};

// The pads a pipeline reads; for now the one controller read.
inline constexpr int kMaxPads = 1;

// The entries' rules over a pad's state: where each axis rests (learnt from
// the first reading of each device opened, or known from the device's
// kind), the other axes' dead zone, the hat's sectors, and which control
// fires which entry (kAxisEntries).
class EntryRules {
 public:
  std::int32_t deadZoneAxes = 50;  // percent of the half travel, from the rest

  // Learns the rests when `state` comes from a device not seen yet, and
  // turns an axis learnt at an end into a centred one once it has stayed in
  // the middle (a stick pushed while the controller opened).
  void Learn(const PadState& state, const PadControls& controls);
  // When an axis in the middle will have stayed there long enough to count
  // as centred; kNever when none waits.
  Millis NextDue() const;
  // Which of the entries after the stick's are down, in kAxisEntries order.
  std::bitset<kExtraEntries> ExtrasDown(const PadState& state, const PadControls& controls) const;
  AxisRest Rest(int axis) const { return rests_[static_cast<std::size_t>(axis)]; }

 private:
  std::array<AxisRest, kPadAxes> rests_{};
  std::uint32_t restsOfDevice_ = 0;
  std::array<Millis, kPadAxes> middleSince_{};
};

class EdgeStage {
 public:
  explicit EdgeStage(int numOfButtons = 0) { Resize(numOfButtons); }

  void SetDeadZoneAxes(std::int32_t percent);
  void SetTrace(TraceSink* trace) { trace_ = trace; }

  // The edges from the held entries of `pad` to the reader's last read:
  // every state the pad passed through, in order, then the one it is in.
  // A read that gave no state lets go of every entry.
  std::vector<Edge> Read(std::uint8_t pad, const PadReader& reader, bool gotState, Millis now);
  // The edges to one state of the pad. The horizontal directions first,
  // then the vertical ones, the hat's Up, Down, Left and Right, the other
  // axes' sides and the buttons 1 ... N. A side of the stick stays held
  // until its axis is back at rest, so crossing from one side to the other
  // presses the second with the first still held; the hat's directions and
  // the other axes' sides each go down and up on their own.
  void Feed(std::uint8_t pad, const PadState& state, const PadControls& controls,
            std::vector<Edge>& out);
  // Every held entry of `pad` comes up, in the order a state with nothing
  // held gives.
  void ReleaseAll(std::uint8_t pad, Millis now, std::vector<Edge>& out);
  // Forgets what is held without an edge: what the held entries put down
  // was let go of elsewhere, and a held input is pressed anew at the next
  // read.
  void Forget(std::uint8_t pad) { pads_[pad].held.reset(); }

  bool Held(std::uint8_t pad, int entry) const;
  bool AnyHeld() const;
  // When an axis settling in the middle is due to be looked at again.
  Millis NextDue() const;
  // The last state read of each pad, looked at again at `now`: an axis
  // that has settled lets go of the side it held.
  void Advance(Millis now, std::vector<Edge>& out);

  // The number of buttons. The entries after the buttons move with it, held
  // or not; a button that goes is let go of (its edge in `out`, if given).
  void Resize(int numOfButtons, std::vector<Edge>* out = nullptr, Millis now = 0);
  int NumOfButtons() const { return numOfButtons_; }
  int EntryCount() const { return numOfButtons_ + static_cast<int>(kAxisEntries.size()); }

 private:
  struct Pad {
    std::bitset<256> held;
    EntryRules rules;
    PadState last;
    PadControls controls;
    bool hasLast = false;
  };
  void Set(Pad& p, std::uint8_t pad, int entry, bool down, Millis time, std::vector<Edge>& out);
  void StickAxis(Pad& p, std::uint8_t pad, bool low, bool high, int lowEntry, int highEntry,
                 Millis time, std::vector<Edge>& out);

  std::array<Pad, kMaxPads> pads_{};
  int numOfButtons_ = 0;
  TraceSink* trace_ = nullptr;
};

}  // namespace vantrel

#pragma once
// The chord stage: an entry that belongs to a chord holds its press back at
// most the chord time, waiting for the chord's other entries. All of them
// down within it, the chord goes down instead, up when the first of them is
// released, and their own presses and releases go nowhere. The window
// passed, the presses held back go on, late by at most the chord time; an
// entry released before that goes on as a tap. An entry of no chord is
// never held back.
#include <array>
#include <cstdint>
#include <vector>

#include "base/Time.h"
#include "input/Edges.h"

namespace vantrel {

// An edge on its way, or a chord going down or up (`chord` >= 0, its
// number among the chords; `edge` the entry that decided it). `tap`: a
// press held back and released inside the window, which goes on as a press
// whose release is the pipeline's to time.
struct ChordStep {
  Edge edge;
  int chord = -1;
  bool tap = false;
  bool operator==(const ChordStep&) const = default;
};

class ChordStage {
 public:
  // Each chord's entries, two or three.
  void Configure(std::vector<std::vector<std::uint8_t>> chords, Millis chordTime);
  void Feed(const Edge& edge, std::vector<ChordStep>& out);
  void Advance(Millis now, std::vector<ChordStep>& out);
  Millis NextDue() const;
  // Forgets what waits and what is swallowed, firing nothing: before
  // everything held is let go of, or the chords change.
  void Drop();
  // Forgets the presses held back, firing nothing; a chord down stays down
  // until its first release: before another profile comes in.
  void DropWaiting();
  bool Member(std::uint8_t entry) const;

 private:
  struct Pad {
    std::vector<Edge> waiting;  // presses held back, in order
    Millis windowEnd = kNever;
    std::vector<std::uint8_t> swallowed;  // entries of a chord that went down
    int down = -1;                        // that chord, until its first release
  };
  std::vector<std::vector<std::uint8_t>> chords_;
  Millis chordTime_ = 50;
  std::array<Pad, kMaxPads> pads_{};
};

}  // namespace vantrel

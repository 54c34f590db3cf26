#pragma once
// The press ledger: what each press put down, kept by the input that caused
// it (its pad and entry) until its release undoes exactly that. Nothing
// looks the binding up again at the release: this is what keeps keys from
// sticking across switches, edits, unplugs and exit.
#include <array>
#include <cstdint>
#include <vector>

#include "actions/MouseMotion.h"
#include "bindings/Binding.h"
#include "input/Edges.h"

namespace vantrel {

// What one press set going.
struct Held {
  enum Kind : std::uint8_t { Nothing, Keys, Turbo, MouseButton, Motion, MouseOther, Layer };
  Kind kind = Nothing;
  std::uint8_t shift = 0;
  std::uint8_t vcode = 0;
  bool scanCodes = false;     // Keys: whether they went down with scan codes
  std::uint32_t upFlags = 0;  // MouseButton
  Axis axis = Axis::X;        // Motion
  std::uint8_t pad = 0;       // Layer: the input that put the layer on
  std::uint8_t entry = 0;
  // Whether it holds a key or a mouse button down.
  bool Down() const { return kind == Keys || kind == MouseButton; }
};

// What put something down, as the ledger keeps it: an entry's own action
// under the entry's number, its Hold and Double actions and the chords in
// slots of their own above every entry.
enum class Source : std::uint8_t { Plain, Hold, Double, Chord };
inline constexpr int kSlotsPerSource = 64;
static_assert(kMaxButtons + static_cast<int>(kAxisEntries.size()) < kSlotsPerSource &&
                  kMaxChords <= kSlotsPerSource,
              "a source's slots must not meet the next one's");
constexpr std::uint8_t Slot(Source source, int n) {
  return static_cast<std::uint8_t>(static_cast<int>(source) * kSlotsPerSource + n);
}

class PressLedger {
 public:
  void Put(std::uint8_t pad, std::uint8_t entry, Held held) { slots_[pad][entry] = held; }
  // Whether the slot holds something its release must undo.
  bool Holds(std::uint8_t pad, std::uint8_t entry) const {
    return slots_[pad][entry].kind != Held::Nothing;
  }
  // What the press of this input put down, taken out of the ledger.
  Held Take(std::uint8_t pad, std::uint8_t entry);
  // Everything, in order of pads and entries.
  std::vector<Held> TakeAll();
  bool AnyDown() const;
  // Everything in slots from `first` on, in order.
  std::vector<Held> TakeFrom(std::uint8_t first);
  // The number of buttons changes: the entries after the buttons move with
  // what they hold; what the buttons that go hold is taken out, in order.
  std::vector<Held> Resize(int oldButtons, int newButtons, int oldEntryCount);

 private:
  std::array<std::array<Held, 256>, kMaxPads> slots_{};
};

}  // namespace vantrel

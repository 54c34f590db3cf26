#pragma once
// What the chords dialog does apart from any window: its working list of
// chords, what it refuses, its lines, and the entries a capture on the
// controller takes. The dialog turns clicks and held rows into these calls.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bindings/Binding.h"

namespace vantrel {

// Why a set of entries cannot become a chord.
enum class ChordFault : std::uint8_t {
  None,
  Size,     // fewer than two distinct entries, or more than kMaxChordEntries
  Present,  // the list has a chord of the same entries
  Full,     // the list holds kMaxChords already
};

// The entries in ascending order, each once, entry 0 (no pick) left out:
// the order they were pressed or picked in makes no other chord.
std::vector<std::uint8_t> ChordSet(std::vector<std::uint8_t> entries);

// "Button 5 + Button 6: G": the entries by `label`, then `actionText`.
std::string ChordLine(const Chord& chord, const std::function<std::string(std::uint8_t)>& label,
                      const std::string& actionText);

// The chords being edited, which only OK gives the table.
class ChordList {
 public:
  void Assign(std::vector<Chord> chords) { chords_ = std::move(chords); }
  const std::vector<Chord>& Chords() const { return chords_; }
  int Count() const { return static_cast<int>(chords_.size()); }

  ChordFault FaultOf(const std::vector<std::uint8_t>& entries) const;
  // The chord of ChordSet(entries) joins the end of the list unless at fault.
  ChordFault Add(const std::vector<std::uint8_t>& entries, const Binding& action);
  // Any other index changes nothing.
  void Remove(int index);

 private:
  std::vector<Chord> chords_;
};

// The buttons pressed for a chord on the controller: the entries that were
// down together at the moment the most were down, taken once all are up. An
// entry already held when the capture started counts from its next press.
class ChordCapture {
 public:
  void Start();
  // True at the release that ends a capture; Taken() then holds its entries
  // (as ChordSet), until the next press starts another.
  bool Feed(std::uint8_t entry, bool held);
  const std::vector<std::uint8_t>& Taken() const { return taken_; }

 private:
  std::vector<std::uint8_t> down_;
  std::vector<std::uint8_t> most_;
  std::vector<std::uint8_t> taken_;
};

}  // namespace vantrel

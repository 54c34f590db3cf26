#include "config/ChordList.h"

#include <algorithm>

namespace vantrel {

std::vector<std::uint8_t> ChordSet(std::vector<std::uint8_t> entries) {
  std::erase(entries, std::uint8_t{0});
  std::sort(entries.begin(), entries.end());
  entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
  return entries;
}

std::string ChordLine(const Chord& chord, const std::function<std::string(std::uint8_t)>& label,
                      const std::string& actionText) {
  std::string line;
  for (const std::uint8_t e : chord.entries) {
    if (!line.empty()) line += " + ";
    line += label(e);
  }
  return line + ": " + actionText;
}

ChordFault ChordList::FaultOf(const std::vector<std::uint8_t>& entries) const {
  const std::vector<std::uint8_t> set = ChordSet(entries);
  if (set.size() < 2 || set.size() > static_cast<std::size_t>(kMaxChordEntries))
    return ChordFault::Size;
  // A profile written by hand may keep its entries in any order.
  const bool present = std::any_of(chords_.begin(), chords_.end(),
                                   [&](const Chord& c) { return ChordSet(c.entries) == set; });
  if (present) return ChordFault::Present;
  if (Count() >= kMaxChords) return ChordFault::Full;
  return ChordFault::None;
}

ChordFault ChordList::Add(const std::vector<std::uint8_t>& entries, const Binding& action) {
  const ChordFault fault = FaultOf(entries);
  if (fault == ChordFault::None) chords_.push_back({ChordSet(entries), action});
  return fault;
}

void ChordList::Remove(int index) {
  if (index >= 0 && index < Count()) chords_.erase(chords_.begin() + index);
}

void ChordCapture::Start() {
  down_.clear();
  most_.clear();
  taken_.clear();
}

bool ChordCapture::Feed(std::uint8_t entry, bool held) {
  const auto at = std::find(down_.begin(), down_.end(), entry);
  if (held) {
    if (at != down_.end()) return false;
    if (down_.empty()) most_.clear();
    down_.push_back(entry);
    if (down_.size() > most_.size()) most_ = down_;
    return false;
  }
  if (at == down_.end()) return false;  // held before the capture began
  down_.erase(at);
  if (!down_.empty()) return false;
  taken_ = ChordSet(most_);
  return true;
}

}  // namespace vantrel

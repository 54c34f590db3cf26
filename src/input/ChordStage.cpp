#include "input/ChordStage.h"

#include <algorithm>
#include <utility>

namespace vantrel {

namespace {

bool Has(const std::vector<std::uint8_t>& entries, std::uint8_t e) {
  return std::find(entries.begin(), entries.end(), e) != entries.end();
}

}  // namespace

void ChordStage::Configure(std::vector<std::vector<std::uint8_t>> chords, Millis chordTime) {
  if (chords != chords_) Drop();
  chords_ = std::move(chords);
  chordTime_ = chordTime;
}

bool ChordStage::Member(std::uint8_t entry) const {
  return std::any_of(chords_.begin(), chords_.end(),
                     [&](const std::vector<std::uint8_t>& c) { return Has(c, entry); });
}

void ChordStage::Feed(const Edge& edge, std::vector<ChordStep>& out) {
  Pad& p = pads_[edge.pad];
  const auto waiting = std::find_if(p.waiting.begin(), p.waiting.end(),
                                    [&](const Edge& w) { return w.entry == edge.entry; });
  if (!edge.down) {
    if (Has(p.swallowed, edge.entry)) {
      std::erase(p.swallowed, edge.entry);
      // The first release of the chord's entries lets go of the chord.
      if (p.down >= 0) out.push_back({edge, std::exchange(p.down, -1)});
      return;
    }
    if (waiting != p.waiting.end()) {
      // Released inside the window: a tap of its own, at the release.
      out.push_back({{edge.pad, edge.entry, true, edge.time}, -1, true});
      p.waiting.erase(waiting);
      if (p.waiting.empty()) p.windowEnd = kNever;
      return;
    }
    out.push_back({edge});
    return;
  }
  if (!Member(edge.entry) || waiting != p.waiting.end()) {
    out.push_back({edge});
    return;
  }
  if (p.waiting.empty()) p.windowEnd = edge.time + chordTime_;
  p.waiting.push_back(edge);
  for (std::size_t c = 0; c < chords_.size(); ++c) {
    const std::vector<std::uint8_t>& entries = chords_[c];
    const bool complete = std::all_of(entries.begin(), entries.end(), [&](std::uint8_t e) {
      return std::any_of(p.waiting.begin(), p.waiting.end(),
                         [&](const Edge& w) { return w.entry == e; });
    });
    if (!complete) continue;
    out.push_back({edge, static_cast<int>(c)});
    p.down = static_cast<int>(c);
    for (const std::uint8_t e : entries) p.swallowed.push_back(e);
    std::erase_if(p.waiting, [&](const Edge& w) { return Has(entries, w.entry); });
    if (p.waiting.empty()) p.windowEnd = kNever;
    return;
  }
}

void ChordStage::Advance(Millis now, std::vector<ChordStep>& out) {
  for (Pad& p : pads_) {
    if (p.windowEnd > now) continue;
    // The window passed: the presses held back go on, at its end.
    for (Edge edge : p.waiting) {
      edge.time = p.windowEnd;
      out.push_back({edge});
    }
    p.waiting.clear();
    p.windowEnd = kNever;
  }
}

Millis ChordStage::NextDue() const {
  Millis due = kNever;
  for (const Pad& p : pads_) due = std::min(due, p.windowEnd);
  return due;
}

void ChordStage::Drop() {
  for (Pad& p : pads_) p = Pad{};
}

void ChordStage::DropWaiting() {
  for (Pad& p : pads_) {
    p.waiting.clear();
    p.windowEnd = kNever;
  }
}

}  // namespace vantrel

#include "actions/PressLedger.h"

#include <utility>

namespace vantrel {

Held PressLedger::Take(std::uint8_t pad, std::uint8_t entry) {
  return std::exchange(slots_[pad][entry], {});
}

std::vector<Held> PressLedger::TakeAll() {
  std::vector<Held> all;
  for (auto& pad : slots_)
    for (Held& held : pad)
      if (held.kind != Held::Nothing) all.push_back(std::exchange(held, {}));
  return all;
}

std::vector<Held> PressLedger::TakeFrom(std::uint8_t first) {
  std::vector<Held> taken;
  for (auto& pad : slots_)
    for (std::size_t slot = first; slot < pad.size(); ++slot)
      if (pad[slot].kind != Held::Nothing) taken.push_back(std::exchange(pad[slot], {}));
  return taken;
}

bool PressLedger::AnyDown() const {
  for (const auto& pad : slots_)
    for (const Held& held : pad)
      if (held.Down() || held.kind == Held::Turbo || held.kind == Held::Motion) return true;
  return false;
}

std::vector<Held> PressLedger::Resize(int oldButtons, int newButtons, int oldEntryCount) {
  std::vector<Held> gone;
  for (auto& pad : slots_) {
    std::array<Held, 256> moved{};
    for (int e = 1; e <= oldEntryCount && e < 256; ++e) {
      Held& held = pad[static_cast<std::size_t>(e)];
      // Buttons keep their numbers; the entries after them follow the last.
      const int to = e <= oldButtons ? (e <= newButtons ? e : 0) : e - oldButtons + newButtons;
      if (to == 0) {
        if (held.kind != Held::Nothing) gone.push_back(held);
        continue;
      }
      moved[static_cast<std::size_t>(to)] = held;
    }
    pad = moved;
  }
  return gone;
}

}  // namespace vantrel

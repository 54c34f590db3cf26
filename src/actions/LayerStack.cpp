#include "actions/LayerStack.h"

#include <algorithm>

namespace vantrel {

Held LayerStack::Press(std::uint8_t pad, std::uint8_t entry, const Binding& b) {
  const Held held{.kind = Held::Layer, .pad = pad, .entry = entry};
  if (b.LayerMode == LayerSet) {
    standing_ = std::clamp<int>(b.Layer, 0, kLayers);
    Update();
    return {};
  }
  if (b.Layer < 1 || b.Layer > kLayers) return {};
  const auto mine = [&](const On& on) {
    return on.pad == pad && on.entry == entry && on.layer == b.Layer && on.mode == LayerToggle;
  };
  switch (b.LayerMode) {
    case LayerToggle:
      // The next press of the entry that turned it on turns it off.
      if (std::erase_if(on_, mine) == 0) on_.push_back({b.Layer, LayerToggle, pad, entry});
      Update();
      return {};
    case LayerOnce:
      on_.push_back({b.Layer, LayerOnce, pad, entry});
      Update();
      return held;
    default:  // Hold, and a mode no one knows
      on_.push_back({b.Layer, LayerHold, pad, entry});
      Update();
      return held;
  }
}

void LayerStack::Release(const Held& held) {
  if (held.kind != Held::Layer) return;
  // Whatever layer is on by now, the input takes off what it put on.
  std::erase_if(on_, [&](const On& on) {
    return on.pad == held.pad && on.entry == held.entry &&
           (on.mode == LayerHold || (on.mode == LayerOnce && on.used));
  });
  for (On& on : on_)
    if (on.pad == held.pad && on.entry == held.entry && on.mode == LayerOnce) on.held = false;
  Update();
}

bool LayerStack::CancelOnce(std::uint8_t pad, std::uint8_t entry) {
  const bool cancelled =
      std::erase_if(on_, [&](const On& on) {
        return on.pad == pad && on.entry == entry && on.mode == LayerOnce && !on.held && !on.used;
      }) != 0;
  if (cancelled) Update();
  return cancelled;
}

void LayerStack::Pressed(std::uint8_t pad, std::uint8_t entry) {
  const auto other = [&](const On& on) {
    return on.mode == LayerOnce && !on.used && (on.pad != pad || on.entry != entry);
  };
  // A Once layer whose entry is up is done; one still held is a Hold layer
  // from now on, which its entry's release takes off.
  std::erase_if(on_, [&](const On& on) { return other(on) && !on.held; });
  for (On& on : on_)
    if (other(on)) on.used = true;
  Update();
}

void LayerStack::Drop() {
  on_.clear();
  standing_ = 0;
  Update();
}

void LayerStack::Update() {
  topFirst_.clear();
  for (auto on = on_.rbegin(); on != on_.rend(); ++on) topFirst_.push_back(on->layer);
  if (standing_ > 0) topFirst_.push_back(standing_);
}

}  // namespace vantrel

#pragma once
// An input sink and a host that record what the pipeline did.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "actions/ActionHost.h"
#include "actions/InputSink.h"

namespace vantrel::test {

// Keys as "k65" down and "^k65" up; moves summed.
struct KeySink : InputSink {
  bool SendKeys(std::span<const KeyStroke> strokes) override {
    for (const KeyStroke& k : strokes) {
      if (k.vk == 0) continue;  // the modifier-less event
      const std::string key = (k.flags & kKeyEventKeyUp ? "^k" : "k") + std::to_string(k.vk);
      events.push_back(key);
      down[k.vk] += k.flags & kKeyEventKeyUp ? -1 : 1;
    }
    return true;
  }
  std::uint8_t ScanCode(std::uint8_t) override { return 0; }
  bool MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t) override {
    if (flags == kMouseMove) {
      x += dx;
      y += dy;
    } else {
      events.push_back("m" + std::to_string(flags));
      if (flags == kMouseLeftDown) ++buttons;
      if (flags == kMouseLeftUp) --buttons;
    }
    return true;
  }
  std::vector<std::string> events;
  std::map<int, int> down;  // every key's downs less its ups
  int buttons = 0;
  long x = 0, y = 0;
};

struct TimelineHost : ActionHost {
  void SetRowHeld(std::uint8_t e, bool h) override { red[e] = h; }
  bool TurboChecked(std::uint8_t e) const override { return turbo.contains(e); }
  std::string RowText(std::uint8_t) const override { return {}; }
  void SetRowText(std::uint8_t, const std::string&) override {}
  void LoadProfile(const std::string& path, std::uint8_t) override {
    if (onLoad) onLoad(path);
  }
  void ProfileSwitched(const std::string&, const std::string&) override {}
  void Launch(const std::string&) override {}
  void LayerChanged(int layer) override { layers.push_back(layer); }
  std::map<int, bool> red;
  std::map<int, bool> turbo;
  std::function<void(const std::string&)> onLoad;
  std::vector<int> layers;  // each change of the layer that decides first
};

}  // namespace vantrel::test

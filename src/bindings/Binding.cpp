#include "bindings/Binding.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "bindings/KeyName.h"

namespace vantrel {

void BindingTable::Resize(int numOfButtons) {
  numOfButtons_ = std::clamp(numOfButtons, 0, kMaxButtons);
  Bindings.resize(static_cast<std::size_t>(EntryCount()) + 1);
  for (auto& layer : Layers) layer.resize(Bindings.size());
  EntryUp = static_cast<std::uint8_t>(numOfButtons_ + 1);
  EntryDown = static_cast<std::uint8_t>(numOfButtons_ + 2);
  EntryLeft = static_cast<std::uint8_t>(numOfButtons_ + 3);
  EntryRight = static_cast<std::uint8_t>(numOfButtons_ + 4);
}

void ClearFields(Binding& b) {
  Binding cleared;
  cleared.Action = b.Action;
  // The Hold and Double actions are actions of their own.
  cleared.Hold = std::move(b.Hold);
  cleared.Double = std::move(b.Double);
  b = std::move(cleared);
}

void BindingTable::ClearFields(std::uint8_t e) { vantrel::ClearFields((*this)[e]); }

std::string BindingTable::ActToStr(std::uint8_t e, const KeptTexts& texts) const {
  // Every direction of a pointer stick says what the stick does.
  if (PointerOwns(e)) return KeyName(kPointerStickCode, texts);
  return BindingText((*this)[e], texts);
}

std::string BindingTable::BindingText(const Binding& b, const KeptTexts& texts) const {
  // "Esc / hold: Layer Driving / double: F5"
  std::string text = ActionText(b, texts, false);
  const auto part = [&](const std::vector<Binding>& actions, const std::string& word) {
    if (const Binding* bound = Bound(actions))
      text += (text.empty() ? "" : " / ") + word + ": " + ActionText(*bound, texts, true);
  };
  part(b.Hold, texts.HoldPart);
  part(b.Double, texts.DoublePart);
  return text;
}

std::string BindingTable::ActionText(const Binding& b, const KeptTexts& texts, bool part) const {
  switch (b.Action) {
    case ActEmulKey: {
      std::string text = KeyName(b.Shift, texts);
      if (!text.empty()) text += '+';
      return text + KeyName(b.VCode, texts);
    }
    case ActEmulClick: return KeyName(b.VCode, texts);
    case ActRun: return FileNamePart(b.Execute, "filename");
    case ActChangeIni:
      // The profile the first press will load: the second of the list, or
      // the only one.
      if (b.INI.empty()) return {};
      return FileNamePart(b.INI.size() > 1 ? b.INI[1] : b.INI[0], "filename");
    case ActLayer: {
      // "Layer: Driving (hold)"; as a Hold or Double action "Layer Driving",
      // its mode named only when it is not Hold.
      const std::string* modes[] = {&texts.LayerHold, &texts.LayerToggle, &texts.LayerOnce,
                                    &texts.LayerSet};
      const bool known = b.LayerMode < 4;
      const std::string& mode = known ? *modes[b.LayerMode] : texts.LayerHold;
      if (part)
        return texts.Layer + " " + LayerName(b.Layer, texts) +
               (known && b.LayerMode != LayerHold ? " (" + mode + ")" : "");
      return texts.Layer + ": " + LayerName(b.Layer, texts) + " (" + mode + ")";
    }
    default: return {};
  }
}

const AxisEntry* BindingTable::AxisEntryOf(int e) const {
  if (e <= numOfButtons_ || e > EntryCount()) return nullptr;
  return &kAxisEntries[static_cast<std::size_t>(e - numOfButtons_ - 1)];
}

PointerStick BindingTable::StickOf(int e) const {
  const AxisEntry* entry = AxisEntryOf(e);
  return entry ? StickOfControl(entry->control) : PointerStick::None;
}

int BindingTable::PointerEntryOf(PointerStick stick) const {
  if (stick == PointerStick::None) return 0;
  for (int e = numOfButtons_ + 1; e <= EntryCount(); ++e) {
    const Binding& b = Bindings[static_cast<std::size_t>(e)];
    if (StickOf(e) == stick && b.Action == ActEmulClick && b.VCode == kPointerStickCode) return e;
  }
  return 0;
}

std::optional<Binding>& BindingTable::InLayer(int layer, std::uint8_t e) {
  return Layers.at(static_cast<std::size_t>(layer - 1)).at(e);
}

const std::optional<Binding>& BindingTable::InLayer(int layer, std::uint8_t e) const {
  return Layers.at(static_cast<std::size_t>(layer - 1)).at(e);
}

bool BindingTable::HasLayers() const {
  for (int n = 1; n <= kLayers; ++n) {
    if (!LayerNames[static_cast<std::size_t>(n - 1)].empty()) return true;
    for (const std::optional<Binding>& b : Layers[static_cast<std::size_t>(n - 1)])
      if (b) return true;
  }
  return false;
}

const Binding& BindingTable::Resolve(const std::vector<int>& layers, std::uint8_t e,
                                     int* decidedBy) const {
  for (const int layer : layers) {
    if (layer < 1 || layer > kLayers) continue;
    if (const std::optional<Binding>& b = InLayer(layer, e)) {
      if (decidedBy) *decidedBy = layer;
      return *b;
    }
  }
  if (decidedBy) *decidedBy = 0;
  return (*this)[e];
}

int BindingTable::PointerEntryOf(PointerStick stick, const std::vector<int>& layers) const {
  if (stick == PointerStick::None) return 0;
  for (int e = numOfButtons_ + 1; e <= EntryCount(); ++e) {
    const Binding& b = Resolve(layers, static_cast<std::uint8_t>(e));
    if (StickOf(e) == stick && b.Action == ActEmulClick && b.VCode == kPointerStickCode) return e;
  }
  return 0;
}

std::string BindingTable::RowText(int layer, std::uint8_t e, const KeptTexts& texts) const {
  if (layer < 1 || layer > kLayers) return ActToStr(e, texts);
  const std::optional<Binding>& b = InLayer(layer, e);
  if (!b) return ActToStr(e, texts);
  // A direction of a stick that this layer makes a pointer says so.
  const PointerStick stick = StickOf(e);
  if (stick != PointerStick::None && PointerEntryOf(stick, {layer}) != 0)
    return KeyName(kPointerStickCode, texts);
  if (b->Action == ActNone) return texts.Nothing;
  return BindingText(*b, texts);
}

std::string BindingTable::LayerName(int layer, const KeptTexts& texts) const {
  if (layer < 1 || layer > kLayers) return texts.Base;
  const std::string& own = LayerNames[static_cast<std::size_t>(layer - 1)];
  if (!own.empty()) return own;
  // "Layer %d", the layer's number for its %d.
  std::string name = texts.LayerName;
  const std::size_t at = name.find("%d");
  if (at != std::string::npos) name.replace(at, 2, std::to_string(layer));
  return name;
}

int BindingTable::EntryOf(std::string_view prefix) const {
  const auto same = [](std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return std::tolower(static_cast<unsigned char>(x)) ==
             std::tolower(static_cast<unsigned char>(y));
    });
  };
  for (int e = 1; e <= EntryCount(); ++e)
    if (same(Prefix(static_cast<std::uint8_t>(e)), prefix)) return e;
  return 0;
}

std::string BindingTable::Prefix(std::uint8_t e) const {
  if (const AxisEntry* entry = AxisEntryOf(e)) return entry->prefix;
  return "Button" + std::to_string(e);
}

std::string FileNamePart(std::string_view path, std::string_view mode) {
  const bool wantsPath = mode == "path";
  if (path.size() > 4) {
    for (std::size_t i = path.size() - 4; i-- > 0;) {
      if (path[i] == '\\')
        return std::string(wantsPath ? path.substr(0, i + 1) : path.substr(i + 1));
    }
  }
  return wantsPath ? std::string() : std::string(path);
}

}  // namespace vantrel

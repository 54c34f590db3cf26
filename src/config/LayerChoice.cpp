#include "config/LayerChoice.h"

#include <algorithm>
#include <utility>

#include "base/Text.h"

namespace vantrel {

namespace {

std::string_view WithoutBlanksAround(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool Quoted(std::string_view text) {
  return text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
         text.back() == text.front();
}

}  // namespace

// Each step may uncover what another takes away (blanks inside the quotes,
// a blank where the cut falls), so they run until the name stays as it is.
std::string StorableLayerName(std::string_view typed) {
  std::string name = WithoutControlCharacters(typed);
  for (;;) {
    std::string_view next = WithoutBlanksAround(name);
    if (Quoted(next)) next = next.substr(1, next.size() - 2);
    next = next.substr(0, kMaxLayerName);
    if (next == name) return name;
    name = std::string(next);
  }
}

void LayerChoice::Assign(const std::optional<Binding>& entry,
                         const std::array<std::string, kLayers>& names) {
  names_ = names;
  layer_ = 1;
  mode_ = LayerHold;
  if (!entry || entry->Action != ActLayer) return;
  mode_ =
      entry->LayerMode < kLayerModes.size() ? static_cast<LayerMode>(entry->LayerMode) : LayerHold;
  layer_ = std::clamp<int>(entry->Layer, mode_ == LayerSet ? 0 : 1, kLayers);
}

void LayerChoice::ChooseMode(LayerMode mode) {
  mode_ = mode;
  if (mode_ != LayerSet && layer_ < 1) layer_ = 1;
}

void LayerChoice::ChooseItem(int item) {
  const int layer = mode_ == LayerSet ? item : item + 1;
  if (layer >= (mode_ == LayerSet ? 0 : 1) && layer <= kLayers) layer_ = layer;
}

void LayerChoice::Rename(std::string typed) {
  if (Renamable()) names_[static_cast<std::size_t>(layer_ - 1)] = std::move(typed);
}

std::string LayerChoice::Name() const {
  return Renamable() ? names_[static_cast<std::size_t>(layer_ - 1)] : std::string{};
}

std::vector<std::string> LayerChoice::Items(const KeptTexts& texts) const {
  // The table's own rule names a layer without a name.
  BindingTable shown;
  for (std::size_t n = 0; n < names_.size(); ++n)
    shown.LayerNames[n] = StorableLayerName(names_[n]);
  std::vector<std::string> items;
  for (int layer = mode_ == LayerSet ? 0 : 1; layer <= kLayers; ++layer)
    items.push_back(shown.LayerName(layer, texts));
  return items;
}

}  // namespace vantrel

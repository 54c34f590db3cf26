#pragma once
// What the layer dialog edits apart from any window: the layer an entry
// puts on, how, and the layers' names as they are being typed.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bindings/Binding.h"
#include "lang/KeptTexts.h"

namespace vantrel {

// The longest layer name kept: it has to fit the layer list, a row and the
// indicator.
inline constexpr std::size_t kMaxLayerName = 32;

// A layer name as a profile keeps it and reads it back unchanged: without
// control characters (a line break would end its line), without blanks at
// either end or a pair of quotes around it (a read takes those away), and
// at most kMaxLayerName characters long. Empty: the layer has no name.
std::string StorableLayerName(std::string_view typed);

// The four modes in the order the dialog offers them.
inline constexpr std::array<LayerMode, 4> kLayerModes{LayerHold, LayerToggle, LayerOnce, LayerSet};

// The layer dialog's working choice. Nothing of it reaches the table before
// OK, so Cancel has nothing to give back, a rename included.
class LayerChoice {
 public:
  // Opening on what the entry was (none: transparent in a layer): a layer
  // entry starts from its own layer and mode, any other from layer 1, held.
  void Assign(const std::optional<Binding>& entry, const std::array<std::string, kLayers>& names);

  // A mode other than Set cannot go back to the base: layer 1 stands in.
  void ChooseMode(LayerMode mode);
  // An item of Items(); any other number changes nothing.
  void ChooseItem(int item);
  // The chosen layer's name as typed; the base has no name to change.
  void Rename(std::string typed);

  // The layers by name (with Set, the base first), each name as it would be
  // stored, "Layer n" for a layer without one.
  std::vector<std::string> Items(const KeptTexts& texts = Kept()) const;
  // The chosen layer's item in Items().
  int Item() const { return mode_ == LayerSet ? layer_ : layer_ - 1; }

  int Layer() const { return layer_; }
  LayerMode Mode() const { return mode_; }
  bool Renamable() const { return layer_ >= 1; }
  // The chosen layer's name as typed; empty for the base.
  std::string Name() const;
  const std::array<std::string, kLayers>& Names() const { return names_; }

 private:
  int layer_ = 1;
  LayerMode mode_ = LayerHold;
  std::array<std::string, kLayers> names_;
};

}  // namespace vantrel

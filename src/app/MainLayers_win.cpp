// The main window's layer list: the layer its rows show, which is the layer
// a click on a row edits.
#include <optional>
#include <string>
#include <vector>

#include "app/QEXmainwndcode.h"
#include "bindings/Profile.h"

namespace vantrel {

void TMainFrm::FillLayerList() {
  std::vector<std::string> items;
  for (int layer = 0; layer <= kLayers; ++layer) items.push_back(Bindings.LayerName(layer));
  FillCombo(Rows.cbLayer, items);
  SendMessageA(Rows.cbLayer, CB_SETCURSEL, static_cast<WPARAM>(Editor.Layer), 0);
}

void TMainFrm::cbLayerChange() {
  const auto item = static_cast<int>(SendMessageA(Rows.cbLayer, CB_GETCURSEL, 0, 0));
  if (item < 0 || item > kLayers || item == Editor.Layer) return;
  Editor.Layer = item;
  ShowLayerRows();
}

void TMainFrm::ShowLayerRows() {
  for (int e = 1; e < Rows.Slots(); ++e)
    if (Rows.IsEntry(e) && Bindings.IsEntry(e)) ShowRowOfLayer(static_cast<std::uint8_t>(e));
}

// A layer's turbo box is for a key the layer binds; an entry it leaves to
// the layers below shows the base's box, which it cannot change.
void TMainFrm::ShowRowOfLayer(std::uint8_t entry) {
  const int layer = Editor.Layer;
  if (layer == 0) {
    Rows.SetGreyed(entry, false);
    ShowBinding(Bindings, entry, *this);
    SetTurboChecked(entry, Bindings[entry].Turbo);
    return;
  }
  const std::optional<Binding>& b = Bindings.InLayer(layer, entry);
  SetRowText(entry, Bindings.RowText(layer, entry));
  SetTurboEnabled(entry, b && b->Action == ActEmulKey);
  SetTurboChecked(entry, (b ? *b : Bindings[entry]).Turbo);
}

// The load showed the base's rows; the list names the new profile's layers.
void TMainFrm::ShowLoadedProfile() {
  FillLayerList();
  if (Editor.Layer > 0) ShowLayerRows();
}

// The rows of entries that put a layer on name it.
void TMainFrm::LayerNamesChanged() {
  FillLayerList();
  const int layer = Editor.Layer;
  for (int e = 1; e < Rows.Slots(); ++e) {
    const auto entry = static_cast<std::uint8_t>(e);
    if (!Rows.IsEntry(e) || !Bindings.IsEntry(e)) continue;
    const std::optional<Binding>* own = layer > 0 ? &Bindings.InLayer(layer, entry) : nullptr;
    const Binding& shown = own && *own ? **own : Bindings[entry];
    if (shown.Action == ActLayer) SetRowText(entry, Bindings.ActToStr(entry));
  }
  ShowReading();  // the tray's tip names the layer in force
}

}  // namespace vantrel

#include "config/BindingEditor.h"

#include <algorithm>
#include <utility>

#include "config/LayerChoice.h"

namespace vantrel {

std::vector<std::string> ModifierTexts(const KeptTexts& texts) {
  std::vector<std::string> items;
  for (const ModifierItem& m : kModifiers) items.emplace_back(m.text);
  items[0] = texts.None;
  return items;
}

std::vector<std::string> SpecialKeyTexts(const KeptTexts& texts) {
  std::vector<std::string> items;
  for (const SpecialKeyItem& k : kSpecialKeys) items.emplace_back(k.text);
  const std::string* directions[] = {&texts.Left, &texts.Right, &texts.Up, &texts.Down};
  for (std::size_t i = 0; i < 4; ++i) items[9 + i] = texts.Arrow + " " + *directions[i];
  return items;
}

std::vector<std::string> MouseActionTexts(const KeptTexts& texts, bool pointerStick) {
  std::vector<std::string> items{texts.MouseLButton,
                                 texts.MouseRButton,
                                 texts.Mouse + " " + texts.Left,
                                 texts.Mouse + " " + texts.Right,
                                 texts.Mouse + " " + texts.Up,
                                 texts.Mouse + " " + texts.Down};
  if (pointerStick) items.push_back(texts.PointerStick);
  return items;
}

std::optional<Binding>* EntryEditor::LayerSlot() {
  if (Layer < 1 || Layer > kLayers) return nullptr;
  return &table_.InLayer(Layer, Entry());
}

Binding& EntryEditor::EditedEntry() {
  std::optional<Binding>* slot = LayerSlot();
  if (!slot) return table_[Entry()];
  if (!*slot) slot->emplace();
  return **slot;
}

Binding& EntryEditor::Edited() {
  if (chord_) return *chord_;
  Binding& b = EditedEntry();
  if (EditPart == Part::Press) return b;
  std::vector<Binding>& part = EditPart == Part::Hold ? b.Hold : b.Double;
  if (part.empty()) part.emplace_back();
  return part.front();
}

const Binding* EntryEditor::Existing() {
  if (chord_) return chord_;
  std::optional<Binding>* slot = LayerSlot();
  const Binding* b = !slot ? &table_[Entry()] : *slot ? &**slot : nullptr;
  if (!b || EditPart == Part::Press) return b;
  const std::vector<Binding>& part = EditPart == Part::Hold ? b->Hold : b->Double;
  return part.empty() ? nullptr : &part.front();
}

std::optional<Binding> EntryEditor::SavedAction() const {
  if (chord_ || EditPart == Part::Press || !SavedBinding) return SavedBinding;
  const std::vector<Binding>& part =
      EditPart == Part::Hold ? SavedBinding->Hold : SavedBinding->Double;
  if (part.empty()) return std::nullopt;
  return part.front();
}

void EntryEditor::EditChord(Binding& action) { chord_ = &action; }

void EntryEditor::ClearPart() {
  if (chord_ || EditPart == Part::Press) return;
  (EditPart == Part::Hold ? EditedEntry().Hold : EditedEntry().Double).clear();
  ShowRowText();
}

void EntryEditor::CancelK(bool restore) {
  if (chord_) {
    if (restore)
      *chord_ = SavedBinding.value_or(Binding{});
    else
      SavedBinding = *chord_;
    return;
  }
  std::optional<Binding>* slot = LayerSlot();
  if (restore) {
    if (slot)
      *slot = SavedBinding;
    else
      table_[Entry()] = SavedBinding.value_or(Binding{});
  } else {
    SavedBinding = slot ? *slot : std::optional(table_[Entry()]);
  }
}

void EntryEditor::Begin() {
  CancelK(false);
  ClearFields(Edited());
}

void EntryEditor::Cancel() { CancelK(true); }

void EntryEditor::AcceptLayer(int layer, LayerMode mode) {
  Binding& b = Edited();
  b.Action = ActLayer;
  b.Layer = static_cast<std::uint8_t>(std::clamp(layer, mode == LayerSet ? 0 : 1, kLayers));
  b.LayerMode = mode;
  ShowRow(false);
}

void EntryEditor::AcceptSameAsBelow() {
  if (std::optional<Binding>* slot = chord_ ? nullptr : LayerSlot()) slot->reset();
  ShowRow(false);
}

void EntryEditor::AcceptNothing() {
  if (LayerSlot()) EditedEntry() = Binding{};
  ShowRow(false);
}

bool EntryEditor::RenameLayers(const std::array<std::string, kLayers>& typed) {
  bool changed = false;
  for (std::size_t n = 0; n < typed.size(); ++n) {
    std::string name = StorableLayerName(typed[n]);
    if (name == table_.LayerNames[n]) continue;
    table_.LayerNames[n] = std::move(name);
    changed = true;
  }
  // A layer entry anywhere in the rows shown may name a renamed layer.
  if (changed)
    for (int e = 1; e <= table_.EntryCount(); ++e)
      rows_.SetRowText(static_cast<std::uint8_t>(e),
                       table_.RowText(Layer, static_cast<std::uint8_t>(e)));
  return changed;
}

void EntryEditor::CaptureKey(std::uint16_t vcode) { Edited().VCode = vcode; }

void EntryEditor::PickSpecialKey(int item) {
  if (item >= 0 && item < static_cast<int>(kSpecialKeys.size()))
    Edited().VCode = kSpecialKeys[static_cast<std::size_t>(item)].vcode;
}

void EntryEditor::ChooseModifier(int item) {
  if (item >= 0 && item < static_cast<int>(kModifiers.size()))
    Edited().Shift = kModifiers[static_cast<std::size_t>(item)].shift;
}

// The opening cleared Turbo; the row's box, which the key emulation
// consults, is cleared with it so that box and field agree.
void EntryEditor::ShowRow(bool turboEnabled) {
  // The row's Turbo box is the entry's own action's.
  if (!chord_ && EditPart == Part::Press) {
    std::optional<Binding>* slot = LayerSlot();
    const Binding& b = slot && *slot ? **slot : table_[Entry()];
    rows_.SetTurboChecked(Entry(), b.Turbo);
    rows_.SetTurboEnabled(Entry(), turboEnabled);
  }
  ShowRowText();
}

void EntryEditor::ShowRowText() {
  if (!chord_) rows_.SetRowText(Entry(), table_.RowText(Layer, Entry()));
}

void EntryEditor::AcceptKey() {
  Edited().Action = ActEmulKey;
  ShowRow(true);
}

void EntryEditor::PickMouseAction(int item) {
  const int offered = static_cast<int>(kMouseActions.size()) - (OffersPointerStick() ? 0 : 1);
  if (item >= 0 && item < offered) Edited().VCode = kMouseActions[static_cast<std::size_t>(item)];
}

void EntryEditor::AcceptMouse() {
  Edited().Action = ActEmulClick;
  ShowRow(false);
  // The stick's other directions say whether they are a pointer now.
  const PointerStick stick = table_.StickOf(Entry());
  if (chord_ || stick == PointerStick::None) return;
  for (int e = table_.NumOfButtons() + 1; e <= table_.EntryCount(); ++e)
    if (e != Entry() && table_.StickOf(e) == stick)
      rows_.SetRowText(static_cast<std::uint8_t>(e),
                       table_.RowText(Layer, static_cast<std::uint8_t>(e)));
}

void EntryEditor::AcceptRun(const std::string& path) {
  Edited().Execute = path;
  Edited().Action = ActRun;
  // Turbo is for keys only; the key fields stay in the entry as they were.
  if (!chord_ && EditPart == Part::Press) rows_.SetTurboEnabled(Entry(), false);
  ShowRowText();
}

void EntryEditor::ClearProfiles() { Edited().Action = ActNone; }

// Two or more files make a switch entry. One file is stored as it is (an
// entry that already switches then reloads that profile); the kind changes
// only with two or more. An empty name is never stored.
bool EntryEditor::AcceptProfiles(const std::vector<std::string>& lines) {
  Binding& b = Edited();
  b.INI.clear();
  for (const std::string& line : lines)
    if (!line.empty() && b.INI.size() < static_cast<std::size_t>(kMaxListPaths))
      b.INI.push_back(line);
  b.INICount = static_cast<std::uint16_t>(b.INI.size());
  const bool switches = b.INI.size() >= 2;
  if (switches) b.Action = ActChangeIni;
  ShowRow(b.Action == ActNone || b.Action == ActEmulKey);
  return switches;
}

void ProfileLines::Assign(const Binding& b) {
  lines_.assign(b.INI.begin(), b.INI.begin() + std::min<std::size_t>(b.INICount, b.INI.size()));
  selected_ = -1;
}

std::size_t ProfileLines::Add(const std::vector<std::string>& paths) {
  std::size_t refused = 0;
  for (const std::string& path : paths) {
    if (lines_.size() >= static_cast<std::size_t>(kMaxListPaths))
      ++refused;
    else
      lines_.push_back(path);
  }
  return refused;
}

void ProfileLines::Remove() {
  if (selected_ < 0) return;
  lines_.erase(lines_.begin() + selected_);
  // The selection stays on the line that took the removed one's place.
  if (selected_ >= Count()) selected_ = Count() - 1;
}

void ProfileLines::Up() {
  if (selected_ <= 0) return;
  std::swap(lines_[static_cast<std::size_t>(selected_)],
            lines_[static_cast<std::size_t>(selected_ - 1)]);
  --selected_;
}

void ProfileLines::Down() {
  if (selected_ < 0 || selected_ >= Count() - 1) return;
  std::swap(lines_[static_cast<std::size_t>(selected_)],
            lines_[static_cast<std::size_t>(selected_ + 1)]);
  ++selected_;
}

void ProfileLines::Clear() {
  lines_.clear();
  selected_ = -1;
}

}  // namespace vantrel

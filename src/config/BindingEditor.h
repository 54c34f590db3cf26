#pragma once
// What the binding dialogs do to the entry they edit, apart from any window:
// the dialogs turn clicks and key presses into these calls.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bindings/Binding.h"
#include "bindings/RowView.h"
#include "lang/KeptTexts.h"

namespace vantrel {

// The key dialog's modifier list: item -> Shift.
struct ModifierItem {
  const char* text;
  std::uint16_t shift;
};
inline constexpr std::array<ModifierItem, 6> kModifiers{
    {{"None", 0}, {"Shift", 16}, {"Ctrl", 17}, {"Alt", 18}, {"LWin", 91}, {"RWin", 92}}};

// The key dialog's special-key list: item -> VCode. Items 9 to 12 are the
// arrows, named in the language as KeyName names them.
struct SpecialKeyItem {
  const char* text;
  std::uint16_t vcode;
};
inline constexpr std::array<SpecialKeyItem, 13> kSpecialKeys{{{"Esc", 27},
                                                              {"Scroll Lock", 145},
                                                              {"Pause", 19},
                                                              {"NumLock", 144},
                                                              {"TAB", 9},
                                                              {"CapsLock", 20},
                                                              {"LWin", 91},
                                                              {"RWin", 92},
                                                              {"MenuWin", 93},
                                                              {"Left Arrow", 37},
                                                              {"Right Arrow", 39},
                                                              {"Up Arrow", 38},
                                                              {"Down Arrow", 40}}};

// The mouse dialog's list: item -> mouse code.
// The seventh, "Pointer (stick)", is offered for the directions of a stick.
inline constexpr std::array<std::uint16_t, 7> kMouseActions{300, 301, 901, 902, 903, 904, 910};

// The items of the three lists in the language of `texts`.
std::vector<std::string> ModifierTexts(const KeptTexts& texts);
std::vector<std::string> SpecialKeyTexts(const KeptTexts& texts);
std::vector<std::string> MouseActionTexts(const KeptTexts& texts, bool pointerStick = false);

// The editing of one entry of the table, CurrentEntry, which a click on its
// row chooses, in the layer the rows show (Layer, 0 for the base). Opening a
// dialog backs the entry up into SavedBinding and clears its fields (its
// kind stays), the choices are written into the entry at once, OK sets the
// kind and refreshes the row, and Cancel puts back exactly what was there at
// opening (in a layer: a transparent entry is transparent again). The
// backup and the entry being edited live here, with the editing, not in the
// table.
class EntryEditor {
 public:
  EntryEditor(BindingTable& table, RowView& rows) : table_(table), rows_(rows) {}
  // One editing, one backup: a copy would keep a backup of its own.
  EntryEditor(const EntryEditor&) = delete;
  EntryEditor(EntryEditor&&) = default;

  // Which of the entry's actions the dialogs edit: its own (a press, or a
  // tap when it has the others), its Hold or its Double action.
  enum class Part { Press, Hold, Double };

  std::uint8_t Entry() const { return static_cast<std::uint8_t>(CurrentEntry); }
  // The action edited: the entry's part in the layer edited, or a chord's
  // action. In a layer, an entry that lets the layers below decide is given
  // a binding of its own (of kind 0) first; a Hold or Double part not bound
  // yet is made, doing nothing.
  Binding& Edited();
  // The action edited as it stands, without making it: null for a part not
  // bound, or an entry a layer leaves to the layers below.
  const Binding* Existing();
  // What the action edited was at opening (none: not there then).
  std::optional<Binding> SavedAction() const;
  // The dialogs edit `action` (a chord's, kept by whoever asks) instead of
  // an entry, until EditEntry; no row shows it.
  void EditChord(Binding& action);
  void EditEntry() { chord_ = nullptr; }
  bool EditsChord() const { return chord_ != nullptr; }
  // The Hold or Double part edited is unbound: the entry acts at once again
  // when it has neither.
  void ClearPart();

  // restore false: back the entry up into SavedBinding; true: put it back.
  void CancelK(bool restore);
  void Begin();
  void Cancel();

  // The key dialog: the last key pressed or picked wins.
  void CaptureKey(std::uint16_t vcode);
  void PickSpecialKey(int item);  // any other item number changes nothing
  void ChooseModifier(int item);
  void AcceptKey();

  // The mouse dialog. "Pointer (stick)" is for a stick's directions only.
  bool OffersPointerStick() const {
    return !chord_ && EditPart == Part::Press && table_.StickOf(Entry()) != PointerStick::None;
  }
  void PickMouseAction(int item);
  void AcceptMouse();

  // The action dialog's Run: no backup, only the program and the kind change.
  void AcceptRun(const std::string& path);

  // The profile list dialog. Clear makes the entry do nothing at once. OK
  // stores the lines; true when the entry became a switch, after which every
  // list starts again from its first profile.
  void ClearProfiles();
  bool AcceptProfiles(const std::vector<std::string>& lines);

  // The layer dialog: the entry puts `layer` on in `mode` (layer 0 with
  // Set: back to the base).
  void AcceptLayer(int layer, LayerMode mode);
  // In a layer only: the entry lets the layers below decide ("Same as
  // below"), or does nothing while the layer decides ("Nothing").
  void AcceptSameAsBelow();
  void AcceptNothing();
  // The layer dialog's OK: the layers take the names typed, each as a
  // profile can keep it, and every row says the new names. Returns whether
  // any name changed.
  bool RenameLayers(const std::array<std::string, kLayers>& typed);

  int CurrentEntry = 0;
  int Layer = 0;
  Part EditPart = Part::Press;
  // What the entry was at opening; none for one a layer left transparent.
  std::optional<Binding> SavedBinding;

 private:
  std::optional<Binding>* LayerSlot();
  // The entry's binding in the layer edited, all its parts.
  Binding& EditedEntry();
  void ShowRow(bool turboEnabled);
  void ShowRowText();

  BindingTable& table_;
  RowView& rows_;
  Binding* chord_ = nullptr;
};

// The lines of the profile list dialog, in cycling order, with at most one
// selected (-1: none).
class ProfileLines {
 public:
  void Assign(const Binding& b);
  // Appends in order; past kMaxListPaths nothing more is taken. Returns how
  // many paths were refused.
  std::size_t Add(const std::vector<std::string>& paths);
  void Remove();
  void Up();
  void Down();
  void Clear();

  const std::vector<std::string>& Lines() const { return lines_; }
  int Selected() const { return selected_; }
  void Select(int line) { selected_ = line >= 0 && line < Count() ? line : -1; }
  int Count() const { return static_cast<int>(lines_.size()); }

 private:
  std::vector<std::string> lines_;
  int selected_ = -1;
};

}  // namespace vantrel

#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Entries.h"
#include "lang/KeptTexts.h"

namespace vantrel {

// Action kinds, the value of Binding::Action. Code 1 is never assigned; a
// stored 1 or a value above 6 stays in the entry and does nothing.
enum ActionKind : std::uint8_t {
  ActNone = 0,
  ActChangeIni = 2,
  ActEmulKey = 3,
  ActEmulClick = 4,
  ActRun = 5,
  ActLayer = 6,
};

// How an ActLayer entry puts its layer on.
enum LayerMode : std::uint8_t {
  LayerHold = 0,    // while the entry is held
  LayerToggle = 1,  // a press on, the next press of that entry off
  LayerOnce = 2,    // for the next press of another entry only
  LayerSet = 3,     // the standing layer until another Set (layer 0: the base)
};
// Layers 1 ... 7 lie over the base bindings.
inline constexpr int kLayers = 7;

// What one entry (a joystick button or a stick direction) does: the
// configuration only. Whether its input is held is the pipeline's to know.
struct Binding {
  std::vector<std::string> INI;  // ActChangeIni: profile paths in cycling order
  std::uint16_t INICount = 0;    // always the length of INI
  std::string Execute;           // ActRun: the program to start
  std::uint16_t VCode = 0;       // ActEmulKey: virtual key; ActEmulClick: mouse code
  std::uint16_t Shift = 0;       // ActEmulKey: modifier's virtual key, 0 for none
  bool Turbo = false;            // ActEmulKey: repeat while held
  std::uint8_t Action = ActNone;
  std::uint8_t Layer = 0;              // ActLayer: 1 ... 7 (0 with Set: the base)
  std::uint8_t LayerMode = LayerHold;  // ActLayer
  // The entry's other actions: when it is held past the hold time, and when
  // it is pressed twice within the double time. Each holds one binding or
  // none (a binding cannot hold one of its own kind but through a vector).
  std::vector<Binding> Hold, Double;

  bool operator==(const Binding&) const = default;
};

// The binding of a Hold or Double part when it does something; else null.
inline const Binding* Bound(const std::vector<Binding>& part) {
  return part.empty() || part.front().Action == 0 ? nullptr : &part.front();
}
// Whether the press of an entry so bound has to wait to know what it is.
inline bool Waits(const Binding& b) { return Bound(b.Hold) || Bound(b.Double); }

// Two or three entries pressed together: their own actions give way to the
// chord's.
struct Chord {
  std::vector<std::uint8_t> entries;
  Binding action;
  bool operator==(const Chord&) const = default;
};
inline constexpr int kMaxChords = 16;
inline constexpr int kMaxChordEntries = 3;

// Every field of the binding but its kind back to its default.
void ClearFields(Binding& b);

// The options offer up to 32 buttons; a larger setting is used as 32, so the
// table never holds more than 52 entries.
constexpr int kMaxButtons = 32;
// The mouse code of "Pointer (stick)" (MousePointerStick), which the table
// knows of because it makes a whole stick's entries one.
constexpr std::uint16_t kPointerStickCode = 910;
// Lists of profiles are stored with an 8-bit index.
constexpr int kMaxListPaths = 255;

// The binding table: entries 1..N are the buttons, N+1..N+4 the stick's Up,
// Down, Left and Right, and N+5..N+20 the hat's and the other axes' entries
// (kAxisEntries), which the table always holds, whether or not the controller
// has them. Slot 0 exists and is never used. Entry numbers are bytes wherever
// they are passed.
class BindingTable {
 public:
  explicit BindingTable(int numOfButtons = 0) { Resize(numOfButtons); }

  // Sets N (capped at kMaxButtons) and the direction entries; slots that
  // remain keep their contents at their old numbers, new slots start empty.
  void Resize(int numOfButtons);

  int NumOfButtons() const { return numOfButtons_; }
  int EntryCount() const { return numOfButtons_ + static_cast<int>(kAxisEntries.size()); }
  bool IsEntry(int e) const { return e >= 1 && e <= EntryCount(); }
  // The row of kAxisEntries an entry after the buttons is; nullptr for a button.
  const AxisEntry* AxisEntryOf(int e) const;
  // The entry of the hat's or another axis's side: i in 0..kExtraEntries-1.
  std::uint8_t ExtraEntry(int i) const {
    return static_cast<std::uint8_t>(numOfButtons_ + kStickEntries + 1 + i);
  }
  // The stick an entry is a direction of, for "Pointer (stick)".
  PointerStick StickOf(int e) const;
  // The entry that makes `stick` a pointer (bound to "Pointer (stick)"), the
  // first of its four in table order; 0 while none does.
  int PointerEntryOf(PointerStick stick) const;
  // Whether the entry is a direction of a stick that is a pointer, and so
  // does nothing of its own.
  bool PointerOwns(int e) const {
    const PointerStick stick = StickOf(e);
    return stick != PointerStick::None && PointerEntryOf(stick) != 0;
  }
  // Whether an entry is one of the hat's or the other axes'.
  bool IsExtra(int e) const { return e > numOfButtons_ + kStickEntries && e <= EntryCount(); }

  Binding& operator[](std::uint8_t e) { return Bindings.at(e); }
  const Binding& operator[](std::uint8_t e) const { return Bindings.at(e); }

  // Empties the entry's data; its Action stays.
  void ClearFields(std::uint8_t e);
  // The text shown in the entry's row and by the profile popup.
  std::string ActToStr(std::uint8_t e, const KeptTexts& texts = Kept()) const;
  // What a binding does, in words, as a row shows it: its action, then its
  // Hold and Double actions.
  std::string BindingText(const Binding& b, const KeptTexts& texts = Kept()) const;
  // The profile key prefix. The direction rows are stored crossed (the Up row
  // under "Left", Down under "Right", Left under "Up", Right under "Down"):
  // every saved profile relies on this pairing.
  std::string Prefix(std::uint8_t e) const;
  // The entry of a prefix, in any letter case; 0 for none.
  int EntryOf(std::string_view prefix) const;

  // The entry in layer n (1 ... 7): none where the layer lets the layers
  // below decide ("Same as below"); a binding of kind 0 blocks the entry
  // ("Nothing").
  std::optional<Binding>& InLayer(int layer, std::uint8_t e);
  const std::optional<Binding>& InLayer(int layer, std::uint8_t e) const;
  // Whether any layer binds or blocks an entry, or has a name.
  bool HasLayers() const;
  // The binding that decides entry `e` while `layers` are on (the top one
  // first): the first layer that binds or blocks it, else the base.
  // `decidedBy` is given that layer, 0 for the base.
  const Binding& Resolve(const std::vector<int>& layers, std::uint8_t e,
                         int* decidedBy = nullptr) const;
  // The entry that makes `stick` a pointer while `layers` are on.
  int PointerEntryOf(PointerStick stick, const std::vector<int>& layers) const;
  // The text of entry `e`'s row while `layer` is shown (0: the base): a
  // layer's bound entry says what it does, a blocked one "Nothing", and a
  // transparent one what the base does (the row greys it).
  std::string RowText(int layer, std::uint8_t e, const KeptTexts& texts = Kept()) const;
  // A layer's name as the user gave it; empty for none.
  std::array<std::string, kLayers> LayerNames;
  // Layer n's name: its own, or "Layer n" in the language of `texts`.
  std::string LayerName(int layer, const KeptTexts& texts = Kept()) const;

  std::vector<Binding> Bindings;
  std::array<std::vector<std::optional<Binding>>, kLayers> Layers;
  // Up to kMaxChords, in the base and in every layer alike.
  std::vector<Chord> Chords;
  std::uint8_t EntryUp = 1;
  std::uint8_t EntryDown = 2;
  std::uint8_t EntryLeft = 3;
  std::uint8_t EntryRight = 4;

 private:
  // One action in words; `part`: as a Hold or Double action.
  std::string ActionText(const Binding& b, const KeptTexts& texts, bool part) const;

  int numOfButtons_ = 0;
};

// mode "filename": the part of `path` after its last backslash; mode "path":
// the part up to and including it. The last four characters (an extension)
// are never searched. Without such a backslash, "filename" gives the whole
// text and "path" an empty one.
std::string FileNamePart(std::string_view path, std::string_view mode);

}  // namespace vantrel

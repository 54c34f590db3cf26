#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Entries.h"
#include "lang/KeptTexts.h"

namespace vantrel {

// Action kinds, the value of Binding::Action. Code 1 is never assigned; a
// stored 1 or a value above 5 stays in the entry and does nothing.
enum ActionKind : std::uint8_t {
  ActNone = 0,
  ActChangeIni = 2,
  ActEmulKey = 3,
  ActEmulClick = 4,
  ActRun = 5,
};

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

  bool operator==(const Binding&) const = default;
};

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
  // The profile key prefix. The direction rows are stored crossed (the Up row
  // under "Left", Down under "Right", Left under "Up", Right under "Down"):
  // every saved profile relies on this pairing.
  std::string Prefix(std::uint8_t e) const;

  std::vector<Binding> Bindings;
  std::uint8_t EntryUp = 1;
  std::uint8_t EntryDown = 2;
  std::uint8_t EntryLeft = 3;
  std::uint8_t EntryRight = 4;

 private:
  int numOfButtons_ = 0;
};

// mode "filename": the part of `path` after its last backslash; mode "path":
// the part up to and including it. The last four characters (an extension)
// are never searched. Without such a backslash, "filename" gives the whole
// text and "path" an empty one.
std::string FileNamePart(std::string_view path, std::string_view mode);

}  // namespace vantrel

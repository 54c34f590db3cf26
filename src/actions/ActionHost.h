#pragma once
#include <cstdint>
#include <string>

namespace vantrel {

// What carrying out actions needs from the main window beyond the input
// sink: the rows' look and state, loading profiles, the profile popup, and
// starting programs.
class ActionHost {
 public:
  virtual ~ActionHost() = default;
  // Red while the entry's input is held, blue at rest.
  virtual void SetRowHeld(std::uint8_t entry, bool held) = 0;
  // Whether a key entry repeats is the row's Turbo box, read at each press.
  virtual bool TurboChecked(std::uint8_t entry) const = 0;
  virtual std::string RowText(std::uint8_t entry) const = 0;
  virtual void SetRowText(std::uint8_t entry, const std::string& text) = 0;
  // Loads a profile into the table, leaving `skipEntry` as it is.
  virtual void LoadProfile(const std::string& path, std::uint8_t skipEntry) = 0;
  // After a switch: the popup's two lines; the host shows it if the user wants it.
  virtual void ProfileSwitched(const std::string& currentLine, const std::string& nextLine) = 0;
  // Starts a program. The host may do it later, once the press's handling
  // is over: the shell can show a box of its own.
  virtual void Launch(const std::string& command) = 0;
  // A press sent keys or mouse input (just after it went out).
  virtual void Injected() {}
};

}  // namespace vantrel

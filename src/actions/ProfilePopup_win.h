#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace vantrel {

// The profile popup as the windows that use it see it.
class ProfilePopup {
 public:
  // After a switch: the two lines; with the popup on, it shows.
  virtual void ProfileSwitched(const std::string& currentLine, const std::string& nextLine) = 0;

  // The popup's preferences: shown after a switch at all, for how many
  // seconds (0: until it is closed), and where on the screen.
  virtual bool ShowOnSwitch() const = 0;
  virtual void SetShowOnSwitch(bool show) = 0;
  virtual std::uint8_t ShowTime() const = 0;
  virtual void SetShowTime(std::uint8_t seconds) = 0;
  virtual POINT Position() const = 0;
  virtual void SetPosition(POINT topLeft) = 0;

  // The positioning mode: shown with a border to drag it by, keeping
  // `optionsWindow` disabled until it is closed.
  virtual void BeginPositioning(HWND optionsWindow) = 0;

 protected:
  ~ProfilePopup() = default;
};

}  // namespace vantrel

#pragma once
#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <string>
#include <type_traits>

namespace vantrel {

// The notification-area icon of a window. The owner must be a top-level
// window (hidden is fine): message-only windows never hear "TaskbarCreated".
// Failures of Shell_NotifyIconA are tolerated silently: with no tray (a shell
// that has not started yet, a bare X server) the program runs on without it.
class NotifyIcon {
 public:
  // The mouse actions on the icon arrive at the owner as this message, the
  // mouse message in the low word of lParam.
  static constexpr UINT kCallbackMessage = WM_APP + 1;

  enum class MenuChoice { None, Settings, Exit };

  NotifyIcon() = default;
  ~NotifyIcon() { Deactivate(); }
  NotifyIcon(const NotifyIcon&) = delete;
  NotifyIcon& operator=(const NotifyIcon&) = delete;

  // Adds the icon, showing the program's icon with `tip` as its tooltip.
  void Activate(HWND owner, std::string tip);
  void Deactivate();
  bool Active() const { return active_; }
  // The tooltip, changed at once on an icon that shows. The shell shows at
  // most kMaxTip characters of it.
  static constexpr std::size_t kMaxTip = 127;
  void SetTip(std::string tip);
  const std::string& Tip() const { return tip_; }
  // Adds the icon again after the shell restarted (the "TaskbarCreated"
  // broadcast); nothing happens while deactivated.
  void Readd();

  // The tray menu at the pointer; returns what was chosen. The owner comes to
  // the foreground first, or the menu would not close when clicked away.
  MenuChoice TrackMenu();
  // A warning balloon from the icon; nothing while deactivated. Texts longer
  // than the shell takes are cut.
  void ShowBalloon(const std::string& title, const std::string& text);
  void SetMenuTexts(std::string settings, std::string exit);

 private:
  struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
  };
  using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

  bool Add();

  HWND owner_ = nullptr;
  std::string tip_;
  IconHandle icon_;
  bool active_ = false;
  std::string settingsText_ = "Settings";
  std::string exitText_ = "Exit";
};

}  // namespace vantrel

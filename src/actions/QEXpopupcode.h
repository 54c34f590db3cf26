#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

#include "app/Window_win.h"

namespace vantrel {

// The profile popup: a small borderless window, always on top, without a
// task-bar button and never taking the focus, naming the current and the
// next profile after a switch for the main window's show time (0: until
// "Close" is chosen from its context menu).
class TpopupINI : public ShellForm<TpopupINI> {
 public:
  void Create(HWND mainWindow);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void FormClose();

  // After a switch: the first line is always set; with the popup option on,
  // the second too, and the popup shows (or, shown already, counts afresh).
  void ProfileSwitched(const std::string& currentLine, const std::string& nextLine, bool show);
  // The options window's Position button: a tool-window border to drag it
  // by, no texts, no counting, and the options window disabled until closed.
  void BeginPositioning(HWND optionsWindow);
  bool Positioning() const { return positioning_; }

  std::string CurrentText() const;
  std::string NextText() const;

  // Seconds shown so far; while positioning, the saved show time.
  std::uint8_t PopupTicks = 0;
  MessageTimer PopupTimer{1, 1000};

 private:
  void FormShow();
  void PopupTimerTimer();
  void MCloseClick();
  std::uint8_t& ShowTime() const;
  void SetBorder(bool toolWindow);

  struct GdiDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
  };
  using Gdi = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, GdiDeleter>;

  HWND sttCurINI_ = nullptr;
  HWND sttNextINI_ = nullptr;
  Gdi font_;
  Gdi lineBrush_;
  HWND optionsWindow_ = nullptr;
  bool positioning_ = false;
};

}  // namespace vantrel

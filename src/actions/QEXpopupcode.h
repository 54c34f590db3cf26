#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

#include "actions/ProfilePopup_win.h"
#include "lang/LanguageTexts.h"
#include "ui/Controls_win.h"
#include "ui/Window_win.h"

namespace vantrel {

// The profile popup: a small borderless window, always on top, without a
// task-bar button and never taking the focus, naming the current and the
// next profile after a switch for the main window's show time (0: until
// "Close" is chosen from its context menu).
class TpopupINI : public ShellForm<TpopupINI>, public ProfilePopup, public LanguageUser {
 public:
  void ApplyLanguage(const LanguageTexts& texts) override;
  void Create(HWND mainWindow);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void FormClose();

  // After a switch: the first line is always set; with the popup option on,
  // the second too, and the popup shows (or, shown already, counts afresh).
  void ProfileSwitched(const std::string& currentLine, const std::string& nextLine) override;
  // The options window's Position button: a tool-window border to drag it
  // by, no texts, no counting, and the options window disabled until closed.
  void BeginPositioning(HWND optionsWindow) override;
  bool Positioning() const { return positioning_; }

  bool ShowOnSwitch() const override { return showOnSwitch_; }
  void SetShowOnSwitch(bool show) override { showOnSwitch_ = show; }
  std::uint8_t ShowTime() const override { return showTime_; }
  void SetShowTime(std::uint8_t seconds) override { showTime_ = seconds; }
  POINT Position() const override;
  void SetPosition(POINT topLeft) override;

  std::string CurrentText() const;
  std::string NextText() const;

  // Seconds shown so far; while positioning, the saved show time.
  std::uint8_t PopupTicks = 0;
  MessageTimer PopupTimer{1, 1000};

 private:
  void FormShow();
  void PopupTimerTimer();
  void MCloseClick();
  void SetBorder(bool toolWindow);
  void Place();

  using Gdi = GdiHandle;

  HWND sttCurINI_ = nullptr;
  HWND sttNextINI_ = nullptr;
  Gdi lineBrush_;
  HWND optionsWindow_ = nullptr;
  bool positioning_ = false;
  bool placing_ = false;  // the program itself moves it
  // Where the popup belongs: the settings' position, or where the user
  // placed it last.
  POINT position_{50, 50};
  bool showOnSwitch_ = false;
  std::string closeText_ = BuiltInText("Common", "Close");
  std::uint8_t showTime_ = 0;
};

}  // namespace vantrel

#include "actions/QEXpopupcode.h"

#include <algorithm>

namespace vantrel {

namespace {

constexpr COLORREF kLineColour = kDisplayColour;
constexpr UINT kCloseCommand = 1;
constexpr int kWidth = 139;
constexpr int kHeight = 41;

}  // namespace

void TpopupINI::Create(HWND mainWindow) {
  // Not owned by the main window: it must show over other programs while the
  // main window is hidden in the tray.
  CreateForm({.window = {.className = "TpopupINI",
                         .caption = "Set window position",
                         .style = WS_POPUP,
                         .exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                         .clientWidth = kWidth,
                         .clientHeight = kHeight},
              .mainWindow = mainWindow});
  controls_.SetFont(Kept().FontName, Kept().FontCharset);
  lineBrush_.reset(CreateSolidBrush(kLineColour));
  auto line = [&](int top) {
    return controls_.Add(Handle(), WS_EX_STATICEDGE, "STATIC", "", WS_VISIBLE | SS_CENTER,
                         {3, top, 134, 17}, -1, true);
  };
  sttCurINI_ = line(3);
  sttNextINI_ = line(22);
  PopupTimer.Attach(Handle());
}

void TpopupINI::ApplyLanguage(const LanguageTexts& texts) {
  const KeptTexts& kept = texts.Kept();
  controls_.SetFont(kept.FontName, kept.FontCharset);
  SetText(Handle(), texts.Text("OptionsWindow", "SetWindowPosition"));
  closeText_ = texts.Text("Common", "Close");
}

LRESULT TpopupINI::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SHOWWINDOW:
      if (wParam) FormShow();
      break;
    case WM_WINDOWPOSCHANGED: {
      // Moved by anything but its own placing (the user dragging it while
      // it is being placed): that is the position now.
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!placing_ && !(pos->flags & SWP_NOMOVE)) position_ = {pos->x, pos->y};
      break;
    }
    case WM_TIMER:
      if (wParam == PopupTimer.Id()) PopupTimerTimer();
      return 0;
    case WM_CTLCOLORSTATIC:
      SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
      SetBkColor(reinterpret_cast<HDC>(wParam), kLineColour);
      return reinterpret_cast<LRESULT>(lineBrush_.get());
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(Handle(), &r);
      FillRect(
          reinterpret_cast<HDC>(wParam), &r,
          positioning_ ? static_cast<HBRUSH>(lineBrush_.get()) : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_CONTEXTMENU: {
      HMENU MPopup = CreatePopupMenu();
      AppendMenuA(MPopup, MF_STRING, kCloseCommand, closeText_.c_str());
      POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (lParam == -1) GetCursorPos(&at);  // from the keyboard
      const UINT chosen =
          TrackPopupMenu(MPopup, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
      DestroyMenu(MPopup);
      if (chosen == kCloseCommand) MCloseClick();
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kCloseCommand && lParam == 0) {
        MCloseClick();
        return 0;
      }
      break;
  }
  return ShellForm::HandleMessage(msg, wParam, lParam);
}

void TpopupINI::ProfileSwitched(const std::string& currentLine, const std::string& nextLine) {
  // Being placed, the popup keeps its empty lines, and PopupTicks holds the
  // show time to come back to.
  if (positioning_) return;
  SetWindowTextA(sttCurINI_, currentLine.c_str());
  if (!showOnSwitch_) return;
  SetWindowTextA(sttNextINI_, nextLine.c_str());
  PopupTicks = 1;
  if (!Visible()) {
    Place();
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  }
}

void TpopupINI::FormShow() {
  if (ShowTime() > 0) PopupTimer.SetEnabled(true);
  // Above other programs' windows, without taking the focus from the game.
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void TpopupINI::PopupTimerTimer() {
  if (PopupTicks < ShowTime()) {
    ++PopupTicks;
    return;
  }
  PopupTimer.SetEnabled(false);
  ShowWindow(Handle(), SW_HIDE);
}

// As the caption's close: being placed, the popup gives the options window back.
void TpopupINI::MCloseClick() { FormClose(); }

void TpopupINI::SetBorder(bool toolWindow) {
  // The client area keeps its size; the frame grows around it.
  const DWORD style = WS_POPUP | (toolWindow ? WS_CAPTION | WS_SYSMENU : 0);
  const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  SetWindowLongPtrA(Handle(), GWL_STYLE,
                    static_cast<LONG_PTR>(style | (Visible() ? WS_VISIBLE : 0)));
  const SIZE size = OuterSizeForDpi(kWidth, kHeight, style, false, exStyle, Dpi());
  SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TpopupINI::BeginPositioning(HWND optionsWindow) {
  optionsWindow_ = optionsWindow;
  positioning_ = true;
  SetBorder(true);
  SetWindowTextA(sttCurINI_, "");
  SetWindowTextA(sttNextINI_, "");
  PopupTicks = showTime_;
  showTime_ = 0;
  PopupTimer.SetEnabled(false);
  if (optionsWindow_) EnableWindow(optionsWindow_, FALSE);
  Place();
  ShowWindow(Handle(), SW_SHOW);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TpopupINI::FormClose() {
  if (positioning_) {
    positioning_ = false;
    SetBorder(false);
    showTime_ = PopupTicks;
    if (optionsWindow_) EnableWindow(optionsWindow_, TRUE);
    InvalidateRect(Handle(), nullptr, TRUE);
  }
  PopupTimer.SetEnabled(false);
  ShellForm::FormClose();
}

POINT TpopupINI::Position() const { return position_; }

void TpopupINI::SetPosition(POINT topLeft) {
  position_ = topLeft;
  Place();
}

// At the position kept, unless that is on no monitor (one was unplugged, or
// the settings were edited by hand): then on the nearest monitor's work area,
// while the position kept stays as it is until the user places the popup.
void TpopupINI::Place() {
  RECT r{};
  GetWindowRect(Handle(), &r);
  const LONG width = r.right - r.left;
  const LONG height = r.bottom - r.top;
  const RECT wanted{position_.x, position_.y, position_.x + width, position_.y + height};
  POINT at = position_;
  if (!MonitorFromRect(&wanted, MONITOR_DEFAULTTONULL)) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    at.x = std::clamp(at.x, area.left, std::max(area.left, area.right - width));
    at.y = std::clamp(at.y, area.top, std::max(area.top, area.bottom - height));
  }
  placing_ = true;
  SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  placing_ = false;
}

std::string TpopupINI::CurrentText() const { return TextOf(sttCurINI_); }
std::string TpopupINI::NextText() const { return TextOf(sttNextINI_); }

}  // namespace vantrel

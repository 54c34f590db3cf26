#include "app/LayerIndicator_win.h"

#include <algorithm>
#include <utility>

#include "base/Errors.h"
#include "lang/KeptTexts.h"
#include "ui/Dpi_win.h"

namespace vantrel {

namespace {

// Design lengths, at 96 dpi.
constexpr int kTextHeight = 32;  // 24 points
constexpr int kPaddingX = 24;
constexpr int kPaddingY = 8;
constexpr int kFromTop = 48;  // below the work area's top edge

constexpr COLORREF kBackground = kDisplayColour;
constexpr COLORREF kInk = RGB(255, 255, 255);

}  // namespace

void TLayerIndicator::Create() {
  CreateWithParams({.className = "TLayerIndicator",
                    .style = WS_POPUP,
                    .exStyle = kExStyle,
                    .clientWidth = 1,
                    .clientHeight = 1});
  // A layered window draws nothing until it is told how to blend.
  if (!SetLayeredWindowAttributes(Handle(), 0, kOpacity, LWA_ALPHA))
    throw AppError("SetLayeredWindowAttributes failed");
  HideTimer.Attach(Handle());
}

LRESULT TLayerIndicator::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kShowMessage:
      pending_ = false;
      Appear();
      return 0;
    case WM_TIMER:
      if (wParam == HideTimer.Id()) Hide();
      return 0;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(); return 0;
    case WM_DPICHANGED: return 0;  // each showing sizes it for its monitor
  }
  return DefaultHandling(msg, wParam, lParam);
}

void TLayerIndicator::Announce(std::string name) {
  if (!on_ || !Handle()) return;
  text_ = std::move(name);
  // Several changes in one read show once, the last.
  if (!std::exchange(pending_, true)) PostMessageA(Handle(), kShowMessage, 0, 0);
}

void TLayerIndicator::ShowLayerChanges(bool show) {
  on_ = show;
  if (!on_ && Handle()) Hide();
}

void TLayerIndicator::Appear() {
  if (!on_) return;
  const HWND front = GetForegroundWindow();
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(front ? MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST)
                        : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY),
                  &monitor);
  const RECT& area = monitor.rcWork;
  // Moved onto that monitor first: its dpi is the window's once it is there.
  SetWindowPos(Handle(), nullptr, area.left, area.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const int dpi = WindowDpi(Handle());
  SetWindowTextA(Handle(), text_.c_str());
  RECT text{};
  const HDC dc = GetDC(Handle());
  const HGDIOBJ old = SelectObject(dc, FontFor(dpi));
  DrawTextA(dc, text_.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(Handle(), dc);
  const int areaWidth = area.right - area.left;
  const int width = std::min<int>(text.right + 2 * Scaled(kPaddingX, dpi), areaWidth);
  const int height = text.bottom + 2 * Scaled(kPaddingY, dpi);
  SetWindowPos(Handle(), HWND_TOPMOST, area.left + (areaWidth - width) / 2,
               area.top + Scaled(kFromTop, dpi), width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(Handle(), nullptr, FALSE);
  // A new name counts its second afresh.
  HideTimer.SetEnabled(false);
  HideTimer.SetEnabled(true);
}

void TLayerIndicator::Hide() {
  HideTimer.SetEnabled(false);
  ShowWindow(Handle(), SW_HIDE);
}

void TLayerIndicator::Paint() {
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(Handle(), &paint);
  RECT r{};
  GetClientRect(Handle(), &r);
  SetDCBrushColor(dc, kBackground);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  const HGDIOBJ old = SelectObject(dc, FontFor(WindowDpi(Handle())));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kInk);
  DrawTextA(dc, text_.c_str(), -1, &r,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, old);
  EndPaint(Handle(), &paint);
}

// A face the system cannot make leaves the indicator in the stock font:
// no box may come up over a game.
HGDIOBJ TLayerIndicator::FontFor(int dpi) {
  const KeptTexts& texts = Kept();
  if (!font_ || dpi != fontDpi_ || texts.FontName != fontFace_ ||
      texts.FontCharset != fontCharset_) {
    font_.reset(CreateFontA(-Scaled(kTextHeight, dpi), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                            static_cast<BYTE>(texts.FontCharset & 0xFF), OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                            texts.FontName.c_str()));
    fontDpi_ = dpi;
    fontFace_ = texts.FontName;
    fontCharset_ = texts.FontCharset;
  }
  return font_ ? font_.get() : GetStockObject(DEFAULT_GUI_FONT);
}

}  // namespace vantrel

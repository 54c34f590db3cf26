// The main window's size: as wide as its design, as tall as its rows need
// or as the user dragged its lower edge, the rows filling what there is.
#include <algorithm>

#include "app/QEXmainwndcode.h"
#include "config/SettingsFile_win.h"

namespace vantrel {

SIZE TMainFrm::OuterSize(int designClientHeight) const {
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE));
  return OuterSizeForDpi(kClientWidth, designClientHeight, style, true, exStyle, Dpi());
}

int TMainFrm::WorkAreaHeight() const {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor.rcWork.bottom - monitor.rcWork.top;
}

// Kept in the window's pixels; taken as a client height in design pixels,
// which a change of dpi leaves as it is.
void TMainFrm::ReadStoredHeight() {
  const int defaultHeight = OuterSize(kClientHeight).cy;
  const int height =
      MainWindowHeight(LoadMainHeight(SettingsFile()), defaultHeight, WorkAreaHeight());
  tallDesign_ = height > defaultHeight ? Unscaled(height - OuterSize(0).cy, Dpi()) : 0;
}

void TMainFrm::FitToRows() {
  const int defaultDesign = kClientHeight + Rows.Growth();
  const SIZE normal = OuterSize(defaultDesign);
  const int wanted = tallDesign_ > defaultDesign ? OuterSize(tallDesign_).cy : 0;
  SetWindowPos(Handle(), nullptr, 0, 0, normal.cx,
               MainWindowHeight(wanted, normal.cy, WorkAreaHeight()),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  LayOutRows();  // a size left as it was sends no WM_SIZE
}

// A window of the default height keeps the design's layout to the pixel,
// whatever the menu bar and rounding make of its client area at this dpi.
void TMainFrm::LayOutRows() {
  RECT window{};
  GetWindowRect(Handle(), &window);
  const bool tall = window.bottom - window.top > OuterSize(kClientHeight + Rows.Growth()).cy;
  RECT client{};
  GetClientRect(Handle(), &client);
  Rows.Fit(tall ? client.bottom : 0, kClientHeight);
}

void TMainFrm::OnGetMinMaxInfo(MINMAXINFO& info) const {
  const SIZE normal = OuterSize(kClientHeight + Rows.Growth());
  info.ptMinTrackSize = {normal.cx, normal.cy};
  info.ptMaxTrackSize = {normal.cx, std::max<LONG>(normal.cy, WorkAreaHeight())};
}

// The side edges and the top size nothing: the width is the design's, and
// the top stays where the user put it.
LRESULT TMainFrm::VerticalOnly(LRESULT hit) {
  switch (hit) {
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT: return HTBORDER;
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT: return HTBOTTOM;
  }
  return hit;
}

// The default height is stored as 0: a controller with more rows later
// gets its own default.
void TMainFrm::OnExitSizeMove() {
  RECT window{};
  GetWindowRect(Handle(), &window);
  const int height = window.bottom - window.top;
  if (height == heightAtSizeStart_) return;  // moved, not sized
  RECT client{};
  GetClientRect(Handle(), &client);
  const int design = Unscaled(client.bottom, Dpi());
  tallDesign_ = design > kClientHeight + Rows.Growth() ? design : 0;
  SaveMainHeight(SettingsFile(), tallDesign_ ? height : 0);
}

}  // namespace vantrel

#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "config/OptionsHost.h"
#include "ui/Controls_win.h"
#include "ui/Window_win.h"

namespace vantrel {

// The layer indicator: as the layer that decides changes, its name shows in
// large letters for about a second near the top centre of the monitor of
// the window in front, then hides. It has to work over a game: always on
// top, never activated (the game keeps the focus and is never minimised),
// clicks passing through it, no task-bar button. It belongs to no window,
// so that it shows while the program sits in the tray.
class TLayerIndicator : public Window<TLayerIndicator>, public LayerIndicatorSetting {
 public:
  // Posted to itself: show the name announced last.
  static constexpr UINT kShowMessage = WM_APP + 1;
  static constexpr UINT kShowTime = 1000;  // ms
  static constexpr DWORD kExStyle =
      WS_EX_NOACTIVATE | WS_EX_TRANSPARENT | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  // Of 255: the game shows through a little.
  static constexpr BYTE kOpacity = 220;

  void Create();
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  // The layer that decides is now the one named. It shows once the read
  // that changed it is over, so that the window manager never holds up the
  // input that read sends; with the setting off nothing shows.
  void Announce(std::string name);
  bool ShowsLayerChanges() const override { return on_; }
  void ShowLayerChanges(bool show) override;

  // The name shown last, or to show next.
  const std::string& Text() const { return text_; }

  // Hides the indicator; it runs only while the indicator shows.
  MessageTimer HideTimer{1, kShowTime};

 private:
  void Appear();
  void Hide();
  void Paint();
  // The language's face in large bold letters for `dpi`, made again only
  // when the face or the dpi changes.
  HGDIOBJ FontFor(int dpi);

  std::string text_;
  bool on_ = true;
  bool pending_ = false;
  GdiHandle font_;
  int fontDpi_ = 0;
  std::string fontFace_;
  std::uint16_t fontCharset_ = 0;
};

}  // namespace vantrel

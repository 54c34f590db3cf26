#include "app/QEXaboutcode.h"

#include "base/SystemFunctions_win.h"
#include "resource.h"
#include "ui/Com_win.h"

namespace vantrel {

namespace {

constexpr COLORREF kNameColour = RGB(255, 0, 0);
constexpr COLORREF kLinkColour = RGB(0, 0, 255);

void Open(HWND owner, const char* target) {
  EnsureComApartment();
  sys::ShellExecuteA(owner, "open", target, nullptr, nullptr, 0);
}

}  // namespace

void TAboutBox::Create(HWND mainWindow) {
  CreateForm({.window = {.className = "TAboutBox",
                         .caption = "About",
                         .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
                         .exStyle = kDialogFrameExStyle,
                         .clientWidth = 186,
                         .clientHeight = 123,
                         .owner = mainWindow},
              .mainWindow = mainWindow,
              .placement = Placement::CentreOnScreen,
              .enablesMainOnClose = true});
  controls_.SetFont("Arial", DEFAULT_CHARSET);
  const HWND self = Handle();
  constexpr DWORD kText = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
  controls_.Add(self, 0, "BUTTON", "", WS_VISIBLE | BS_GROUPBOX, {6, 2, 174, 115}, -1);
  picture_ = controls_.Add(self, 0, "STATIC", "", WS_VISIBLE | SS_ICON | SS_CENTERIMAGE,
                           {14, 16, 32, 32}, -1);
  ShowIcon();
  lbName = controls_.Add(self, 0, "STATIC", "Vantrel", kText, {56, 18, 116, 16}, -1, true);
  controls_.Add(self, 0, "STATIC", kVersionLine, kText, {56, 36, 120, 14}, -1);
  controls_.Add(self, 0, "STATIC", "Author:", kText, {14, 64, 64, 14}, -1);
  lbMail = controls_.AddLink(self, kAuthor, kLinkColour, {80, 64, 96, 14}, IDC_LBMAIL);
  controls_.Add(self, 0, "STATIC", "Home Page:", kText, {14, 88, 64, 14}, -1);
  lbURL = controls_.AddLink(self, "www.vantrel.org", kLinkColour, {80, 88, 96, 14}, IDC_LBURL);
}

LRESULT TAboutBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CTLCOLORSTATIC: {
      const HWND control = reinterpret_cast<HWND>(lParam);
      if (control != lbName) break;
      const HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, kNameColour);
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == lbMail || reinterpret_cast<HWND>(wParam) == lbURL) {
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_COMMAND:
      // The links are clicked like buttons; Enter elsewhere and Esc close
      // the window, as in any dialog.
      switch (LOWORD(wParam)) {
        case IDC_LBMAIL: lbMailClick(); return 0;
        case IDC_LBURL: lbURLClick(); return 0;
        case IDOK:
        case IDCANCEL: Close(); return 0;
      }
      break;
  }
  return ShellForm::HandleMessage(msg, wParam, lParam);
}

void TAboutBox::ShowIcon() {
  const int size = Scaled(32, Dpi());
  decltype(icon_) icon(static_cast<HICON>(LoadImageA(
      GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON, size, size, 0)));
  if (!icon) return;
  SendMessageA(picture_, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
  icon_ = std::move(icon);
}

void TAboutBox::lbMailClick() { Open(MainWindow(), kMailAddress); }

void TAboutBox::lbURLClick() { Open(MainWindow(), kHomePage); }

}  // namespace vantrel

#include "ui/Dpi_win.h"

#include <cstring>

#include "base/Library_win.h"

namespace vantrel {

namespace {

// A function of user32 that only newer Windows have; nullptr elsewhere.
template <class Function>
Function NewerUser32(const char* name) {
  return LibraryFunction<Function>(GetModuleHandleA("user32.dll"), name);
}

using GetDpiForSystemFn = UINT(WINAPI*)();
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

bool HasClass(HWND control, const char* name) {
  char className[16] = "";
  GetClassNameA(control, className, sizeof className);
  return _stricmp(className, name) == 0;
}

bool IsComboBox(HWND control) { return HasClass(control, "ComboBox"); }

// Where the control stands at dpi `from`, its open list included.
ControlRect RectInParent(HWND control, int from) {
  ControlRect r = PlaceInParent(control);
  // A combo box's rectangle is its field; its height with the list open is
  // the design's, kept in its user data (KeepDesignHeight).
  if (IsComboBox(control))
    if (const auto design = static_cast<int>(GetWindowLongPtrA(control, GWLP_USERDATA)))
      r.height = Scaled(design, from);
  return r;
}

bool HoldsControls(HWND control) {
  return HasClass(control, "Button") &&
         (GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

void RescaleChildrenOf(HWND parent, int from, int to) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const ControlRect r = Scaled(Unscaled(RectInParent(child, from), from), to);
    SetWindowPos(child, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (HoldsControls(child)) RescaleChildrenOf(child, from, to);
  }
}

}  // namespace

ControlRect PlaceInParent(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

int SystemDpi() {
  static const int dpi = [] {
    if (const auto forSystem = NewerUser32<GetDpiForSystemFn>("GetDpiForSystem"))
      return static_cast<int>(forSystem());
    const HDC screen = GetDC(nullptr);
    const int logPixels = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return logPixels > 0 ? logPixels : kDesignDpi;
  }();
  return dpi;
}

int WindowDpi(HWND hwnd) {
  static const auto forWindow = NewerUser32<GetDpiForWindowFn>("GetDpiForWindow");
  const int dpi = forWindow && hwnd ? static_cast<int>(forWindow(hwnd)) : 0;
  return dpi > 0 ? dpi : SystemDpi();
}

SIZE OuterSizeForDpi(int designWidth, int designHeight, DWORD style, bool menu, DWORD exStyle,
                     int dpi) {
  static const auto adjustForDpi =
      NewerUser32<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  RECT rc{0, 0, Scaled(designWidth, dpi), Scaled(designHeight, dpi)};
  if (!adjustForDpi || !adjustForDpi(&rc, style, menu, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&rc, style, menu, exStyle);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

void KeepDesignHeight(HWND control, int designHeight) {
  if (IsComboBox(control)) SetWindowLongPtrA(control, GWLP_USERDATA, designHeight);
}

void RescaleControls(HWND window, int from, int to) {
  if (from != to) RescaleChildrenOf(window, from, to);
}

}  // namespace vantrel

#include "ui/Controls_win.h"

#include <algorithm>

#include "base/Errors.h"
#include "ui/Dpi_win.h"

namespace vantrel {

// 8 points at 96 dpi, by the height of its characters.
constexpr int kFontHeight = -11;

HWND MakeChild(DWORD exStyle, const char* className, const std::string& text, DWORD style,
               const ControlRect& design, int dpi, HWND parent, int id) {
  const ControlRect r = Scaled(design, dpi);
  const HWND hwnd = CreateWindowExA(
      exStyle, className, text.c_str(), WS_CHILD | style, r.left, r.top, r.width, r.height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) throw AppError(std::string("CreateWindowExA failed for ") + className);
  KeepDesignHeight(hwnd, design.height);
  return hwnd;
}

void SetFont(HWND hwnd, HGDIOBJ font) {
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

HFONT MakeFont(const std::string& name, std::uint16_t charset, bool bold, int dpi) {
  const HFONT font =
      CreateFontA(Scaled(kFontHeight, dpi), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                  FALSE, static_cast<BYTE>(charset & 0xFF), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name.c_str());
  if (!font) throw AppError("CreateFontA failed for " + name);
  return font;
}

std::string TextOf(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), length + 1)));
  return text;
}

void SetText(HWND hwnd, const std::string& text) { SetWindowTextA(hwnd, text.c_str()); }

void FillCombo(HWND combo, const std::vector<std::string>& items) {
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items)
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

bool Checked(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND box, bool checked) {
  SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool PressFocusedButton(HWND window) {
  const HWND focus = GetFocus();
  if (!focus || !IsChild(window, focus) || !IsWindowEnabled(focus)) return false;
  char className[16] = "";
  GetClassNameA(focus, className, sizeof className);
  if (_stricmp(className, "Button") != 0) return false;
  const LONG_PTR type = GetWindowLongPtrA(focus, GWL_STYLE) & BS_TYPEMASK;
  if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON && type != BS_OWNERDRAW) return false;
  // As a click: the button's parent hears of it (a group box passes it on).
  SendMessageA(GetParent(focus), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
               reinterpret_cast<LPARAM>(focus));
  return true;
}

RECT DrawFlatFace(const DRAWITEMSTRUCT& item) {
  RECT r = item.rcItem;
  const HDC dc = item.hDC;
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  const bool pushed = item.itemState & ODS_SELECTED;
  if (pushed)
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  else
    FrameRect(dc, &r,
              GetSysColorBrush((item.itemState & ODS_FOCUS) ? COLOR_HIGHLIGHT : COLOR_BTNSHADOW));
  InflateRect(&r, -1, -1);
  if (pushed) OffsetRect(&r, 1, 1);
  return r;
}

void DrawFlatButton(const DRAWITEMSTRUCT& item, COLORREF colour, HGDIOBJ font) {
  RECT r = DrawFlatFace(item);
  const std::string caption = TextOf(item.hwndItem);
  const HDC dc = item.hDC;
  const HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : colour);
  DrawTextA(dc, caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, oldFont);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    InflateRect(&r, -1, -1);
    DrawFocusRect(dc, &r);
  }
}

void DrawFlatLink(const DRAWITEMSTRUCT& item, COLORREF colour, HGDIOBJ font) {
  RECT r = item.rcItem;
  const HDC dc = item.hDC;
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  const std::string caption = TextOf(item.hwndItem);
  const HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  RECT text = r;
  DrawTextA(dc, caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  text.bottom = r.bottom;
  text.right = std::min(text.right + 1, r.right);
  DrawTextA(dc, caption.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &text);
}

void DrawFlatArrow(const DRAWITEMSTRUCT& item, bool up, int dpi) {
  const RECT r = DrawFlatFace(item);
  const HDC dc = item.hDC;
  const int cx = (r.left + r.right) / 2;
  const int cy = (r.top + r.bottom) / 2;
  const int w = Scaled(4, dpi);
  const int h = Scaled(2, dpi);
  const POINT upward[] = {{cx, cy - h}, {cx - w, cy + h}, {cx + w, cy + h}};
  const POINT downward[] = {{cx - w, cy - h}, {cx + w, cy - h}, {cx, cy + h}};
  const COLORREF ink =
      GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
  const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
  const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
  SetDCPenColor(dc, ink);
  SetDCBrushColor(dc, ink);
  Polygon(dc, up ? upward : downward, 3);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
}

void ControlSet::SetFont(const std::string& name, std::uint16_t charset) {
  GdiHandle regular(MakeFont(name, charset, false, dpi_));
  GdiHandle bold(MakeFont(name, charset, true, dpi_));
  for (const auto& [hwnd, isBold] : controls_)
    vantrel::SetFont(hwnd, isBold ? bold.get() : regular.get());
  regular_ = std::move(regular);
  bold_ = std::move(bold);
  fontName_ = name;
  charset_ = charset;
}

void ControlSet::SetDpi(int dpi) {
  if (dpi == dpi_) return;
  dpi_ = dpi;
  if (regular_) SetFont(fontName_, charset_);
}

HWND ControlSet::Add(HWND parent, DWORD exStyle, const char* className, const std::string& text,
                     DWORD style, const ControlRect& r, int id, bool bold) {
  const HWND hwnd = MakeChild(exStyle, className, text, style, r, dpi_, parent, id);
  vantrel::SetFont(hwnd, bold ? Bold() : Regular());
  controls_.push_back({hwnd, bold});
  return hwnd;
}

HWND ControlSet::AddButton(HWND parent, const std::string& text, const ControlRect& r, int id) {
  const HWND hwnd =
      Add(parent, 0, "BUTTON", text, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_OWNERDRAW, r, id);
  buttons_.push_back(hwnd);
  return hwnd;
}

HWND ControlSet::AddArrow(HWND parent, bool up, const ControlRect& r, int id) {
  const HWND hwnd =
      Add(parent, 0, "BUTTON", "", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_OWNERDRAW, r, id);
  arrows_.push_back({hwnd, up});
  return hwnd;
}

HWND ControlSet::AddLink(HWND parent, const std::string& text, COLORREF colour,
                         const ControlRect& r, int id) {
  const HWND hwnd =
      Add(parent, 0, "BUTTON", text, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_OWNERDRAW, r, id);
  links_.push_back({hwnd, colour});
  return hwnd;
}

bool ControlSet::DrawItem(const DRAWITEMSTRUCT& item) const {
  if (item.CtlType != ODT_BUTTON) return false;
  for (const auto& [link, colour] : links_) {
    if (link == item.hwndItem) {
      DrawFlatLink(item, colour, Regular());
      return true;
    }
  }
  for (const auto& [arrow, up] : arrows_) {
    if (arrow == item.hwndItem) {
      DrawFlatArrow(item, up, dpi_);
      return true;
    }
  }
  for (HWND button : buttons_) {
    if (button == item.hwndItem) {
      DrawFlatButton(item, GetSysColor(COLOR_BTNTEXT), Regular());
      return true;
    }
  }
  return false;
}

}  // namespace vantrel

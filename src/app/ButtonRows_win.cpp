#include "app/ButtonRows_win.h"

#include <algorithm>
#include <utility>

#include "app/RowLayout.h"
#include "base/Errors.h"
#include "base/SystemFunctions_win.h"
#include "resource.h"
#include "ui/Controls_win.h"
#include "ui/Dpi_win.h"

namespace vantrel {

namespace {

constexpr COLORREF kReleasedColour = kFlatTextColour;
constexpr COLORREF kHeldColour = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// Dimmed on the display's blue, as a disabled text would be.
constexpr COLORREF kGreyedColour = RGB(150, 170, 195);

constexpr RowRect kUpArrow{256, 16, 17, 17};
constexpr RowRect kDownArrow{256, 32, 17, 17};
// The layer row: its label beside the row buttons, its list over the
// displays and turbo boxes; the list's height is with the list open, room
// for the base and the seven layers.
constexpr RowRect kLayerLabel{8, 2, 60, 21};
constexpr RowRect kLayerList{70, 2, 177, 160};
constexpr RowRect kAxisGroup{0, kLayerRowHeight, 281, 113};
constexpr RowRect kButtonGroup{0, kLayerRowHeight + 112, 281, 154};

// The group boxes hand their children's notifications and colour requests on
// to the main window, and paint their own background: the main window clips
// them out of its own, so that nothing is painted twice.
LRESULT CALLBACK GroupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) noexcept {
  switch (msg) {
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return SendMessageA(GetParent(hwnd), msg, wParam, lParam);
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_NCDESTROY: sys::RemoveWindowSubclass(hwnd, &GroupProc, 0); break;
  }
  return sys::DefSubclassProc(hwnd, msg, wParam, lParam);
}

int EntryIn(const std::vector<HWND>& row, HWND control, int firstId) {
  if (!control) return 0;
  const int e = GetDlgCtrlID(control) - firstId;
  return e >= 1 && e < static_cast<int>(row.size()) && row[e] == control ? e : 0;
}

}  // namespace

ButtonRows::~ButtonRows() {
  // The controls go before the fonts they are drawn in. With the main window
  // already gone, they went with it.
  for (HWND group : {fsGAxis, fsGButtons})
    if (group && IsWindow(group)) DestroyWindow(group);
}

HWND ButtonRows::MakeRowChild(DWORD exStyle, const char* className, const std::string& text,
                              DWORD style, const ControlRect& design, HWND parent, int id) const {
  return MakeChild(exStyle, className, text, style, design, dpi_, parent, id);
}

void ButtonRows::CreateGroups(HWND mainWindow, int dpi) {
  dpi_ = dpi;
  displayBrush_.reset(CreateSolidBrush(kDisplayColour));
  // Made first, the list comes first in the keyboard's order, as it stands.
  stLayer = MakeRowChild(0, "STATIC", "Layer:", WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX,
                         kLayerLabel, mainWindow, IDC_STLAYER);
  cbLayer = MakeRowChild(0, "COMBOBOX", "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                         kLayerList, mainWindow, IDC_CBLAYER);
  for (HWND control : {stLayer, cbLayer}) SetFont(control, GetStockObject(DEFAULT_GUI_FONT));
  // The two boxes overlap by a pixel, and their rows paint themselves. They
  // are destroyed while the main window's object is being taken apart (see
  // the destructor), so they send it no notice of their end.
  constexpr DWORD kGroupStyle = WS_VISIBLE | BS_GROUPBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  // Tab and Shift+Tab walk into the boxes' rows.
  constexpr DWORD kGroupExStyle = WS_EX_NOPARENTNOTIFY | WS_EX_CONTROLPARENT;
  fsGAxis = MakeRowChild(kGroupExStyle, "BUTTON", "Axis", kGroupStyle, kAxisGroup, mainWindow,
                         IDC_FSGAXIS);
  fsGButtons = MakeRowChild(kGroupExStyle, "BUTTON", "Buttons", kGroupStyle, kButtonGroup,
                            mainWindow, IDC_FSGBUTTONS);
  for (HWND group : {fsGAxis, fsGButtons}) {
    SetFont(group, GetStockObject(DEFAULT_GUI_FONT));
    if (!sys::SetWindowSubclass(group, &GroupProc, 0, 0))
      throw AppError("SetWindowSubclass failed");
  }
  constexpr DWORD kArrowStyle =
      WS_VISIBLE | WS_DISABLED | WS_TABSTOP | BS_PUSHBUTTON | BS_OWNERDRAW;
  btnGUp = MakeRowChild(0, "BUTTON", "", kArrowStyle, kUpArrow, fsGButtons, IDC_BTNGUP);
  btnGDown = MakeRowChild(0, "BUTTON", "", kArrowStyle, kDownArrow, fsGButtons, IDC_BTNGDOWN);
  // The axis group's arrows show only when it has rows to scroll.
  constexpr DWORD kHiddenArrowStyle = kArrowStyle & ~WS_VISIBLE;
  btnAUp = MakeRowChild(0, "BUTTON", "", kHiddenArrowStyle, kUpArrow, fsGAxis, IDC_BTNAUP);
  btnADown = MakeRowChild(0, "BUTTON", "", kHiddenArrowStyle, kDownArrow, fsGAxis, IDC_BTNADOWN);
}

void ButtonRows::Fit(int clientHeight, int defaultHeight) {
  clientHeight_ = clientHeight;
  defaultHeight_ = defaultHeight;
  Relayout();
}

void ButtonRows::Relayout() {
  if (!fsGAxis) return;
  const int taller = Unscaled(clientHeight_, dpi_) - defaultHeight_ - Growth();
  bands_ = BandsFor(std::max(0, taller) / kRowPitch, AxisRows(shown_), numOfButtons_);
  PlaceGroups();
  PlaceRows(RowGroup::Axis);
  PlaceRows(RowGroup::Buttons);
  // The axis group's arrows come with rows to scroll.
  const bool axisScrolls = RowsScroll(AxisRows(shown_), bands_.axis);
  for (HWND arrow : {btnAUp, btnADown}) {
    EnableWindow(arrow, axisScrolls);
    ShowWindow(arrow, axisScrolls ? SW_SHOWNA : SW_HIDE);
  }
}

void ButtonRows::PlaceGroups() {
  const int growth = AxisGroupGrowth(shown_, bands_.axis);
  const RowRect axis =
      Scaled({kAxisGroup.left, kAxisGroup.top, kAxisGroup.width, kAxisGroup.height + growth}, dpi_);
  RowRect buttons = Scaled({kButtonGroup.left, kButtonGroup.top + growth, kButtonGroup.width,
                            kButtonGroup.height + (bands_.buttons - kVisibleRows) * kRowPitch},
                           dpi_);
  // What is left under the last band, less than a row, the button group
  // takes too, keeping the default window's margin below it.
  const int margin = Scaled(defaultHeight_ - (kButtonGroup.top + kButtonGroup.height), dpi_);
  buttons.height = std::max(buttons.height, clientHeight_ - margin - buttons.top);
  SetWindowPos(fsGAxis, nullptr, axis.left, axis.top, axis.width, axis.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(fsGButtons, nullptr, buttons.left, buttons.top, buttons.width, buttons.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void ButtonRows::PlaceRows(RowGroup group) {
  const std::vector<int> entries = EntriesOf(group);
  const int band = group == RowGroup::Axis ? bands_.axis : bands_.buttons;
  int& first = first_[static_cast<int>(group)];
  first = FirstShown(first, static_cast<int>(entries.size()), band);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const int top = RowTop(static_cast<int>(i) + 1 - first);
    const UINT show = InBand(top, band) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    for (const auto& [hwnd, part] : PartsOf(entries[i])) {
      const RowRect r = Scaled(PartRect(part, top), dpi_);
      SetWindowPos(hwnd, nullptr, r.left, r.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | show);
    }
  }
}

std::vector<int> ButtonRows::EntriesOf(RowGroup group) const {
  std::vector<int> entries;
  for (int e = 1; e < Slots(); ++e)
    if (IsEntry(e) && PlaceOfEntry(e, numOfButtons_, shown_).group == group) entries.push_back(e);
  return entries;
}

std::vector<std::pair<HWND, RowPart>> ButtonRows::PartsOf(int entry) const {
  return {{btnJoy[entry], RowPart::Button},
          {stJoy[entry], RowPart::Display},
          {chbJoy[entry], RowPart::Turbo}};
}

void ButtonRows::DestroyRows() {
  for (auto* row : {&btnJoy, &stJoy, &chbJoy}) {
    for (HWND hwnd : *row)
      if (hwnd) DestroyWindow(hwnd);
    row->clear();
  }
  held_.clear();
  greyed_.clear();
}

HWND ButtonRows::GroupOf(int entry) const {
  return PlaceOfEntry(entry, numOfButtons_, shown_).group == RowGroup::Buttons ? fsGButtons
                                                                               : fsGAxis;
}

void ButtonRows::Construct(int numOfButtons, const KeptTexts& texts, const ShownExtras& shown) {
  DestroyRows();
  MakeFonts(texts);

  numOfButtons_ = numOfButtons;
  shown_ = shown;
  first_[0] = first_[1] = 0;
  const int count = numOfButtons + static_cast<int>(kAxisEntries.size());
  const auto slots = static_cast<std::size_t>(count) + 1;
  btnJoy.assign(slots, nullptr);
  stJoy.assign(slots, nullptr);
  chbJoy.assign(slots, nullptr);
  held_.assign(slots, false);
  greyed_.assign(slots, false);

  auto rect = [&](int e, RowPart part) {
    return PartRect(part, RowTop(PlaceOfEntry(e, numOfButtons, shown_).row));
  };
  auto visible = [&](int e) -> DWORD {
    return ShownAtStart(e, numOfButtons, shown_) ? WS_VISIBLE : 0;
  };
  // Made row by row: the keyboard follows the order of making (a row's
  // button, then its Turbo box, from the top of each box).
  for (int e = 1; e <= count; ++e) {
    if (PlaceOfEntry(e, numOfButtons, shown_).row == 0) continue;  // a control the pad lacks
    const HWND group = GroupOf(e);
    btnJoy[e] = MakeRowChild(0, "BUTTON", RowCaption(e, numOfButtons, texts),
                             visible(e) | WS_TABSTOP | BS_PUSHBUTTON | BS_OWNERDRAW,
                             rect(e, RowPart::Button), group, IDC_BTNJOY + e);
    SetFont(btnJoy[e], regularFont_.get());
    stJoy[e] = MakeRowChild(WS_EX_STATICEDGE, "STATIC", "",
                            visible(e) | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX,
                            rect(e, RowPart::Display), group, IDC_STJOY + e);
    SetFont(stJoy[e], boldFont_.get());
    chbJoy[e] = MakeRowChild(0, "BUTTON", texts.Turbo, visible(e) | WS_TABSTOP | BS_AUTOCHECKBOX,
                             rect(e, RowPart::Turbo), group, IDC_CHBJOY + e);
    SetFont(chbJoy[e], regularFont_.get());
  }
  // The arrows, made before any row, come last.
  for (HWND arrow : {btnGUp, btnGDown, btnAUp, btnADown})
    SetWindowPos(arrow, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // Enabled for good: with fewer rows later, scrolling simply finds nothing to do.
  if (RowsScroll(numOfButtons)) {
    EnableWindow(btnGUp, TRUE);
    EnableWindow(btnGDown, TRUE);
  }
  Relayout();
}

void ButtonRows::MakeFonts(const KeptTexts& texts) {
  regularFont_.reset(MakeFont(texts.FontName, texts.FontCharset, false, dpi_));
  boldFont_.reset(MakeFont(texts.FontName, texts.FontCharset, true, dpi_));
  for (HWND control : {stLayer, cbLayer, fsGAxis, fsGButtons}) SetFont(control, regularFont_.get());
}

void ButtonRows::ApplyLanguage(const KeptTexts& texts) {
  // The old fonts go only once no control is drawn in them any more.
  Gdi oldRegular = std::move(regularFont_);
  Gdi oldBold = std::move(boldFont_);
  MakeFonts(texts);
  for (int e = 1; e < static_cast<int>(btnJoy.size()); ++e) {
    if (!btnJoy[e]) continue;
    SetFont(btnJoy[e], regularFont_.get());
    SetFont(stJoy[e], boldFont_.get());
    SetFont(chbJoy[e], regularFont_.get());
    SetWindowTextA(btnJoy[e], RowCaption(e, numOfButtons_, texts).c_str());
    SetWindowTextA(chbJoy[e], texts.Turbo.c_str());
  }
}

void ButtonRows::SetDpi(int dpi, const KeptTexts& texts) {
  dpi_ = dpi;
  ApplyLanguage(texts);
}

void ButtonRows::GBoxScrool(int group, int direction) {
  if (group != static_cast<int>(RowGroup::Axis) && group != static_cast<int>(RowGroup::Buttons))
    return;
  const std::vector<int> entries = EntriesOf(static_cast<RowGroup>(group));
  const int band = group == static_cast<int>(RowGroup::Axis) ? bands_.axis : bands_.buttons;
  // The stick's four rows alone fit the band.
  if (group == static_cast<int>(RowGroup::Axis) && !RowsScroll(AxisRows(shown_), band)) return;
  std::vector<int> tops;  // in the design's pixels
  for (int e : entries) tops.push_back(Unscaled(PlaceInParent(btnJoy[e]).top, dpi_));
  const std::vector<RowStep> steps = ScrollSteps(tops, direction, band);
  if (!steps.empty()) first_[group] += direction == kScrollDown ? 1 : -1;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const auto parts = PartsOf(entries[i]);
    if (steps[i].hideFirst)
      for (const auto& [hwnd, part] : parts) ShowWindow(hwnd, SW_HIDE);
    for (const auto& [hwnd, part] : parts) {
      const RowRect r = Scaled(PartRect(part, steps[i].newTop), dpi_);
      SetWindowPos(hwnd, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (steps[i].showAfter)
      for (const auto& [hwnd, part] : parts) ShowWindow(hwnd, SW_SHOWNA);
  }
}

int ButtonRows::EntryOfButton(HWND control) const { return EntryIn(btnJoy, control, IDC_BTNJOY); }

int ButtonRows::EntryOfDisplay(HWND control) const { return EntryIn(stJoy, control, IDC_STJOY); }

int ButtonRows::EntryOfTurbo(HWND control) const { return EntryIn(chbJoy, control, IDC_CHBJOY); }

void ButtonRows::SetHeld(int entry, bool held) {
  if (!IsEntry(entry) || held_[entry] == held) return;
  held_[entry] = held;
  // Painted when the program is next idle: the input has gone out by then,
  // and a burst of edges paints once.
  InvalidateRect(btnJoy[entry], nullptr, FALSE);
}

bool ButtonRows::Held(int entry) const { return IsEntry(entry) && held_[entry]; }

void ButtonRows::SetGreyed(int entry, bool greyed) {
  if (!IsEntry(entry) || greyed_[entry] == greyed) return;
  greyed_[entry] = greyed;
  InvalidateRect(stJoy[entry], nullptr, TRUE);
}

bool ButtonRows::Greyed(int entry) const { return IsEntry(entry) && greyed_[entry]; }

bool ButtonRows::DrawItem(const DRAWITEMSTRUCT& item) const {
  if (item.CtlType != ODT_BUTTON) return false;
  if (item.hwndItem == btnGUp || item.hwndItem == btnGDown || item.hwndItem == btnAUp ||
      item.hwndItem == btnADown) {
    DrawFlatArrow(item, item.hwndItem == btnGUp || item.hwndItem == btnAUp, dpi_);
    return true;
  }
  const int e = EntryOfButton(item.hwndItem);
  if (!e) return false;
  DrawFlatButton(item, held_[e] ? kHeldColour : kReleasedColour, regularFont_.get());
  return true;
}

HBRUSH ButtonRows::DisplayColours(HDC dc, HWND control) const {
  const int e = EntryOfDisplay(control);
  if (!e) return nullptr;
  SetTextColor(dc, greyed_[e] ? kGreyedColour : kWhite);
  SetBkColor(dc, kDisplayColour);
  return static_cast<HBRUSH>(displayBrush_.get());
}

}  // namespace vantrel

#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "app/RowLayout.h"
#include "lang/KeptTexts.h"
#include "ui/Controls_win.h"

namespace vantrel {

// The rows of the main window: the layer row above them (`stLayer`, `cbLayer`),
// the axis and button group boxes, the two arrows that scroll the button
// group, and for each entry a row button (`btnJoy`), an action display
// (`stJoy`) and a turbo check box (`chbJoy`), each a child of its group box. A
// plain group box keeps its children's notifications to itself, so the group
// boxes pass them on to the main window, which hands the drawing and
// colouring back here.
class ButtonRows {
 public:
  ButtonRows() = default;
  ButtonRows(const ButtonRows&) = delete;
  ButtonRows& operator=(const ButtonRows&) = delete;
  ~ButtonRows();

  // The layer row, the group boxes and the arrows, disabled until there are
  // rows to scroll, laid out for `dpi`.
  void CreateGroups(HWND mainWindow, int dpi);
  // Destroys any rows there are and builds the rows of entries 1..N+4, and
  // of the hat's and the other axes' entries in `shown`, in the language's
  // texts and font, scrolled to the top. In a window of the default height
  // the axis group grows to show up to six rows, and the button group moves
  // down by as much (Growth()).
  void Construct(int numOfButtons, const KeptTexts& texts, const ShownExtras& shown = {});
  int Growth() const { return AxisGroupGrowth(shown_); }
  // The main window's client area is `clientHeight` pixels high (0: the
  // window has its default height), and `defaultHeight` design pixels in a
  // window of the default height (less Growth()): the groups share the rows
  // a taller one has room for, each keeps its scroll where its band allows,
  // and the button group reaches down to the window's bottom.
  void Fit(int clientHeight, int defaultHeight);
  const Bands& Shows() const { return bands_; }
  const ShownExtras& Shown() const { return shown_; }
  // A new language for the rows there are: its font for every row control,
  // its captions for the row buttons and the turbo boxes.
  void ApplyLanguage(const KeptTexts& texts);
  // The main window moved to a monitor of another dpi, and the rows with it:
  // fonts for the new dpi (the window moved the controls).
  void SetDpi(int dpi, const KeptTexts& texts);
  // Scrolls the button group (group 0) or the axis group (1) one row:
  // direction 1 up, 0 down.
  void GBoxScrool(int group, int direction);

  int NumOfButtons() const { return numOfButtons_; }
  // Whether the entry has a row (those of controls the controller lacks have none).
  bool IsEntry(int entry) const {
    return entry >= 1 && entry < static_cast<int>(btnJoy.size()) && btnJoy[entry] != nullptr;
  }
  // One more than the last entry that may have a row.
  int Slots() const { return static_cast<int>(btnJoy.size()); }
  // The entry whose row control `control` is; 0 when it is none of them.
  int EntryOfButton(HWND control) const;
  int EntryOfDisplay(HWND control) const;
  int EntryOfTurbo(HWND control) const;

  // The caption colour of a row button: red while its input is held.
  void SetHeld(int entry, bool held);
  bool Held(int entry) const;
  // The text colour of a row's display: greyed for an entry the layer shown
  // leaves to the layers below.
  void SetGreyed(int entry, bool greyed);
  bool Greyed(int entry) const;

  // WM_DRAWITEM for the owner-drawn buttons; false when `item` is not one of them.
  bool DrawItem(const DRAWITEMSTRUCT& item) const;
  // WM_CTLCOLORSTATIC for the action displays; nullptr for any other control.
  HBRUSH DisplayColours(HDC dc, HWND control) const;

  // Indexed by entry; slot 0 holds nothing.
  std::vector<HWND> btnJoy;
  std::vector<HWND> stJoy;
  std::vector<HWND> chbJoy;
  HWND stLayer = nullptr;
  HWND cbLayer = nullptr;
  HWND fsGAxis = nullptr;
  HWND fsGButtons = nullptr;
  HWND btnGUp = nullptr;
  HWND btnGDown = nullptr;
  // The axis group's arrows, which scroll its rows as those scroll the buttons.
  HWND btnAUp = nullptr;
  HWND btnADown = nullptr;

 private:
  void DestroyRows();
  void MakeFonts(const KeptTexts& texts);
  HWND MakeRowChild(DWORD exStyle, const char* className, const std::string& text, DWORD style,
                    const ControlRect& design, HWND parent, int id) const;
  HWND GroupOf(int entry) const;
  // The entries of a group's rows, top to bottom, and a row's three controls.
  std::vector<int> EntriesOf(RowGroup group) const;
  std::vector<std::pair<HWND, RowPart>> PartsOf(int entry) const;

  using Gdi = GdiHandle;

  void Relayout();
  void PlaceGroups();
  void PlaceRows(RowGroup group);

  int numOfButtons_ = 0;
  ShownExtras shown_;
  int dpi_ = kDesignDpi;
  Bands bands_;
  int first_[2] = {0, 0};  // each group's first row shown, from 0, by RowGroup
  int clientHeight_ = 0;
  int defaultHeight_ = 0;
  std::vector<bool> held_;
  std::vector<bool> greyed_;
  Gdi regularFont_;
  Gdi boldFont_;
  Gdi displayBrush_;
};

}  // namespace vantrel

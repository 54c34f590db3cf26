#pragma once
// Child controls as every window of the program makes them: created from a
// design rectangle, in the language's font, and drawn in one flat style.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "ui/DesignScale.h"

namespace vantrel {

struct GdiDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using GdiHandle = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, GdiDeleter>;

// A child control in its design rectangle scaled to `dpi`; throws when the
// system refuses to create it.
HWND MakeChild(DWORD exStyle, const char* className, const std::string& text, DWORD style,
               const ControlRect& design, int dpi, HWND parent, int id);
void SetFont(HWND hwnd, HGDIOBJ font);
// The language's font at the design size (8 points) for `dpi`; the charset
// counts by its low 8 bits.
HFONT MakeFont(const std::string& name, std::uint16_t charset, bool bold, int dpi);

std::string TextOf(HWND hwnd);
void SetText(HWND hwnd, const std::string& text);
// Replaces the items of a combo box.
void FillCombo(HWND combo, const std::vector<std::string>& items);
bool Checked(HWND box);
void SetChecked(HWND box, bool checked);
// Enter in a window: presses the push button that has the focus in `window`
// (owner-drawn ones included, which the dialog manager takes for plain
// controls and answers with OK); false when the focus is on no push button.
bool PressFocusedButton(HWND window);

// The flat face of an owner-drawn push button: gives the area inside the
// border, shifted while the button is pushed.
RECT DrawFlatFace(const DRAWITEMSTRUCT& item);
// An owner-drawn push button with its caption in `colour` (grey while
// disabled) and the focus rectangle.
void DrawFlatButton(const DRAWITEMSTRUCT& item, COLORREF colour, HGDIOBJ font);
// An owner-drawn link: its caption alone in `colour`, with the focus rectangle.
void DrawFlatLink(const DRAWITEMSTRUCT& item, COLORREF colour, HGDIOBJ font);
// An owner-drawn arrow button: a small triangle pointing up or down, sized
// for `dpi`.
void DrawFlatArrow(const DRAWITEMSTRUCT& item, bool up, int dpi);

// The colour of the action displays, the key display and the popup lines.
constexpr COLORREF kDisplayColour = RGB(58, 110, 165);
constexpr COLORREF kFlatTextColour = RGB(0, 0, 255);

}  // namespace vantrel

namespace vantrel {

// The controls of one window in the language's font (regular and bold), its
// push buttons drawn flat, all laid out for the window's dpi.
class ControlSet {
 public:
  // The fonts for the controls to come, and for every control already made,
  // which takes it before the old font goes.
  void SetFont(const std::string& name, std::uint16_t charset);
  // The dpi the controls to come are laid out for; the fonts are made again
  // for it. (Moving the controls already made is the window's business.)
  void SetDpi(int dpi);
  int Dpi() const { return dpi_; }
  HGDIOBJ Regular() const { return regular_.get(); }
  HGDIOBJ Bold() const { return bold_.get(); }

  HWND Add(HWND parent, DWORD exStyle, const char* className, const std::string& text, DWORD style,
           const ControlRect& r, int id, bool bold = false);
  // Controls are given in design rectangles.
  // A flat push button that takes the focus with Tab.
  HWND AddButton(HWND parent, const std::string& text, const ControlRect& r, int id);
  // A flat arrow button, as a stepper has two of.
  HWND AddArrow(HWND parent, bool up, const ControlRect& r, int id);
  // A link: its text alone in `colour`, clicked like a button and reached
  // with Tab like one (a static text takes no focus).
  HWND AddLink(HWND parent, const std::string& text, COLORREF colour, const ControlRect& r, int id);
  // WM_DRAWITEM of the window: false for anything that is not one of its buttons.
  bool DrawItem(const DRAWITEMSTRUCT& item) const;

 private:
  std::string fontName_;
  std::uint16_t charset_ = 0;
  int dpi_ = kDesignDpi;
  GdiHandle regular_;
  GdiHandle bold_;
  std::vector<HWND> buttons_;
  std::vector<std::pair<HWND, bool>> arrows_;    // and whether it points up
  std::vector<std::pair<HWND, COLORREF>> links_;  // and their colour
  std::vector<std::pair<HWND, bool>> controls_;  // and whether it is bold
};

}  // namespace vantrel

#pragma once
// The dpi of the program's windows. Windows 10 tells each window the dpi of
// the monitor it is on; Windows 7 and 8 lack those functions, and there the
// whole desktop has one dpi, the system's. The newer functions are looked up
// at run time, so the program starts on both.
#include <windows.h>

#include "ui/DesignScale.h"

namespace vantrel {

// The desktop's dpi as the program was started (96 where nothing answers).
int SystemDpi();
// The dpi of the monitor the window is on; the system's before Windows 10.
int WindowDpi(HWND hwnd);
// The outer size at `dpi` of a window whose client area is `designWidth` x
// `designHeight` at 96 dpi, its frame drawn for `dpi`.
SIZE OuterSizeForDpi(int designWidth, int designHeight, DWORD style, bool menu, DWORD exStyle,
                     int dpi);
// Where a control stands in its parent's client area, in pixels.
ControlRect PlaceInParent(HWND control);
// A combo box's window is its field; the height of its design rectangle,
// with the list open, is kept for RescaleControls. Other controls need none.
void KeepDesignHeight(HWND control, int designHeight);
// After the window moved from a monitor of dpi `from` to one of dpi `to`:
// every control in it, and in its group boxes, takes its design rectangle at
// the new dpi. A control's own parts (a combo box's edit) follow their
// control by themselves.
void RescaleControls(HWND window, int from, int to);

}  // namespace vantrel

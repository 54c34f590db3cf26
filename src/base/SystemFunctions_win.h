#pragma once
// The shell's and the common controls' functions, under their own names, each
// looked up the first time it is called. The program imports only libraries
// that Windows keeps on its list of known libraries (kernel32, user32, gdi32,
// advapi32, msvcrt). The shell and the common controls import libraries that
// are not on it (version.dll, uxtheme.dll), and the loader resolves an
// executable's imports before any of its code runs, looking beside the
// executable first: a library planted there would load before the program
// could restrict the search. So these two are loaded once the search is
// restricted, from the system folder, and kept until the program ends.
// Without the library, a function fails as the function itself reports a
// failure.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

namespace vantrel::sys {

BOOL Shell_NotifyIconA(DWORD message, PNOTIFYICONDATAA data);
HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                        INT show);

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes);
BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace vantrel::sys

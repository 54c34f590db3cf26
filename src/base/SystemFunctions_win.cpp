#include "base/SystemFunctions_win.h"

#include "base/Library_win.h"

namespace vantrel::sys {

namespace {

struct ShellLibrary {
  decltype(&::Shell_NotifyIconA) notifyIcon = nullptr;
  decltype(&::ShellExecuteA) execute = nullptr;
};

const ShellLibrary& Shell() {
  static const ShellLibrary library = [] {
    const HMODULE module = LoadSystemLibrary("shell32.dll");
    ShellLibrary found;
    found.notifyIcon = LibraryFunction<decltype(found.notifyIcon)>(module, "Shell_NotifyIconA");
    found.execute = LibraryFunction<decltype(found.execute)>(module, "ShellExecuteA");
    return found;
  }();
  return library;
}

struct ControlsLibrary {
  decltype(&::InitCommonControlsEx) initialise = nullptr;
  decltype(&::SetWindowSubclass) setSubclass = nullptr;
  decltype(&::RemoveWindowSubclass) removeSubclass = nullptr;
  decltype(&::DefSubclassProc) defSubclassProc = nullptr;
};

// The manifest's common controls 6: loaded by name, the activation context
// redirects the system folder's older version to it.
const ControlsLibrary& Controls() {
  static const ControlsLibrary library = [] {
    const HMODULE module = LoadSystemLibrary("comctl32.dll");
    ControlsLibrary found;
    found.initialise = LibraryFunction<decltype(found.initialise)>(module, "InitCommonControlsEx");
    found.setSubclass = LibraryFunction<decltype(found.setSubclass)>(module, "SetWindowSubclass");
    found.removeSubclass =
        LibraryFunction<decltype(found.removeSubclass)>(module, "RemoveWindowSubclass");
    found.defSubclassProc =
        LibraryFunction<decltype(found.defSubclassProc)>(module, "DefSubclassProc");
    return found;
  }();
  return library;
}

}  // namespace

BOOL Shell_NotifyIconA(DWORD message, PNOTIFYICONDATAA data) {
  const auto function = Shell().notifyIcon;
  return function ? function(message, data) : FALSE;
}

HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                        INT show) {
  const auto function = Shell().execute;
  if (!function) return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
  return function(owner, verb, file, parameters, folder, show);
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes) {
  const auto function = Controls().initialise;
  return function ? function(classes) : FALSE;
}

BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
  const auto function = Controls().setSubclass;
  return function ? function(window, procedure, id, data) : FALSE;
}

BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
  const auto function = Controls().removeSubclass;
  return function ? function(window, procedure, id) : FALSE;
}

// Only a subclass procedure calls it, and only one that SetWindowSubclass
// installed: the library is there.
LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto function = Controls().defSubclassProc;
  return function ? function(window, message, wParam, lParam)
                  : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace vantrel::sys

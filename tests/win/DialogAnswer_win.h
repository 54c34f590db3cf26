#pragma once
#include <windows.h>

#include <future>
#include <string>
#include <vector>

namespace vantrel::test {

struct Box {
  std::string caption;
  std::string text;
};

// The first visible top-level window of `thread` whose class is `className`,
// waited for up to five seconds; null when none came.
inline HWND WaitForThreadWindow(DWORD thread, const char* className) {
  struct Search {
    const char* name;
    HWND found;
  } search{className, nullptr};
  for (int i = 0; i < 250 && !search.found; ++i) {
    Sleep(20);
    EnumThreadWindows(
        thread,
        [](HWND hwnd, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          char name[64] = {};
          GetClassNameA(hwnd, name, sizeof name);
          if (std::string(name) != s->name || !IsWindowVisible(hwnd)) return TRUE;
          s->found = hwnd;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
  }
  return search.found;
}

// Waits on another thread for the error box of `thread`, reads it and presses OK.
inline std::future<Box> AnswerErrorBox(DWORD thread) {
  return std::async(std::launch::async, [thread] {
    Box box;
    const HWND hwnd = WaitForThreadWindow(thread, "#32770");
    if (!hwnd) return box;
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    box.caption = text;
    EnumChildWindows(
        hwnd,
        [](HWND child, LPARAM p) -> BOOL {
          char buffer[256] = {};
          GetWindowTextA(child, buffer, sizeof buffer);
          char kind[64] = {};
          GetClassNameA(child, kind, sizeof kind);
          if (std::string(kind) == "Static" && buffer[0]) reinterpret_cast<Box*>(p)->text = buffer;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&box));
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
    return box;
  });
}

// Waits on another thread for a file dialog of `thread`: types `path` as the
// file name and presses OK, or presses Cancel when `path` is empty. True once
// the dialog was answered.
inline std::future<bool> AnswerFileDialog(DWORD thread, std::string path) {
  return std::async(std::launch::async, [thread, path] {
    const HWND dialog = WaitForThreadWindow(thread, "#32770");
    if (!dialog) return false;
    if (path.empty()) return PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0) != FALSE;
    // The name box: an edit of its own, or the name combo box, which passes
    // the text on to its edit.
    HWND name = GetDlgItem(dialog, 0x480);
    if (!name) name = GetDlgItem(dialog, 0x47c);
    if (!name) {
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);  // never leave the test waiting
      return false;
    }
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return PostMessageA(dialog, WM_COMMAND, IDOK, 0) != FALSE;
  });
}

// Waits on another thread for a popup menu of `thread`, reads its items and
// picks the one at `index` with the keyboard. The items' texts, or nothing
// when no menu came.
inline std::future<std::vector<std::string>> AnswerPopupMenu(DWORD thread, int index) {
  return std::async(std::launch::async, [thread, index] {
    std::vector<std::string> items;
    const HWND window = WaitForThreadWindow(thread, "#32768");
    if (!window) return items;
    const auto menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      char text[128] = {};
      GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      items.push_back(text);
    }
    for (int i = 0; i <= index; ++i) PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    return items;
  });
}

}  // namespace vantrel::test

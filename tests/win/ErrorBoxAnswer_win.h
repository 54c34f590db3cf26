#pragma once
#include <windows.h>

#include <future>
#include <string>

namespace vantrel::test {

struct Box {
  std::string caption;
  std::string text;
};

// A visible dialog (a message box, a file dialog) of `thread`, or nullptr.
inline HWND VisibleDialogOf(DWORD thread) {
  HWND dialog = nullptr;
  EnumThreadWindows(
      thread,
      [](HWND hwnd, LPARAM found) -> BOOL {
        char name[64] = {};
        GetClassNameA(hwnd, name, sizeof name);
        if (std::string(name) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&dialog));
  return dialog;
}

// The text of a message box.
inline std::string BoxText(HWND box) {
  std::string text;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM p) -> BOOL {
        char buffer[512] = {};
        char kind[64] = {};
        GetWindowTextA(child, buffer, sizeof buffer);
        GetClassNameA(child, kind, sizeof kind);
        if (std::string(kind) == "Static" && buffer[0]) *reinterpret_cast<std::string*>(p) = buffer;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&text));
  return text;
}

// Waits on another thread for the error box of `thread`, reads it and presses OK.
inline std::future<Box> AnswerErrorBox(DWORD thread) {
  return std::async(std::launch::async, [thread] {
    Box box;
    for (int i = 0; i < 250 && box.caption.empty(); ++i) {
      Sleep(20);
      const HWND hwnd = VisibleDialogOf(thread);
      if (!hwnd) continue;
      char text[256] = {};
      GetWindowTextA(hwnd, text, sizeof text);
      box.caption = text;
      box.text = BoxText(hwnd);
      PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
    }
    return box;
  });
}

}  // namespace vantrel::test

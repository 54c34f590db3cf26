#pragma once
#include <windows.h>

#include <future>
#include <string>

namespace vantrel::test {

struct Box {
  std::string caption;
  std::string text;
};

// Waits on another thread for the error box of `thread`, reads it and presses OK.
inline std::future<Box> AnswerErrorBox(DWORD thread) {
  return std::async(std::launch::async, [thread] {
    Box box;
    for (int i = 0; i < 250 && box.caption.empty(); ++i) {
      Sleep(20);
      EnumThreadWindows(
          thread,
          [](HWND hwnd, LPARAM param) -> BOOL {
            char name[64] = {};
            GetClassNameA(hwnd, name, sizeof name);
            if (std::string(name) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
            auto* found = reinterpret_cast<Box*>(param);
            char text[256] = {};
            GetWindowTextA(hwnd, text, sizeof text);
            found->caption = text;
            EnumChildWindows(
                hwnd,
                [](HWND child, LPARAM p) -> BOOL {
                  char buffer[256] = {};
                  GetWindowTextA(child, buffer, sizeof buffer);
                  char kind[64] = {};
                  GetClassNameA(child, kind, sizeof kind);
                  if (std::string(kind) == "Static" && buffer[0])
                    reinterpret_cast<Box*>(p)->text = buffer;
                  return TRUE;
                },
                param);
            PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
            return FALSE;
          },
          reinterpret_cast<LPARAM>(&box));
    }
    return box;
  });
}

}  // namespace vantrel::test

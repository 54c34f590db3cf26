#pragma once
// Answers the dialogs a test's own thread opens modally: each helper waits
// for the dialog on another thread while the test's thread runs it.
#include <windows.h>

#include <commdlg.h>

#include <future>
#include <string>
#include <vector>

namespace vantrel::test {

struct Box {
  std::string caption;
  std::string text;
};

// A visible top-level window of `thread` whose class is `className`, or null.
inline HWND VisibleWindowOf(DWORD thread, const char* className = "#32770") {
  struct Search {
    const char* name;
    HWND found;
  } search{className, nullptr};
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
  return search.found;
}

// A visible dialog (a message box, a file dialog) of `thread`, or null.
inline HWND VisibleDialogOf(DWORD thread) { return VisibleWindowOf(thread); }

// The same, waited for up to five seconds.
inline HWND WaitForThreadWindow(DWORD thread, const char* className) {
  HWND found = nullptr;
  for (int i = 0; i < 250 && !found; ++i) {
    Sleep(20);
    found = VisibleWindowOf(thread, className);
  }
  return found;
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

// Waits for the error box of `thread`, reads it and presses OK.
inline std::future<Box> AnswerErrorBox(DWORD thread) {
  return std::async(std::launch::async, [thread] {
    Box box;
    const HWND hwnd = WaitForThreadWindow(thread, "#32770");
    if (!hwnd) return box;
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    box.caption = text;
    box.text = BoxText(hwnd);
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
    return box;
  });
}

// Waits for the file dialog of `thread` and answers it: with no answers it is
// cancelled; otherwise each answer is typed into the file name box and
// confirmed in turn (a folder first navigates into it; several files go in
// one answer as "a.ini" "b.ini"). True once answered.
inline std::future<bool> AnswerFileDialog(DWORD thread, std::vector<std::string> answers) {
  return std::async(std::launch::async, [thread, answers] {
    const HWND dialog = WaitForThreadWindow(thread, "#32770");
    if (!dialog) return false;
    Sleep(100);  // let it finish filling its views
    if (answers.empty()) return SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0), true;
    for (const std::string& answer : answers) {
      // The file name box: an Edit of id 0x480, or the Edit inside the
      // combo box of id 0x47c (Wine nests it in two combo boxes).
      HWND box = nullptr;
      EnumChildWindows(
          dialog,
          [](HWND child, LPARAM param) -> BOOL {
            char name[16] = {};
            GetClassNameA(child, name, sizeof name);
            const int id = GetDlgCtrlID(child);
            if (std::string(name) != "Edit" || (id != 0x480 && id != 0x47c)) return TRUE;
            *reinterpret_cast<HWND*>(param) = child;
            return FALSE;
          },
          reinterpret_cast<LPARAM>(&box));
      if (!box) {
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);  // never leave the caller waiting
        return false;
      }
      SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer.c_str()));
      SendMessageA(dialog, WM_COMMAND, IDOK, 0);
      Sleep(100);
    }
    return true;
  });
}

// One path, or "" to cancel.
inline std::future<bool> AnswerFileDialog(DWORD thread, const std::string& path) {
  return AnswerFileDialog(
      thread, path.empty() ? std::vector<std::string>{} : std::vector<std::string>{path});
}

// Waits for the file dialog of `thread`, reads the folder it opened in and
// cancels it. Empty when no dialog came.
inline std::future<std::string> FileDialogFolder(DWORD thread) {
  return std::async(std::launch::async, [thread] {
    const HWND dialog = WaitForThreadWindow(thread, "#32770");
    if (!dialog) return std::string();
    Sleep(100);  // let it finish filling its views
    char folder[MAX_PATH] = {};
    SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return std::string(folder);
  });
}

// Waits for a popup menu of `thread`, reads its items and picks the one at
// `index` with the keyboard. The items' texts, or nothing when no menu came.
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

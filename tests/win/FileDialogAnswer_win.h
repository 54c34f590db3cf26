#pragma once
#include <windows.h>

#include <future>
#include <string>
#include <vector>

namespace vantrel::test {

// Waits on another thread for the file dialog of `thread` and answers it:
// with no names it is cancelled; otherwise each name is typed into the file
// name box and confirmed in turn (a folder first navigates into it; several
// files go in one answer as "a.ini" "b.ini"). Gives true once answered.
inline std::future<bool> AnswerFileDialog(DWORD thread, std::vector<std::string> answers) {
  return std::async(std::launch::async, [thread, answers] {
    auto find = [thread] {
      HWND found = nullptr;
      EnumThreadWindows(
          thread,
          [](HWND hwnd, LPARAM param) -> BOOL {
            char name[64] = {};
            GetClassNameA(hwnd, name, sizeof name);
            if (std::string(name) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
            *reinterpret_cast<HWND*>(param) = hwnd;
            return FALSE;
          },
          reinterpret_cast<LPARAM>(&found));
      return found;
    };
    HWND dialog = nullptr;
    for (int i = 0; i < 250 && !dialog; ++i) {
      Sleep(20);
      dialog = find();
    }
    if (!dialog) return false;
    Sleep(100);  // let it finish filling its views
    if (answers.empty()) {
      SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      return true;
    }
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

}  // namespace vantrel::test

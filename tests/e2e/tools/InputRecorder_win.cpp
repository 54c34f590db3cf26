// Records the keyboard and mouse input that reaches the desktop, through
// low-level hooks, one line per event:
//   key down 17 / key up 116            virtual-key codes
//   key down 37 scan 75 ext             with --scan: the scan code, and "ext"
//                                       for the extended flag
//   key down 65 at 1234                 with --times: the event's time (ms)
//   mouse left down / mouse right up
//   mouse wheel 120
//   mouse move 3,0                      relative to the previous position
// Injected events are the only ones recorded. Lines go to standard output
// and, when a file is named, to that file, flushed at once. The named event,
// if given, is set once the hooks are in place. A WM_QUIT posted to the main
// thread (or WM_CLOSE to nothing: the recorder has no window) ends it.
//
//   InputRecorder [--file PATH] [--ready EVENT] [--scan] [--times]
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

FILE* out = nullptr;
bool withScan = false;
bool withTimes = false;
POINT last{};
bool haveLast = false;

void Emit(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
  if (out) {
    std::fprintf(out, "%s\n", line.c_str());
    std::fflush(out);
  }
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (k->flags & LLKHF_INJECTED) {
      std::string line = std::string("key ") + ((k->flags & LLKHF_UP) ? "up " : "down ") +
                         std::to_string(k->vkCode);
      if (withScan)
        line += " scan " + std::to_string(k->scanCode) + (k->flags & LLKHF_EXTENDED ? " ext" : "");
      if (withTimes) line += " at " + std::to_string(k->time);
      Emit(line);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* m = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    if (m->flags & LLMHF_INJECTED) {
      switch (wParam) {
        case WM_MOUSEMOVE:
          // The hook reports where the pointer went; the move is the difference.
          if (haveLast)
            Emit("mouse move " + std::to_string(m->pt.x - last.x) + "," +
                 std::to_string(m->pt.y - last.y));
          break;
        case WM_LBUTTONDOWN: Emit("mouse left down"); break;
        case WM_LBUTTONUP: Emit("mouse left up"); break;
        case WM_RBUTTONDOWN: Emit("mouse right down"); break;
        case WM_RBUTTONUP: Emit("mouse right up"); break;
        case WM_MOUSEWHEEL:
          Emit("mouse wheel " + std::to_string(static_cast<short>(HIWORD(m->mouseData))));
          break;
      }
    }
    last = m->pt;
    haveLast = true;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  const char* ready = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--scan") == 0) withScan = true;
    if (std::strcmp(argv[i], "--times") == 0) withTimes = true;
    if (i + 1 == argc) break;
    if (std::strcmp(argv[i], "--file") == 0)
      out = std::fopen(argv[++i], "w");
    else if (std::strcmp(argv[i], "--ready") == 0)
      ready = argv[++i];
  }
  GetCursorPos(&last);
  haveLast = true;
  const HINSTANCE self = GetModuleHandleA(nullptr);
  HHOOK keyboard = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHook, self, 0);
  HHOOK mouse = SetWindowsHookExA(WH_MOUSE_LL, MouseHook, self, 0);
  if (!keyboard || !mouse) return 1;
  if (ready) {
    // Created, not just opened: whichever process comes first makes it.
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, ready);
    SetEvent(event);
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  UnhookWindowsHookEx(keyboard);
  UnhookWindowsHookEx(mouse);
  if (out) std::fclose(out);
  return 0;
}

// Reads the keyboard's state every 2 ms, as a game reads it once a frame,
// and writes a line each time one of the keys it watches is seen to go down
// or up:
//   down 65 / up 65                     virtual-key codes
// A key that goes down and up again between two looks is never seen; when
// the poller itself could not look for longer than kGapMs (a loaded
// machine), it says so: "gap". Only
// the state is read (GetAsyncKeyState's high bit), never whether a key was
// pressed since the last call. Keys that change between the same two looks
// are written in the order given on the command line. Lines go to standard
// output and, when a file is named, to that file, flushed at once. The named
// event, if given, is set once the first look is taken. A WM_QUIT posted to
// the main thread ends it.
//
//   KeyStatePoller [--file PATH] [--ready EVENT] VK...
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kLookEveryMs = 2;
constexpr ULONGLONG kGapMs = 40;

FILE* out = nullptr;

void Emit(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
  if (out) {
    std::fprintf(out, "%s\n", line.c_str());
    std::fflush(out);
  }
}

bool Down(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

}  // namespace

int main(int argc, char** argv) {
  const char* ready = nullptr;
  std::vector<int> keys;
  for (int i = 1; i < argc; ++i) {
    if (i + 1 < argc && std::strcmp(argv[i], "--file") == 0)
      out = std::fopen(argv[++i], "w");
    else if (i + 1 < argc && std::strcmp(argv[i], "--ready") == 0)
      ready = argv[++i];
    else if (const int key = std::atoi(argv[i]); key > 0 && key < 256)
      keys.push_back(key);
  }
  if (keys.empty()) return 2;
  // The queue must exist before anyone is told to post the WM_QUIT to it.
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
  // Waits of 2 ms need the finer timer; the default tick is about 15 ms.
  timeBeginPeriod(1);
  // A key already down when the watch starts is no news.
  std::vector<bool> down;
  for (const int key : keys) down.push_back(Down(key));
  if (ready) {
    // Created, not just opened: whichever process comes first makes it.
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, ready);
    SetEvent(event);
  }
  ULONGLONG lastLook = GetTickCount64();
  for (bool quit = false; !quit;) {
    while (!quit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) quit = msg.message == WM_QUIT;
    const ULONGLONG look = GetTickCount64();
    if (look - lastLook > kGapMs) Emit("gap");
    lastLook = look;
    for (std::size_t i = 0; i < keys.size(); ++i) {
      const bool now = Down(keys[i]);
      if (now == down[i]) continue;
      down[i] = now;
      Emit((now ? "down " : "up ") + std::to_string(keys[i]));
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kLookEveryMs, QS_ALLPOSTMESSAGE);
  }
  timeEndPeriod(1);
  if (out) std::fclose(out);
  return 0;
}

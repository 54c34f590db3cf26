// Waits for a visible top-level window with the given caption and prints its
// screen rectangle as "left top width height"; `make run` crops its picture
// of a virtual display with it. Exits 1 when no such window appears in time.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: WindowRect <caption> [seconds]\n");
    return 2;
  }
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 20;
  for (int i = 0; i < seconds * 10; ++i) {
    const HWND window = FindWindowA(nullptr, argv[1]);
    if (window && IsWindowVisible(window)) {
      Sleep(500);  // let it finish painting
      RECT r{};
      GetWindowRect(window, &r);
      std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
      return 0;
    }
    Sleep(100);
  }
  return 1;
}

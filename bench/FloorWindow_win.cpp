// The floor the program is measured against: an empty window with one 50 ms
// message-loop timer, whose tick does nothing. Built a second time with
// FLOOR_IMPORTS, it also imports the system DLLs the program loads at start.
#include <windows.h>

#ifdef FLOOR_IMPORTS
#include <commctrl.h>
#include <shellapi.h>
#endif

namespace {

LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_TIMER: return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

#ifdef FLOOR_IMPORTS
// One function of each DLL, so that the loader maps them all as it does
// for the program; only the common controls are set up as the program does.
void* volatile imported[] = {reinterpret_cast<void*>(&Shell_NotifyIconA),
                             reinterpret_cast<void*>(&RegCloseKey),
                             reinterpret_cast<void*>(&GetStockObject)};
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
#ifdef FLOOR_IMPORTS
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
#endif
  WNDCLASSA wc{};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "FloorWindow";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowA("FloorWindow", "Floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                            CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  SetTimer(hwnd, 1, 50, nullptr);
  ShowWindow(hwnd, showCommand);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

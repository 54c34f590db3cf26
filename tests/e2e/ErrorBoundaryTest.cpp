// An exception in a window's handler stops at the window procedure: the user
// sees the error box, the handler is abandoned and the window keeps working.
#include <windows.h>

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

#include "app/Errors.h"
#include "app/Window_win.h"

namespace {

constexpr UINT kThrowAppError = WM_APP + 10;
constexpr UINT kThrowSomethingElse = WM_APP + 11;
constexpr UINT kPing = WM_APP + 12;

class ThrowingWindow : public vantrel::Window<ThrowingWindow> {
 public:
  void Create() { CreateFromSpec({.className = "VantrelThrowingWindow", .style = WS_POPUP}); }
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
      case kThrowAppError:
        throw vantrel::UnableToWrite("C:\\profiles\\game.ini");
      case kThrowSomethingElse:
        throw 42;
      case kPing:
        return 7;
    }
    return DefaultHandling(msg, wParam, lParam);
  }
};

struct Box {
  std::string caption;
  std::string text;
};

// Waits on another thread for the error box of `thread`, reads it and presses OK.
std::future<Box> AnswerErrorBox(DWORD thread) {
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

TEST(ErrorBoundaryTest, AnErrorIsShownWithTheTitleAndTheWindowRunsOn) {
  ThrowingWindow window;
  window.Create();
  ASSERT_NE(window.Handle(), nullptr);

  auto answered = AnswerErrorBox(GetCurrentThreadId());
  EXPECT_EQ(SendMessageA(window.Handle(), kThrowAppError, 0, 0), 0);
  const Box box = answered.get();
  EXPECT_EQ(box.caption, "Vantrel");
  EXPECT_EQ(box.text, "Unable to write to C:\\profiles\\game.ini.");

  answered = AnswerErrorBox(GetCurrentThreadId());
  SendMessageA(window.Handle(), kThrowSomethingElse, 0, 0);
  EXPECT_EQ(answered.get().caption, "Vantrel") << "an exception of any type stops at the boundary";

  EXPECT_EQ(SendMessageA(window.Handle(), kPing, 0, 0), 7);
}

}  // namespace

// An exception in a window's handler stops at the window procedure: the user
// sees the error box, the handler is abandoned and the window keeps working.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Errors.h"
#include "ui/Window_win.h"
#include "win/DialogAnswer_win.h"

namespace {

using vantrel::test::AnswerErrorBox;
using vantrel::test::Box;

constexpr UINT kThrowAppError = WM_APP + 10;
constexpr UINT kThrowSomethingElse = WM_APP + 11;
constexpr UINT kPing = WM_APP + 12;

class ThrowingWindow : public vantrel::Window<ThrowingWindow> {
 public:
  void Create() { CreateWithParams({.className = "VantrelThrowingWindow", .style = WS_POPUP}); }
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
      case kThrowAppError: throw vantrel::UnableToWrite("C:\\profiles\\game.ini");
      case kThrowSomethingElse: throw 42;
      case kPing: return 7;
    }
    return DefaultHandling(msg, wParam, lParam);
  }
};

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

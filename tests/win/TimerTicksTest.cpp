// The tick runner: no handler inside another, and errors shown after the
// tick, once per text.
#include "ui/TimerTicks_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "base/Errors.h"
#include "ui/Window_win.h"
#include "win/DialogAnswer_win.h"

namespace vantrel {
namespace {

class TickWindow : public Window<TickWindow> {
 public:
  TickWindow() {
    CreateWithParams({.className = "VantrelTickWindow", .style = WS_POPUP});
    ticks.Attach(Handle());
  }
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == TickRunner::kShowDeferredMessage) {
      ticks.ShowDeferred();
      return 0;
    }
    if (msg == WM_TIMER) {
      ticks.Run([&] { onTick(); });
      return 0;
    }
    return DefaultHandling(msg, wParam, lParam);
  }
  // Whether a box is waiting to be shown.
  bool ShowPosted() {
    MSG msg;
    return PeekMessageA(&msg, Handle(), TickRunner::kShowDeferredMessage,
                        TickRunner::kShowDeferredMessage, PM_NOREMOVE) != FALSE;
  }
  void Tick() { SendMessageA(Handle(), WM_TIMER, 1, 0); }
  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }

  TickRunner ticks;
  std::function<void()> onTick = [] {};
};

TEST(TickRunner, AHandlerNeverRunsInsideAnother) {
  TickWindow window;
  int outer = 0, inner = 0;
  window.onTick = [&] {
    ++outer;
    // As a modal loop inside the handler would: the next tick arrives.
    window.onTick = [&] { ++inner; };
    window.Tick();
  };
  window.Tick();
  EXPECT_EQ(outer, 1);
  EXPECT_EQ(inner, 0) << "the tick that came during the handler is skipped";
  window.Tick();
  EXPECT_EQ(inner, 1) << "the next one runs";
}

TEST(TickRunner, AnErrorIsShownAfterTheTickOncePerText) {
  TickWindow window;
  window.onTick = [] { throw UnableToWrite("C:\\Vantrel.set"); };
  window.Tick();  // a box here would block until answered
  EXPECT_FALSE(window.ticks.Running());
  ASSERT_TRUE(window.ShowPosted());
  window.Tick();
  window.Tick();

  auto answered = test::AnswerErrorBox(GetCurrentThreadId());
  window.Pump();
  const test::Box box = answered.get();
  EXPECT_EQ(box.caption, "Vantrel");
  EXPECT_EQ(box.text, "Unable to write to C:\\Vantrel.set.");
  window.Pump();

  window.Tick();
  EXPECT_FALSE(window.ShowPosted()) << "told once, not once per tick";
  window.onTick = [] { throw AppError("Another fault"); };
  window.Tick();
  EXPECT_TRUE(window.ShowPosted()) << "a new text is told";
  answered = test::AnswerErrorBox(GetCurrentThreadId());
  window.Pump();
  EXPECT_EQ(answered.get().text, "Another fault.");
}

}  // namespace
}  // namespace vantrel

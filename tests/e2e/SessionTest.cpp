// Locking the session, switching to another user or disconnecting the
// console: the system drops input sent meanwhile, and a key whose release
// is dropped stays down. Everything held comes up as the session goes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/Controller_win.h"

namespace {

using vantrel::test::ControllerTest;
using vantrel::test::Key;
using vantrel::test::RealKeys;
using Lines = std::vector<std::string>;

TEST_F(ControllerTest, WhatIsHeldComesUpWhenTheSessionIsLocked) {
  Start("[Bind]\r\n" + Key(1, VK_SPACE, VK_CONTROL));
  for (WPARAM change : {WPARAM{WTS_SESSION_LOCK}, WPARAM{WTS_CONSOLE_DISCONNECT}}) {
    SCOPED_TRACE(change);
    Press(1);
    ASSERT_EQ(RealKeys(Quiet()), (Lines{"key down 17", "key down 32"}));
    recorder.Clear();
    PostMessageA(main, WM_WTSSESSION_CHANGE, change, 0);
    EXPECT_EQ(RealKeys(Quiet()), (Lines{"key up 17", "key up 32"}));
    recorder.Clear();
    PostMessageA(main, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
    Release(1);
    EXPECT_TRUE(RealKeys(Quiet()).empty()) << "nothing went down while the session was away";
    recorder.Clear();
  }
}

}  // namespace

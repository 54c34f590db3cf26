#pragma once
// What the tests of the joystick component share: a window for the
// cooperative level, and the state of the DirectInput and XInput doubles,
// named for the test's process.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "dinput/DoubleState.h"
#include "xinput/XInputState.h"

namespace vantrel {

// SetCooperativeLevel needs a real window; a message-only one works headless.
class MessageWindow {
 public:
  MessageWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VantrelJoystickTestWindow";
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            wc.hInstance, nullptr);
  }
  ~MessageWindow() { DestroyWindow(hwnd_); }
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;
  HWND get() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// The double's module as this process loaded it, if it is the double.
inline bool DoubleLoaded() {
  HMODULE module = GetModuleHandleA("dinput.dll");
  return module && GetProcAddress(module, test::kDoubleExport);
}

class JoystickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(window.get(), nullptr);
    SetEnvironmentVariableA(test::kDoubleStateVariable, name.c_str());
    state = test::MapDoubleState(name.c_str());
    ASSERT_NE(state, nullptr);
    test::ResetDoubleState(*state);
  }

  // Makes the double's joystick an Xbox pad's twin, and connects the pad,
  // at rest, as XInput's first.
  test::XInputState& ConnectXboxPad() {
    const std::string pads = name + "-pads";
    SetEnvironmentVariableA(test::kXInputStateVariable, pads.c_str());
    test::XInputState& xinput = *test::MapXInputState(pads.c_str());
    xinput.pads[0] = {.connected = 1};
    state->xinputTwin = 1;
    return xinput;
  }

  MessageWindow window;
  const std::string name = "vantrel-dinput-" + std::to_string(GetCurrentProcessId());
  test::DoubleState* state = nullptr;
};

}  // namespace vantrel

// The keys the program injects carry a real keyboard's scan codes, and the
// extended flag where its keys have the prefix; turned off, every scan code
// is 0 again.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "e2e/Controller_win.h"
#include "resource.h"

namespace {

using vantrel::test::ControllerTest;
using vantrel::test::Key;
using vantrel::test::RealKeys;
using vantrel::test::WaitUntil;
using Lines = std::vector<std::string>;

class ScanCodes : public ControllerTest {
 protected:
  ScanCodes() : ControllerTest(true) {}
  void Tap(int button) {
    Press(button);
    Release(button);
  }

  // A letter, right Ctrl (bound by its code) with Delete, the keypad's Divide
  // and Add, then a short turbo hold of the left arrow: what the hooks saw,
  // with "scan 0" everywhere when `off`.
  void ExpectTheKeys(bool off) {
    Start("[Bind]\r\n" + Key(1, 'A') + Key(3, VK_DELETE, VK_RCONTROL) + Key(4, VK_DIVIDE) +
              Key(5, VK_ADD) + Key(2, VK_LEFT, 0, true),
          std::string("NumOfButtons=5\r\n") + (off ? "ScanCodes=0\r\n" : ""));
    for (int button : {1, 3, 4, 5}) Tap(button);
    Press(2);
    Sleep(250);
    Release(2);
    Lines expected{"key down 65 scan 30",      "key up 65 scan 30",      "key down 163 scan 29 ext",
                   "key down 46 scan 83 ext",  "key up 163 scan 29 ext", "key up 46 scan 83 ext",
                   "key down 111 scan 53 ext", "key up 111 scan 53 ext", "key down 107 scan 78",
                   "key up 107 scan 78"};
    for (int i = 0; i < 16; ++i)  // eight taps at the most
      expected.push_back(i % 2 ? "key up 37 scan 75 ext" : "key down 37 scan 75 ext");
    if (off)
      for (std::string& line : expected)
        line = std::regex_replace(line, std::regex(" scan.*"), " scan 0");
    const Lines keys = RealKeys(Quiet());
    // About two turbo taps at 100 ms; the timers of a virtual desktop jitter.
    ASSERT_GE(keys.size(), 12u);
    EXPECT_EQ(keys,
              Lines(expected.begin(), expected.begin() + std::min(keys.size(), expected.size())));
  }
};

TEST_F(ScanCodes, EveryKeyCarriesItsScanCodeAndExtendedFlagDownAndUp) { ExpectTheKeys(false); }

TEST_F(ScanCodes, TurnedOffInTheSettingsFileEveryScanCodeIsZeroAsBefore) { ExpectTheKeys(true); }

TEST_F(ScanCodes, TheOptionsBoxTurnsThemOffAtOnceAndTheSettingsFileKeepsIt) {
  Start("[Bind]\r\n" + Key(1, 'A'));
  PostMessageA(main, WM_COMMAND, IDM_OPTIONS, 0);
  HWND options = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] { return (options = program.Window("TOptionsFrm")) && IsWindowVisible(options); }));
  const HWND box = GetDlgItem(options, IDC_CHBSCANCODES);
  EXPECT_EQ(vantrel::test::TextOf(box), "Send scan codes");
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(box, BM_CLICK, 0, 0);
  Tap(1);
  EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down 65 scan 0", "key up 65 scan 0"}));
  SendMessageA(GetDlgItem(options, IDCANCEL), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }));
  EXPECT_EQ(GetPrivateProfileIntA("Setup", "ScanCodes", -1, (program / "Vantrel.set").c_str()), 0);
}

}  // namespace

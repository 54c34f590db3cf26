// Layers played to the real program: a button shifts the others to another
// set of bindings while held, toggled, once or for good, and the recorder
// shows which binding each press went out under.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/Controller_win.h"

namespace vantrel::test {
namespace {

using Lines = std::vector<std::string>;

constexpr int kA = 'A', kB = 'B', kC = 'C', kD = 'D', kZ = 'Z';

std::string LayerEntry(int button, int layer, int mode) {
  const std::string p = "Button" + std::to_string(button);
  return p + ".Action=6\r\n" + p + ".Layer=" + std::to_string(layer) + "\r\n" + p +
         ".LayerMode=" + std::to_string(mode) + "\r\n";
}

Lines Typed(int vcode) {
  return {"key down " + std::to_string(vcode), "key up " + std::to_string(vcode)};
}

class Layers : public ControllerTest {
 protected:
  // Button 1 types A, B in layer 1 ("Driving") and D in layer 2; button 7
  // types C, which layer 1 lets through and layer 2 blocks. Buttons 2 to 6
  // put the layers on: 2 holds layer 1, 3 toggles layer 2, 4 puts layer 1
  // on once, 5 sets layer 2 and 6 sets the base. Button 8 switches to a
  // profile where button 1 types Z.
  void StartLayered() {
    program.Write("other.ini", "[Bind]\r\n" + Key(1, kZ) + "[Layer2]\r\n" + Key(1, kD));
    const std::string profile =
        "[Bind]\r\n" + Key(1, kA) + LayerEntry(2, 1, 0) + LayerEntry(3, 2, 1) +
        LayerEntry(4, 1, 2) + LayerEntry(5, 2, 3) + LayerEntry(6, 0, 3) + Key(7, kC) +
        "Button8.Action=2\r\nButton8.INI.Count=2\r\nButton8.INI0=" + (program / "profile.ini") +
        "\r\nButton8.INI1=" + (program / "other.ini") + "\r\n" + "[Layer1]\r\n" + Key(1, kB) +
        "[Layer2]\r\n" + Key(1, kD) + "Button7.Action=0\r\n[Layers]\r\nName1=Driving\r\n";
    Start(profile, "Popup=0\r\nNumOfButtons=8\r\n");
  }
  Lines Tap(int button) {
    recorder.Clear();
    Press(button);
    Release(button);
    return RealKeys(Quiet());
  }
  void Tapped(int button) {
    Press(button);
    Release(button);
  }
};

TEST_F(Layers, AHoldLayerChangesAButtonWhileHeldAndAKeyComesUpOnlyWithItsOwnButton) {
  StartLayered();
  EXPECT_EQ(Tap(1), Typed(kA));
  Press(2);
  EXPECT_EQ(Tap(1), Typed(kB)) << "layer 1 while button 2 is held";
  Release(2);
  EXPECT_EQ(Tap(1), Typed(kA)) << "the base again";

  recorder.Clear();
  Press(2);
  Press(1);
  Release(2);
  EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down 66"})) << "B stays down without its layer";
  Release(1);
  EXPECT_EQ(RealKeys(Quiet()), Typed(kB)) << "and comes up with its own button";
}

TEST_F(Layers, TransparentBlockedToggleOnceAndSet) {
  StartLayered();
  Press(2);
  EXPECT_EQ(Tap(7), Typed(kC)) << "layer 1 lets button 7 through to the base";
  Release(2);
  Tapped(3);
  EXPECT_EQ(Tap(7), Lines{}) << "layer 2 blocks button 7";
  EXPECT_EQ(Tap(1), Typed(kD)) << "toggled on";
  Tapped(3);
  EXPECT_EQ(Tap(1), Typed(kA)) << "toggled off";

  Tapped(4);
  EXPECT_EQ(Tap(1), Typed(kB)) << "once: the next press";
  EXPECT_EQ(Tap(1), Typed(kA)) << "and no more";

  Tapped(5);
  EXPECT_EQ(Tap(1), Typed(kD)) << "set: it stands";
  EXPECT_EQ(Tap(1), Typed(kD));
  Tapped(6);
  EXPECT_EQ(Tap(1), Typed(kA)) << "set to the base";
}

TEST_F(Layers, AProfileSwitchDropsTheLayer) {
  StartLayered();
  Tapped(5);  // layer 2 stands
  Tapped(8);  // the other profile, whose layer 2 binds button 1 too
  EXPECT_EQ(Tap(1), Typed(kZ)) << "the other profile's base, not its layer 2";
}

}  // namespace
}  // namespace vantrel::test

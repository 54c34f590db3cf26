#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "actions/ActionHost.h"
#include "actions/InputSink.h"
#include "actions/MouseMotion.h"
#include "actions/StickPointer.h"
#include "base/Time.h"
#include "bindings/Binding.h"

namespace vantrel {

// Whether the press of an entry bound so sends keys or mouse input.
constexpr bool InjectsInput(const Binding& b) {
  return b.Action == ActEmulKey || b.Action == ActEmulClick;
}

// How a stick's axes read as a pointer: the values that stand for the end
// of its travel, and its round dead zone in percent of that travel.
struct StickReach {
  double travelX = 1000, travelY = 1000;
  double deadZonePercent = 0;
};
using StickReaches = std::array<StickReach, kPointerSticks>;

// Turns the press and release edges of entries into actions.
//
// A release undoes exactly what its press did (the keys that went down, the
// mouse button, the turbo repeat, the pointer motion), whatever the entry is
// bound to by then: a profile switch or an edit while the input is held can
// otherwise leave a key down for good or never stop the repeat.
//
// What goes on by itself while an input is held (turbo taps, the pointer)
// runs by time: Advance brings it up to `now`, and NextDue says when it
// next has something to do. The edges take effect at the time of the last
// Advance.
class Dispatcher {
 public:
  Dispatcher(BindingTable& table, InputSink& sink, ActionHost& host)
      : table_(table), sink_(sink), host_(host) {}

  // The entry's Pressed field says which edge this is: 1 a press, else a release.
  void JoyButtonPress(int entry);
  // Brings the turbo taps and the pointers up to `now`.
  void Advance(Millis now);
  // When Advance next has something to do; kNever while nothing runs.
  Millis NextDue() const;
  // Whether anything is held down or moving: a key, a mouse button, a
  // repeat or the pointer.
  bool Busy() const;
  // Lets go of every key and button still held down; used before exit.
  void ReleaseAll();
  // Sizes the table for `numOfButtons` buttons. The buttons that go let go
  // of what they hold at once; the stick's entries move behind the buttons
  // with what they hold and their Pressed, so a direction held through the
  // change neither comes up nor goes down again. A button that is new starts
  // released: the next poll presses it if it is down.
  void Resize(int numOfButtons);
  // Releases the system refused (a locked session drops them, and the key
  // would stay down) are kept and sent again here, and before any later input.
  void SendRefusedAgain();
  bool HasRefused() const { return !refused_.empty(); }

  // Program-wide mouse settings.
  double MAccelarate = 0.1;
  double MSpeed = 8;
  // While a program whose rule is "off" is in front: nothing is injected;
  // the rows still follow the controller.
  bool Quiet = false;
  // While the session is locked or another user's is in front, likewise:
  // the system would drop the input.
  bool Away = false;
  // The response of a pointer stick: speed = MSpeed × deflection^curve.
  double PointerCurve = 2.0;
  // Milliseconds from a turbo press to its first tap, and between taps. A
  // tap keeps its keys down for half of it: a game that reads the
  // keyboard's state once a frame never sees a key that goes down and up
  // with no time between.
  std::int32_t TurboInterval = 100;

  // After each read: where the sticks are, for those bound to "Pointer
  // (stick)" (axes in -1000 ... +1000, each stick's reach).
  void FollowSticks(const std::array<std::int32_t, kControllerAxes>& axes,
                    const StickReaches& reaches);
  // Keys carry their scan codes (and the extended flag where the key has
  // one), which games reading the keyboard through DirectInput or raw input
  // look at; off, every scan code is 0, as it always was.
  bool ScanCodes = true;
  // The position in profile lists, shared by every switching entry.
  std::int32_t INIIndex = 0;
  std::uint8_t TurboEntry = 0;

  const MouseMotion& Motion() const { return motion_; }

  // Commands longer than this are refused rather than cut.
  static constexpr std::size_t kMaxCommand = 600;

 private:
  // What an entry's press set going, kept until its release.
  struct Held {
    enum Kind : std::uint8_t { Nothing, Keys, Turbo, MouseButton, Motion, MouseOther } kind = Nothing;
    std::uint8_t shift = 0;
    std::uint8_t vcode = 0;
    bool scanCodes = false;     // Keys: whether they went down with scan codes
    std::uint32_t upFlags = 0;  // MouseButton
    Axis axis = Axis::X;        // Motion
  };
  // The one repeat that runs, of the last turbo entry pressed.
  struct Repeat {
    bool running = false;
    std::uint8_t shift = 0, vcode = 0;
    bool scanCodes = false;
    bool tapDown = false;  // a tap's keys are down until upAt
    Millis nextTap = 0, upAt = 0;
  };

  Held Press(std::uint8_t e, const Binding& b);
  void Release(const Held& held);
  Held PressMouse(std::uint16_t code);
  void StopRepeat();
  void AdvanceRepeat(Millis now);
  void AdvanceMotion(Millis now);
  void SendMove(std::int64_t dx, std::int64_t dy);
  void SetSticksActive();
  // The modifier event is sent even without a modifier (virtual key 0); the
  // modifier comes up first too: the order of the press, not its reverse.
  void SendKeys(std::uint8_t shift, std::uint8_t vcode, bool up, bool scanCodes);
  KeyStroke Stroke(std::uint8_t vk, std::uint32_t flags, bool scanCodes);
  void SendMouse(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data,
                 bool release);
  void SwitchProfile(std::uint8_t e);

  BindingTable& table_;
  InputSink& sink_;
  ActionHost& host_;

  Millis now_ = 0;
  MouseMotion motion_;
  Millis motionClock_ = 0;  // the last 7 ms step of the accelerating pointer
  StickPointer pointer_;
  std::array<Held, 256> held_{};
  Repeat repeat_;
  // Releases the system refused, kept to be sent again.
  struct Refused {
    std::vector<KeyStroke> keys;
    std::uint32_t mouseFlags = 0;
  };
  std::vector<Refused> refused_;
};

}  // namespace vantrel

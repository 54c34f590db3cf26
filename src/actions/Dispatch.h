#pragma once
#include <array>
#include <cstdint>

#include "actions/ActionHost.h"
#include "actions/InputSink.h"
#include "actions/MouseMotion.h"
#include "actions/StickPointer.h"
#include "bindings/Binding.h"

namespace vantrel {

// Whether the press of an entry bound so sends keys or mouse input.
constexpr bool InjectsInput(const Binding& b) {
  return b.Action == ActEmulKey || b.Action == ActEmulClick;
}

// Turns the press and release edges of entries into actions.
//
// A release undoes exactly what its press did (the keys that went down, the
// mouse button, the turbo repeat, the pointer motion), whatever the entry is
// bound to by then: a profile switch or an edit while the input is held can
// otherwise leave a key down for good or never stop the repeat.
class Dispatcher {
 public:
  Dispatcher(BindingTable& table, InputSink& sink, ActionHost& host)
      : table_(table), sink_(sink), host_(host) {}

  // The entry's Pressed field says which edge this is: 1 a press, else a release.
  void JoyButtonPress(int entry);
  // Timer ticks.
  void tmrTurboTimer();
  void tmrMouseTimer();
  // Lets go of every key and button still held down; used before exit.
  void ReleaseAll();
  // Sizes the table for `numOfButtons` buttons. The buttons that go let go
  // of what they hold at once; the stick's entries move behind the buttons
  // with what they hold and their Pressed, so a direction held through the
  // change neither comes up nor goes down again. A button that is new starts
  // released: the next poll presses it if it is down.
  void Resize(int numOfButtons);

  void EmulKeyDown(std::uint8_t shift, std::uint8_t vcode) { EmulKeyDown(shift, vcode, ScanCodes); }
  void EmulKeyUp(std::uint8_t shift, std::uint8_t vcode) { EmulKeyUp(shift, vcode, ScanCodes); }

  // Program-wide mouse settings.
  double MAccelarate = 0.1;
  double MSpeed = 8;
  // While a program whose rule is "off" is in front: nothing is injected;
  // the rows still follow the controller.
  bool Quiet = false;
  // The response of a pointer stick: speed = MSpeed × deflection^curve.
  double PointerCurve = 2.0;

  // After each read: where the sticks are, for those bound to "Pointer
  // (stick)" (axes in -1000 ... +1000; the other axes' dead zone in percent).
  void FollowSticks(const std::array<std::int32_t, kControllerAxes>& axes,
                    std::int32_t deadZoneAxes);
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

  Held Press(std::uint8_t e, const Binding& b);
  void Release(const Held& held);
  Held PressMouse(std::uint16_t code);
  // A release comes up as its key went down, whatever ScanCodes says by then.
  void EmulKeyDown(std::uint8_t shift, std::uint8_t vcode, bool scanCodes);
  void EmulKeyUp(std::uint8_t shift, std::uint8_t vcode, bool scanCodes);
  void KeyEvent(std::uint8_t vk, std::uint32_t flags, bool scanCodes);
  void SwitchProfile(std::uint8_t e);

  BindingTable& table_;
  InputSink& sink_;
  ActionHost& host_;
  bool PointerMoves() const { return motion_.Moving() || pointer_.Moving(); }

  MouseMotion motion_;
  StickPointer pointer_;
  std::array<Held, 256> held_{};
  bool turboRunning_ = false;
  std::uint8_t turboShift_ = 0;
  std::uint8_t turboVCode_ = 0;
};

}  // namespace vantrel

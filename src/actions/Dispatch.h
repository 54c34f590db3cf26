#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "actions/ActionHost.h"
#include "actions/InputSink.h"
#include "actions/MouseMotion.h"
#include "actions/PressLedger.h"
#include "actions/StickPointer.h"
#include "actions/Turbo.h"
#include "base/Time.h"
#include "base/Trace.h"
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

// The pipeline's settings, handed over in one value.
struct PipelineSettings {
  // Milliseconds from a turbo press to its first tap, and between taps.
  std::int32_t turboInterval = 100;
  double mouseAcceleration = 0.1;  // MAccelarate
  double mouseTopSpeed = 8;        // MSpeed
  // The response of a pointer stick: speed = top speed × deflection^curve.
  double pointerCurve = 2.0;
  // Keys carry their scan codes (and the extended flag where the key has
  // one), which games reading the keyboard through DirectInput or raw input
  // look at; off, every scan code is 0, as it always was.
  bool scanCodes = true;
  std::int32_t deadZoneAxes = 50;  // percent, of the axes beyond the stick
  // Milliseconds: held this long, a press with a Hold action is a hold; a
  // second press this soon after a tap is a double; a decided tap keeps its
  // keys down this long; a chord's entries all come down within this.
  std::int32_t holdTime = 200;
  std::int32_t doubleTime = 250;
  std::int32_t tapTime = 40;
  std::int32_t chordTime = 50;
  bool operator==(const PipelineSettings&) const = default;
};

// The dispatch stage: carries out the action an entry is bound to when its
// press comes, and undoes what a press put down when its release comes.
// What goes on by itself while an input is held (turbo taps, the pointers)
// runs by time: Advance brings it up to `now`, and NextDue says when it next
// has something to do.
class Dispatcher {
 public:
  Dispatcher(BindingTable& table, InputSink& sink, ActionHost& host)
      : table_(table), sink_(sink), host_(host) {}

  // The press of entry `e`, resolved to `b` (with `turbo`, whether a key
  // repeats), at `time`: what it put down. `b` is the press's own copy: a
  // profile switch reloads the table under it.
  Held Press(std::uint8_t e, const Binding& b, bool turbo, Millis time);
  // Undoes what a press put down, at `time` (at once when none is given).
  void Release(const Held& held, Millis time = 0);
  void Advance(Millis now);
  Millis NextDue() const;
  // The time it has been brought up to.
  Millis Now() const { return now_; }
  // Whether a repeat runs or the pointer moves.
  bool Moving() const;
  // Releases the system refused (a locked session drops them, and the key
  // would stay down) are kept and sent again here, and before any later input.
  void SendRefusedAgain();
  bool HasRefused() const { return !refused_.empty(); }
  // After each read: where the sticks are, for those bound to "Pointer
  // (stick)" (axes in -1000 ... +1000, each stick's reach).
  void FollowSticks(const std::array<std::int32_t, kControllerAxes>& axes,
                    const StickReaches& reaches);

  PipelineSettings Settings;
  // While a program whose rule is "off" is in front: nothing is injected;
  // the rows still follow the controller.
  bool Quiet = false;
  // While the session is locked or another user's is in front, likewise:
  // the system would drop the input.
  bool Away = false;
  // While a dialog asks for buttons to be pressed on the controller (a
  // chord's): the presses are for the dialog, not for any program.
  bool Capturing = false;
  bool Silent() const { return Quiet || Away || Capturing; }
  // The position in profile lists, shared by every switching entry.
  std::int32_t INIIndex = 0;
  std::uint8_t TurboEntry = 0;
  // The layers on, the top one first: they decide which sticks are pointers.
  std::vector<int> Layers;
  TraceSink* Trace = nullptr;

  const MouseMotion& Motion() const { return pointer_.Motion(); }

  // Commands longer than this are refused rather than cut.
  static constexpr std::size_t kMaxCommand = 600;

 private:
  Held PressMouse(std::uint16_t code, Millis time);
  void SetSticksActive(Millis now);
  // The modifier event is sent even without a modifier (virtual key 0); the
  // modifier comes up first too: the order of the press, not its reverse.
  void SendKeys(std::uint8_t shift, std::uint8_t vcode, bool up, bool scanCodes);
  KeyStroke Stroke(std::uint8_t vk, std::uint32_t flags, bool scanCodes);
  void SendMouse(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data,
                 bool release);
  void SendMove(std::int64_t dx, std::int64_t dy);
  void SwitchProfile(std::uint8_t e, const std::vector<std::string>& list);
  TurboRepeat::Send TurboKeys();

  BindingTable& table_;
  InputSink& sink_;
  ActionHost& host_;

  Millis now_ = 0;
  AcceleratingPointer pointer_;
  StickPointer stick_;
  TurboRepeat repeat_;
  // Releases the system refused, kept to be sent again.
  struct Refused {
    std::vector<KeyStroke> keys;
    std::uint32_t mouseFlags = 0;
  };
  std::vector<Refused> refused_;
};

}  // namespace vantrel

#include "actions/Dispatch.h"

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

#include "actions/ExtendedKeys.h"
#include "base/FilePath.h"
#include "lang/KeptTexts.h"

namespace vantrel {

namespace {
// The pointer timer runs at 7 ms while both axes move, else at 5 ms.
constexpr unsigned kMouseIntervalOneAxis = 5;
constexpr unsigned kMouseIntervalTwoAxes = 7;
}  // namespace

void Dispatcher::JoyButtonPress(int entry) {
  const auto e = static_cast<std::uint8_t>(entry & 0xFF);
  if (!table_.IsEntry(e)) return;
  Binding& b = table_[e];
  if (b.Pressed == 1) {
    host_.SetRowHeld(e, true);
    Release(std::exchange(held_[e], {}));  // a press never stacks on an unreleased one
    // A direction of a pointer stick does nothing of its own: the stick
    // moves the pointer (FollowSticks).
    if (!Quiet && !table_.PointerOwns(e)) held_[e] = Press(e, b);
  } else {
    host_.SetRowHeld(e, false);
    Release(std::exchange(held_[e], {}));
  }
}

Dispatcher::Held Dispatcher::Press(std::uint8_t e, const Binding& b) {
  switch (b.Action) {
    case ActChangeIni:
      SwitchProfile(e);
      return {};
    case ActEmulKey: {
      const auto shift = static_cast<std::uint8_t>(b.Shift & 0xFF);
      const auto vcode = static_cast<std::uint8_t>(b.VCode & 0xFF);
      if (host_.TurboChecked(e)) {
        // No event now: the first tap comes with the first tick. A later
        // turbo press takes the repeat over.
        TurboEntry = e;
        turboShift_ = shift;
        turboVCode_ = vcode;
        turboRunning_ = true;
        host_.EnableTurboTimer(true);
        return {.kind = Held::Turbo};
      }
      EmulKeyDown(shift, vcode);
      return {.kind = Held::Keys, .shift = shift, .vcode = vcode, .scanCodes = ScanCodes};
    }
    case ActEmulClick:
      return PressMouse(b.VCode);
    case ActRun:
      if (!b.Execute.empty() && b.Execute.size() <= kMaxCommand) host_.Launch(b.Execute);
      return {};
    default:
      return {};
  }
}

Dispatcher::Held Dispatcher::PressMouse(std::uint16_t code) {
  Held held{.kind = Held::MouseOther};
  switch (code) {
    case MouseLButton:
      sink_.MouseEvent(kMouseLeftDown, 0, 0, 0);
      held = {.kind = Held::MouseButton, .upFlags = kMouseLeftUp};
      break;
    case MouseRButton:
      sink_.MouseEvent(kMouseRightDown, 0, 0, 0);
      held = {.kind = Held::MouseButton, .upFlags = kMouseRightUp};
      break;
    case MouseWheelForward:
    case MouseWheelBackward:  // both turn forward by one unit, as stored profiles expect
      sink_.MouseEvent(kMouseWheel, 0, 0, 1);
      break;
    case MouseWheelClick:
      sink_.MouseEvent(kMouseWheel, 0, 0, 120);
      break;
    default:
      if (Axis axis; MovementAxis(code, axis)) {
        motion_.Start(code, MAccelarate);
        held = {.kind = Held::Motion, .axis = axis};
      }
      break;
  }
  host_.SetMouseInterval(motion_.BothAxesMoving() ? kMouseIntervalTwoAxes : kMouseIntervalOneAxis);
  host_.EnableMouseTimer(PointerMoves());
  return held;
}

void Dispatcher::Release(const Held& held) {
  switch (held.kind) {
    case Held::Nothing:
      return;
    case Held::Keys:
      EmulKeyUp(held.shift, held.vcode, held.scanCodes);
      return;
    case Held::Turbo:
      // Any turbo release stops the repeat, even with another turbo entry held.
      turboRunning_ = false;
      host_.EnableTurboTimer(false);
      return;
    case Held::MouseButton:
      sink_.MouseEvent(held.upFlags, 0, 0, 0);
      break;
    case Held::Motion:
      motion_.Stop(held.axis);
      break;
    case Held::MouseOther:
      break;
  }
  host_.SetMouseInterval(pointer_.Moving() ? kMouseIntervalTwoAxes : kMouseIntervalOneAxis);
  host_.EnableMouseTimer(PointerMoves());
}

void Dispatcher::EmulKeyDown(std::uint8_t shift, std::uint8_t vcode, bool scanCodes) {
  // The modifier event is sent even without a modifier (virtual key 0).
  KeyEvent(shift, 0, scanCodes);
  KeyEvent(vcode, 0, scanCodes);
}

void Dispatcher::EmulKeyUp(std::uint8_t shift, std::uint8_t vcode, bool scanCodes) {
  // The modifier comes up first too: the order of the press, not its reverse.
  KeyEvent(shift, kKeyEventKeyUp, scanCodes);
  KeyEvent(vcode, kKeyEventKeyUp, scanCodes);
}

void Dispatcher::KeyEvent(std::uint8_t vk, std::uint32_t flags, bool scanCodes) {
  // The modifier-less event of virtual key 0 is no key: it keeps scan code 0.
  if (!scanCodes || vk == 0) {
    sink_.KeybdEvent(vk, 0, flags);
    return;
  }
  sink_.KeybdEvent(vk, sink_.ScanCode(vk), flags | (IsExtendedKey(vk) ? kKeyEventExtendedKey : 0));
}

void Dispatcher::tmrTurboTimer() {
  if (!turboRunning_) return;
  EmulKeyDown(turboShift_, turboVCode_);
  EmulKeyUp(turboShift_, turboVCode_);
}

void Dispatcher::tmrMouseTimer() {
  // A still pointer sends nothing: injected input, even of 0, 0, keeps the
  // system from ever going idle.
  const MouseMotion::Step step = motion_.Tick(MSpeed);
  const MouseMotion::Step stick = pointer_.Tick(MSpeed, PointerCurve);
  const std::int32_t dx = step.dx + stick.dx, dy = step.dy + stick.dy;
  if (dx != 0 || dy != 0) sink_.MouseEvent(kMouseMove, dx, dy, 0);
  // A hand-edited acceleration against the direction can bring an axis to a
  // stop on its own.
  if (!PointerMoves()) host_.EnableMouseTimer(false);
}

void Dispatcher::FollowSticks(const std::array<std::int32_t, kControllerAxes>& axes,
                              std::int32_t deadZoneAxes) {
  const bool wasMoving = pointer_.Moving();
  for (int i = 0; i < kPointerSticks; ++i) {
    const auto stick = static_cast<PointerStick>(i + 1);
    const StickAxes& a = kStickAxes[i];
    // X and Y come with the device's dead zone applied; the others' is
    // measured here, from the middle where such a stick rests.
    const double deadZone =
        stick == PointerStick::XY ? 0 : 10.0 * std::clamp(deadZoneAxes, 0, 100);
    pointer_.Follow(stick, !Quiet && table_.PointerEntryOf(stick) != 0, axes[a.horizontal],
                    axes[a.vertical], deadZone);
  }
  if (pointer_.Moving() == wasMoving) return;
  // The top speed is per tick of 7 ms; at rest the timer sleeps.
  if (pointer_.Moving()) host_.SetMouseInterval(kMouseIntervalTwoAxes);
  host_.EnableMouseTimer(PointerMoves());
}

void Dispatcher::ReleaseAll() {
  for (Held& held : held_) Release(std::exchange(held, {}));
}

void Dispatcher::Resize(int numOfButtons) {
  const int oldButtons = table_.NumOfButtons();
  std::array<Held, 256> moved{};
  std::vector<std::uint8_t> pressed(256, 0);
  const int newButtons = std::clamp(numOfButtons, 0, kMaxButtons);
  for (int e = 1; e <= table_.EntryCount(); ++e) {
    // Buttons keep their numbers; the stick's entries follow the last button.
    const int to = e <= oldButtons ? (e <= newButtons ? e : 0) : e - oldButtons + newButtons;
    Held& held = held_[static_cast<std::size_t>(e)];
    if (to == 0) {
      Release(std::exchange(held, {}));
      continue;
    }
    moved[static_cast<std::size_t>(to)] = std::exchange(held, {});
    pressed[static_cast<std::size_t>(to)] = table_[static_cast<std::uint8_t>(e)].Pressed;
    if (TurboEntry == e) TurboEntry = static_cast<std::uint8_t>(to);
  }
  held_ = moved;
  table_.Resize(numOfButtons);
  for (int e = 1; e <= table_.EntryCount(); ++e)
    table_[static_cast<std::uint8_t>(e)].Pressed = pressed[static_cast<std::size_t>(e)];
}

void Dispatcher::SwitchProfile(std::uint8_t e) {
  // A copy: the load leaves this entry alone, but the list must not change
  // under the indexing below whatever the host does.
  const std::vector<std::string> list = table_[e].INI;
  const auto n = static_cast<std::int32_t>(list.size());
  if (n == 0) return;
  // One position is shared by every switching entry; an index left high by
  // a longer list wraps to the first file.
  const std::int32_t position = INIIndex >= 0 && n - 1 > INIIndex ? INIIndex + 1 : 0;
  // A path too long to name a file (only a hand-edited profile holds one)
  // is no profile to switch to: the press does nothing.
  if (!FitsFilePath(list[position])) return;
  INIIndex = position;
  // The load may fail only after the table is reloaded (recording the last
  // profile in the settings file is refused): the switch still ends as a
  // switch, with its row and popup, and the failure is passed on afterwards.
  std::exception_ptr failure;
  try {
    host_.LoadProfile(list[INIIndex], e);
  } catch (const std::exception&) {
    failure = std::current_exception();
  }
  const KeptTexts& texts = Kept();
  const std::string currentLine = texts.Current + ": " + host_.RowText(e);
  const std::string next = FileNamePart(INIIndex < n - 1 ? list[INIIndex + 1] : list[0], "filename");
  host_.SetRowText(e, next);
  host_.ProfileSwitched(currentLine, texts.Next + ": " + next);
  if (failure) std::rethrow_exception(failure);
}

}  // namespace vantrel

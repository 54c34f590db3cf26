#include "actions/Dispatch.h"

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

#include "actions/ExtendedKeys.h"
#include "base/FilePath.h"
#include "lang/KeptTexts.h"

namespace vantrel {

void Dispatcher::JoyButtonPress(int entry) {
  const auto e = static_cast<std::uint8_t>(entry & 0xFF);
  if (!table_.IsEntry(e)) return;
  Binding& b = table_[e];
  const bool press = b.Pressed == 1;
  // The input goes out first; the row follows, whatever the action threw.
  try {
    Release(std::exchange(held_[e], {}));  // a press never stacks on an unreleased one
    // A direction of a pointer stick does nothing of its own: the stick
    // moves the pointer (FollowSticks).
    if (press && !Quiet && !Away && !table_.PointerOwns(e)) held_[e] = Press(e, b);
  } catch (...) {
    host_.SetRowHeld(e, press);
    throw;
  }
  host_.SetRowHeld(e, press);
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
        // No event now: the first tap comes an interval later. A later
        // turbo press takes the repeat over.
        StopRepeat();
        TurboEntry = e;
        repeat_ = {.running = true,
                   .shift = shift,
                   .vcode = vcode,
                   .scanCodes = ScanCodes,
                   .nextTap = now_ + std::max(TurboInterval, 1)};
        return {.kind = Held::Turbo};
      }
      SendKeys(shift, vcode, false, ScanCodes);
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
  switch (code) {
    case MouseLButton:
      SendMouse(kMouseLeftDown, 0, 0, 0, false);
      return {.kind = Held::MouseButton, .upFlags = kMouseLeftUp};
    case MouseRButton:
      SendMouse(kMouseRightDown, 0, 0, 0, false);
      return {.kind = Held::MouseButton, .upFlags = kMouseRightUp};
    case MouseWheelForward:
    case MouseWheelBackward:  // both turn forward by one unit, as stored profiles expect
      SendMouse(kMouseWheel, 0, 0, 1, false);
      return {.kind = Held::MouseOther};
    case MouseWheelClick:
      SendMouse(kMouseWheel, 0, 0, 120, false);
      return {.kind = Held::MouseOther};
    default:
      if (Axis axis; MovementAxis(code, axis)) {
        // A pointer at rest starts its steps from now.
        if (!motion_.Moving()) motionClock_ = now_;
        motion_.Start(code, MAccelarate);
        return {.kind = Held::Motion, .axis = axis};
      }
      return {.kind = Held::MouseOther};
  }
}

void Dispatcher::Release(const Held& held) {
  switch (held.kind) {
    case Held::Nothing:
    case Held::MouseOther: return;
    case Held::Keys: SendKeys(held.shift, held.vcode, true, held.scanCodes); return;
    case Held::Turbo:
      // Any turbo release stops the repeat, even with another turbo entry held.
      StopRepeat();
      return;
    case Held::MouseButton: SendMouse(held.upFlags, 0, 0, 0, true); return;
    case Held::Motion: motion_.Stop(held.axis); return;
  }
}

void Dispatcher::StopRepeat() {
  // A tap in progress comes up at once.
  if (repeat_.running && repeat_.tapDown)
    SendKeys(repeat_.shift, repeat_.vcode, true, repeat_.scanCodes);
  repeat_ = {};
}

void Dispatcher::SendKeys(std::uint8_t shift, std::uint8_t vcode, bool up, bool scanCodes) {
  const std::uint32_t flags = up ? kKeyEventKeyUp : 0;
  const KeyStroke strokes[] = {Stroke(shift, flags, scanCodes), Stroke(vcode, flags, scanCodes)};
  if (!refused_.empty()) SendRefusedAgain();
  if (!sink_.SendKeys(strokes) && up)
    refused_.push_back({{std::begin(strokes), std::end(strokes)}});
}

KeyStroke Dispatcher::Stroke(std::uint8_t vk, std::uint32_t flags, bool scanCodes) {
  // The modifier-less event of virtual key 0 is no key: it keeps scan code 0.
  if (!scanCodes || vk == 0) return {vk, 0, flags};
  return {vk, sink_.ScanCode(vk), flags | (IsExtendedKey(vk) ? kKeyEventExtendedKey : 0)};
}

void Dispatcher::SendMouse(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data,
                           bool release) {
  if (!refused_.empty()) SendRefusedAgain();
  if (!sink_.MouseEvent(flags, dx, dy, data) && release) refused_.push_back({{}, flags});
}

void Dispatcher::SendRefusedAgain() {
  std::vector<Refused> pending = std::exchange(refused_, {});
  for (Refused& r : pending) {
    const bool sent =
        r.keys.empty() ? sink_.MouseEvent(r.mouseFlags, 0, 0, 0) : sink_.SendKeys(r.keys);
    if (!sent) refused_.push_back(std::move(r));
  }
}

void Dispatcher::Advance(Millis now) {
  now_ = now;
  AdvanceRepeat(now);
  AdvanceMotion(now);
}

void Dispatcher::AdvanceRepeat(Millis now) {
  if (!repeat_.running) return;
  const Millis interval = std::max(TurboInterval, 1);
  if (repeat_.tapDown && now >= repeat_.upAt) {
    SendKeys(repeat_.shift, repeat_.vcode, true, repeat_.scanCodes);
    repeat_.tapDown = false;
  }
  if (!repeat_.tapDown && now >= repeat_.nextTap) {
    SendKeys(repeat_.shift, repeat_.vcode, false, repeat_.scanCodes);
    repeat_.tapDown = true;
    repeat_.upAt = now + interval / 2;
    // Taps missed while the program could not run are not made up for in a burst.
    repeat_.nextTap = std::max(repeat_.nextTap + interval, now + interval / 2 + 1);
  }
}

void Dispatcher::SetSticksActive() {
  for (int i = 0; i < kPointerSticks; ++i) {
    const auto stick = static_cast<PointerStick>(i + 1);
    pointer_.SetActive(stick, !Quiet && !Away && table_.PointerEntryOf(stick) != 0, now_);
  }
}

void Dispatcher::AdvanceMotion(Millis now) {
  // A switch, an Off rule or an edit that unbinds a pointer stick stops it now.
  SetSticksActive();
  const MouseMotion::Step stick = pointer_.Advance(now, MSpeed, PointerCurve);
  std::int64_t dx = stick.dx, dy = stick.dy;
  if (motion_.Moving()) {
    // The accelerating pointer steps every 7 ms of time, whatever the real
    // period of the wait: its speed and acceleration are per step, and each
    // step is a move of its own, as it always was.
    if (now - motionClock_ > kPointerCatchUpMs) motionClock_ = now - kPointerCatchUpMs;
    while (motion_.Moving() && now - motionClock_ >= kPointerPeriodMs) {
      const MouseMotion::Step step = motion_.Tick(MSpeed);
      motionClock_ += kPointerPeriodMs;
      dx += step.dx;
      dy += step.dy;
      if (now - motionClock_ >= kPointerPeriodMs) {
        SendMove(dx, dy);
        dx = dy = 0;
      }
    }
  }
  SendMove(dx, dy);
}

void Dispatcher::SendMove(std::int64_t dx, std::int64_t dy) {
  // A still pointer sends nothing: injected input, even of 0, 0, keeps the
  // system from ever going idle.
  if (dx == 0 && dy == 0) return;
  SendMouse(
      kMouseMove, static_cast<std::int32_t>(std::clamp<std::int64_t>(dx, INT32_MIN, INT32_MAX)),
      static_cast<std::int32_t>(std::clamp<std::int64_t>(dy, INT32_MIN, INT32_MAX)), 0, false);
}

Millis Dispatcher::NextDue() const {
  Millis due = kNever;
  if (repeat_.running) due = repeat_.tapDown ? repeat_.upAt : repeat_.nextTap;
  if (motion_.Moving()) due = std::min(due, motionClock_ + kPointerPeriodMs);
  return std::min(due, pointer_.NextDue());
}

bool Dispatcher::Busy() const {
  if (repeat_.running || motion_.Moving() || pointer_.Moving()) return true;
  return std::any_of(held_.begin(), held_.end(), [](const Held& h) {
    return h.kind == Held::Keys || h.kind == Held::MouseButton;
  });
}

void Dispatcher::FollowSticks(const std::array<std::int32_t, kControllerAxes>& axes,
                              const StickReaches& reaches) {
  for (int i = 0; i < kPointerSticks; ++i) {
    const StickAxes& a = kStickAxes[i];
    const StickReach& r = reaches[static_cast<std::size_t>(i)];
    // Each axis as a share of its travel (1000 the end), so a stick of a
    // smaller range still reaches the top speed.
    const auto share = [](std::int32_t value, double travel) {
      return travel > 0 ? 1000.0 * value / travel : 0.0;
    };
    pointer_.Follow(static_cast<PointerStick>(i + 1), share(axes[a.horizontal], r.travelX),
                    share(axes[a.vertical], r.travelY),
                    10.0 * std::clamp(r.deadZonePercent, 0.0, 100.0), now_);
  }
  SetSticksActive();
}

void Dispatcher::ReleaseAll() {
  for (Held& held : held_) Release(std::exchange(held, {}));
  StopRepeat();
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

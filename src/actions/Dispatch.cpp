#include "actions/Dispatch.h"

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

#include "actions/ExtendedKeys.h"
#include "base/FilePath.h"
#include "lang/KeptTexts.h"

namespace vantrel {

Held Dispatcher::Press(std::uint8_t e, const Binding& b, bool turbo, Millis time) {
  now_ = std::max(now_, time);
  switch (b.Action) {
    case ActChangeIni: SwitchProfile(e, b.INI); return {};
    case ActEmulKey: {
      const auto shift = static_cast<std::uint8_t>(b.Shift & 0xFF);
      const auto vcode = static_cast<std::uint8_t>(b.VCode & 0xFF);
      if (turbo) {
        // No event now: the first tap comes an interval later. A later
        // turbo press takes the repeat over.
        repeat_.Stop(TurboKeys());
        TurboEntry = e;
        repeat_.Start(shift, vcode, Settings.scanCodes, time, Settings.turboInterval);
        host_.Injected();
        return {.kind = Held::Turbo};
      }
      SendKeys(shift, vcode, false, Settings.scanCodes);
      host_.Injected();
      return {.kind = Held::Keys, .shift = shift, .vcode = vcode, .scanCodes = Settings.scanCodes};
    }
    case ActEmulClick: {
      const Held held = PressMouse(b.VCode, time);
      host_.Injected();
      return held;
    }
    case ActRun:
      if (!b.Execute.empty() && b.Execute.size() <= kMaxCommand) host_.Launch(b.Execute);
      return {};
    default: return {};
  }
}

Held Dispatcher::PressMouse(std::uint16_t code, Millis time) {
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
        pointer_.Start(code, Settings.mouseAcceleration, time);
        return {.kind = Held::Motion, .axis = axis};
      }
      return {.kind = Held::MouseOther};
  }
}

void Dispatcher::Release(const Held& held, Millis time) {
  now_ = std::max(now_, time);
  switch (held.kind) {
    case Held::Nothing:
    case Held::MouseOther:
    case Held::Layer:  // the layer stack's
      return;
    case Held::Keys: SendKeys(held.shift, held.vcode, true, held.scanCodes); return;
    case Held::Turbo:
      // Any turbo release stops the repeat, even with another turbo entry held.
      repeat_.Stop(TurboKeys());
      return;
    case Held::MouseButton: SendMouse(held.upFlags, 0, 0, 0, true); return;
    case Held::Motion: pointer_.Stop(held.axis); return;
  }
}

TurboRepeat::Send Dispatcher::TurboKeys() {
  return [this](bool up) { SendKeys(repeat_.shift, repeat_.vcode, up, repeat_.scanCodes); };
}

void Dispatcher::SendKeys(std::uint8_t shift, std::uint8_t vcode, bool up, bool scanCodes) {
  const std::uint32_t flags = up ? kKeyEventKeyUp : 0;
  const KeyStroke strokes[] = {Stroke(shift, flags, scanCodes), Stroke(vcode, flags, scanCodes)};
  if (!refused_.empty()) SendRefusedAgain();
  const bool taken = sink_.SendKeys(strokes);
  vantrel::Trace(Trace, now_, "dispatch", [&] {
    return std::string(up ? "keys up " : "keys down ") + std::to_string(shift) + "+" +
           std::to_string(vcode) + (taken ? "" : ", refused");
  });
  if (!taken && up) refused_.push_back({{std::begin(strokes), std::end(strokes)}});
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
  now_ = std::max(now_, now);
  repeat_.Advance(now, Settings.turboInterval, TurboKeys());
  // A switch, an Off rule or an edit that unbinds a pointer stick stops it now.
  SetSticksActive(now);
  const MouseMotion::Step stick =
      stick_.Advance(now, Settings.mouseTopSpeed, Settings.pointerCurve);
  std::int64_t dx = stick.dx, dy = stick.dy;
  // Each step of the accelerating pointer is a move of its own; the stick's
  // goes with the last.
  for (const MouseMotion::Step& step : pointer_.Advance(now, Settings.mouseTopSpeed)) {
    SendMove(dx, dy);
    dx = step.dx;
    dy = step.dy;
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
  return std::min({repeat_.NextDue(), pointer_.NextDue(), stick_.NextDue()});
}

bool Dispatcher::Moving() const {
  return repeat_.Running() || pointer_.Moving() || stick_.Moving();
}

void Dispatcher::SetSticksActive(Millis now) {
  for (int i = 0; i < kPointerSticks; ++i) {
    const auto stick = static_cast<PointerStick>(i + 1);
    stick_.SetActive(stick, !Silent() && table_.PointerEntryOf(stick, Layers) != 0, now);
  }
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
    stick_.Follow(static_cast<PointerStick>(i + 1), share(axes[a.horizontal], r.travelX),
                  share(axes[a.vertical], r.travelY),
                  10.0 * std::clamp(r.deadZonePercent, 0.0, 100.0), now_);
  }
  SetSticksActive(now_);
}

void Dispatcher::SwitchProfile(std::uint8_t e, const std::vector<std::string>& list) {
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
  const std::string next =
      FileNamePart(INIIndex < n - 1 ? list[INIIndex + 1] : list[0], "filename");
  host_.SetRowText(e, next);
  host_.ProfileSwitched(currentLine, texts.Next + ": " + next);
  if (failure) std::rethrow_exception(failure);
}

}  // namespace vantrel

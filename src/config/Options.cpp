#include "config/Options.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace vantrel {

namespace {

constexpr std::array<StepperRule, kStepperCount> kRules{{
    {1, 1, 32},       // Buttons
    {10, 50, 500},    // Refresh (ms)
    {5, 5, 95},       // DeadX (%)
    {5, 5, 95},       // DeadY
    {50, 50, 1000},   // RangeX
    {50, 50, 1000},   // RangeY
    {10, 10, 1000},   // Turbo (ms)
    {0.1, 0.1, 5.0},  // MAccel, stepped in tenths
    {1, 1, 20},       // MSpeed
    {1, 0, 60},       // ShowTime (s)
    {5, 5, 95},       // DeadAxes (%)
    {0.5, 1, 3},      // Curve
    {kHoldTimeRange.step, kHoldTimeRange.low, kHoldTimeRange.high},
    {kDoubleTimeRange.step, kDoubleTimeRange.low, kDoubleTimeRange.high},
    {kTapTimeRange.step, kTapTimeRange.low, kTapTimeRange.high},
    {kChordTimeRange.step, kChordTimeRange.low, kChordTimeRange.high},
}};

template <class T>
T Stepped(T value, const StepperRule& rule, bool up) {
  const auto step = static_cast<T>(rule.step);
  if (up && value < rule.upper) return static_cast<T>(value + step);
  if (!up && value > rule.lower) return static_cast<T>(value - step);
  return value;
}

// The next value on the grid of low + n * step the click's way, within the range.
std::int32_t SteppedTime(std::int32_t value, const TimeRange& range, bool up) {
  const std::int64_t offset = static_cast<std::int64_t>(value) - range.low;
  std::int64_t n = offset / range.step;  // towards zero
  if (up) {
    if (offset < 0 && offset % range.step != 0) --n;  // floor
    ++n;
  } else {
    if (offset > 0 && offset % range.step != 0) ++n;  // ceiling
    --n;
  }
  const std::int64_t next = range.low + n * range.step;
  return range.Clamp(static_cast<std::int32_t>(std::clamp<std::int64_t>(
      next, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max())));
}

double SteppedTenths(double value, bool up) {
  // nearbyint rounds half to even in the default rounding mode. A value from
  // a hand-edited file may lie beyond any integer (1e300): it is held within
  // 64 bits before the conversion, which would be undefined outside them.
  constexpr double kLimit = 4611686018427387904.0;  // 2^62
  double scaled = std::nearbyint(value * 10);
  if (!std::isfinite(scaled)) scaled = value < 0 ? -kLimit : kLimit;
  scaled = std::clamp(scaled, -kLimit, kLimit);
  const auto tenths = static_cast<std::uint8_t>(static_cast<long long>(scaled));
  int t = tenths;
  if (up && t < 50) ++t;
  if (!up && t > 1) --t;
  return t / 10.0;
}

}  // namespace

const StepperRule& RuleOf(Stepper which) { return kRules[static_cast<std::size_t>(which)]; }

void Step(Settings& s, Stepper which, bool up) {
  const StepperRule& rule = RuleOf(which);
  switch (which) {
    case Stepper::Buttons: s.NumOfButtons = Stepped(s.NumOfButtons, rule, up); break;
    case Stepper::Refresh: s.tmrRefresh = Stepped(s.tmrRefresh, rule, up); break;
    case Stepper::DeadX: s.DeadZoneX = Stepped(s.DeadZoneX, rule, up); break;
    case Stepper::DeadY: s.DeadZoneY = Stepped(s.DeadZoneY, rule, up); break;
    case Stepper::RangeX: s.RangeX = Stepped(s.RangeX, rule, up); break;
    case Stepper::RangeY: s.RangeY = Stepped(s.RangeY, rule, up); break;
    case Stepper::Turbo: s.tmrTurbo = Stepped(s.tmrTurbo, rule, up); break;
    case Stepper::MAccel: s.MAccelarate = SteppedTenths(s.MAccelarate, up); break;
    case Stepper::MSpeed: s.MSpeed = Stepped(s.MSpeed, rule, up); break;
    case Stepper::ShowTime: s.PopupShowTime = Stepped(s.PopupShowTime, rule, up); break;
    case Stepper::DeadAxes: s.DeadZoneAxes = Stepped(s.DeadZoneAxes, rule, up); break;
    case Stepper::Curve: s.PointerCurve = Stepped(s.PointerCurve, rule, up); break;
    case Stepper::HoldTime: s.HoldTime = SteppedTime(s.HoldTime, kHoldTimeRange, up); break;
    case Stepper::DoubleTime: s.DoubleTime = SteppedTime(s.DoubleTime, kDoubleTimeRange, up); break;
    case Stepper::TapTime: s.TapTime = SteppedTime(s.TapTime, kTapTimeRange, up); break;
    case Stepper::ChordTime: s.ChordTime = SteppedTime(s.ChordTime, kChordTimeRange, up); break;
  }
}

std::string StepperText(const Settings& s, Stepper which, char sep) {
  switch (which) {
    case Stepper::Buttons: return std::to_string(s.NumOfButtons);
    case Stepper::Refresh: return std::to_string(s.tmrRefresh);
    case Stepper::DeadX: return std::to_string(s.DeadZoneX);
    case Stepper::DeadY: return std::to_string(s.DeadZoneY);
    case Stepper::RangeX: return std::to_string(s.RangeX);
    case Stepper::RangeY: return std::to_string(s.RangeY);
    case Stepper::Turbo: return std::to_string(s.tmrTurbo);
    case Stepper::MAccel: return FormatSettingsFloat(s.MAccelarate, sep);
    case Stepper::MSpeed: return FormatSettingsFloat(s.MSpeed, sep);
    case Stepper::ShowTime: return std::to_string(s.PopupShowTime);
    case Stepper::DeadAxes: return std::to_string(s.DeadZoneAxes);
    case Stepper::Curve: return FormatSettingsFloat(s.PointerCurve, sep);
    case Stepper::HoldTime: return std::to_string(s.HoldTime);
    case Stepper::DoubleTime: return std::to_string(s.DoubleTime);
    case Stepper::TapTime: return std::to_string(s.TapTime);
    case Stepper::ChordTime: return std::to_string(s.ChordTime);
  }
  return {};
}

void OptionsCopy::AutoDetect(int deviceButtonCount) {
  work_.NumOfButtons = static_cast<std::uint8_t>(
      deviceButtonCount < 0 ? 0
                            : (deviceButtonCount > kMaxButtons ? kMaxButtons : deviceButtonCount));
}

int OptionsCopy::ChooseLanguage(int item, const std::optional<std::string>& chosenPack) {
  switch (item) {
    case kEnglish: work_.LanguagePak.clear(); break;
    case kRussian: work_.LanguagePak = kRussianPack; break;
    case kOther:
      if (!chosenPack || chosenPack->empty()) return LanguageItemOf(work_.PakIndex);
      work_.LanguagePak = *chosenPack;
      break;
    default: return LanguageItemOf(work_.PakIndex);
  }
  work_.PakIndex = static_cast<std::uint8_t>(item);
  return item;
}

int LanguageItemOf(std::uint8_t pakIndex) {
  return pakIndex >= kOther ? static_cast<int>(kOther) : static_cast<int>(pakIndex);
}

std::string MemoryProfile::ReadString(const std::string& section, const std::string& key,
                                      const std::string& def) {
  const auto found = values_.find({section, key});
  return found == values_.end() ? def : found->second;
}

void MemoryProfile::WriteString(const std::string& section, const std::string& key,
                                const std::string& value) {
  values_[{section, key}] = value;
}

void MemoryProfile::EraseSection(const std::string& section) {
  std::erase_if(values_, [&](const auto& kv) { return kv.first.first == section; });
}

}  // namespace vantrel

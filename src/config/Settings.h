#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "actions/Dispatch.h"
#include "base/IniFile.h"

namespace vantrel {

// A snapshot of the settings file's [Setup] section. At run time each value
// lives in what it configures (a timer, the joystick, a check box); the
// snapshot is what the start-up load hands out and the options' close collects.
struct Settings {
  std::uint8_t NumOfButtons = 4;
  std::uint8_t PakIndex = 0;  // 0 English, 1 Russian, 2 another pack by full path
  std::string LanguagePak;
  double MAccelarate = 0.1;  // the stored key is spelt so
  double MSpeed = 8;
  double PointerCurve = 2.0;     // a pointer stick's speed: MSpeed × deflection^curve
  std::int32_t tmrTurbo = 100;   // ms
  std::int32_t tmrRefresh = 50;  // ms
  std::int32_t RangeX = 1000;
  std::int32_t RangeY = 1000;
  std::int32_t DeadZoneX = 50;  // percent
  std::int32_t DeadZoneY = 50;
  std::int32_t DeadZoneAxes = 50;  // percent, of every other axis, from its rest
  // The controller to read: its product name and instance identifier;
  // both empty, the first attached.
  std::string Controller;
  std::string ControllerId;
  bool Minimize = false;         // the options' check box
  bool MinimizeAtStart = false;  // only a stored value of exactly 1 minimises
  bool Popup = false;
  std::uint8_t PopupShowTime = 0;  // seconds; 0 keeps the popup until closed
  std::int32_t PopupLeft = 50;
  std::int32_t PopupTop = 50;
  bool ScanCodes = true;  // keys carry their scan codes; 0 sends them as scan code 0
  // Milliseconds, each kept within its range (k...TimeRange below): held this
  // long, a press with a Hold action is a hold; a second press this soon
  // after a tap is a double tap; a decided tap keeps its keys down this
  // long; a chord's buttons all come down within this.
  std::int32_t HoldTime = 200;
  std::int32_t DoubleTime = 250;
  std::int32_t TapTime = 40;
  std::int32_t ChordTime = 50;
  bool LayerIndicator = true;  // the layer that decides is named on screen as it changes
  std::string Path;  // the last profile loaded or saved
  // Whether the controller's own event wakes the program at each change (0:
  // the polling timer alone reads it, to compare the two). Read, never
  // written: it stays in the file as the user put it there.
  bool InputEvents = true;
};

// The range and step of a time the options set with a stepper.
struct TimeRange {
  std::int32_t low, high, step;
  std::int32_t Clamp(std::int32_t value) const {
    return value < low ? low : value > high ? high : value;
  }
};
inline constexpr TimeRange kHoldTimeRange{100, 1000, 50};
inline constexpr TimeRange kDoubleTimeRange{100, 1000, 50};
inline constexpr TimeRange kTapTimeRange{10, 200, 10};
inline constexpr TimeRange kChordTimeRange{20, 200, 10};

// Reads every key; a missing or unreadable value gives its default. Floats
// use the user's decimal separator, as they were written.
Settings ReadSettings(IniFile& file, char decimalSeparator);

// Writes every key but Path (the profile routines keep that one), in the
// order the file has always had. The controller's name and identifier go
// without their control characters: a line break would end the line.
void WriteSettings(IniFile& file, const Settings& settings, char decimalSeparator);

// The main window's height in pixels, 0 (or none stored) for its default.
// The snapshot keeps no copy: the main window writes it itself once the user
// has resized it, so that the options' close never writes back an older one.
std::int32_t ReadMainHeight(IniFile& file);
// Writes the height unless the file holds it already: a height left as it
// was costs no write.
void RecordMainHeight(IniFile& file, std::int32_t height);

// Floats as the settings file stores them: general format, at most 15
// significant digits, the locale's decimal separator (0.1, 0,1, 8).
std::string FormatSettingsFloat(double value, char decimalSeparator);
std::optional<double> ParseSettingsFloat(std::string_view text, char decimalSeparator);

// The interval a timer runs at from its stored value: a hand-edited 0 or
// less would stop it for good, so `fallback` stands in.
std::uint32_t TimerInterval(std::int32_t stored, std::uint32_t fallback);

// The pipeline's share of the settings, handed over in one call; a stored
// turbo interval no timer can have keeps `turboFallback`.
PipelineSettings PipelineSettingsOf(const Settings& s, std::uint32_t turboFallback);
// The pipeline's values, put back among the settings.
void KeepPipelineSettings(Settings& s, const PipelineSettings& pipeline);

// The pack the language index names: index 2 or more uses LanguagePak as a
// full path; 0 and 1 take it as a name in the executable's folder (English's
// empty name gives the folder itself, which is no file: the built-in texts).
std::string LanguagePackPath(std::uint8_t pakIndex, const std::string& languagePak,
                             const std::string& exeFolder);

}  // namespace vantrel

#include "config/Settings.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/Text.h"

namespace vantrel {

namespace {

const std::string kSetup = "Setup";

std::uint8_t LowByte(std::int32_t value) { return static_cast<std::uint8_t>(value & 0xFF); }

double ReadFloat(IniFile& file, const std::string& key, double def, char sep) {
  return ParseSettingsFloat(file.ReadString(kSetup, key, ""), sep).value_or(def);
}

}  // namespace

std::string FormatSettingsFloat(double value, char decimalSeparator) {
  char text[64];
  std::snprintf(text, sizeof text, "%.15G", value);
  std::string out(text);
  for (char& c : out)
    if (c == '.') c = decimalSeparator;
  return out;
}

std::optional<double> ParseSettingsFloat(std::string_view text, char decimalSeparator) {
  // Only the locale's own separator counts: "0,3" is no number where the
  // separator is a point, and "0.3" none where it is a comma.
  std::string plain(text);
  for (char& c : plain) {
    if (c == decimalSeparator)
      c = '.';
    else if (c == '.' || c == ',' || std::isspace(static_cast<unsigned char>(c)))
      return std::nullopt;
  }
  if (plain.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(plain.c_str(), &end);
  if (end != plain.c_str() + plain.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

Settings ReadSettings(IniFile& file, char sep) {
  Settings s;
  s.NumOfButtons = LowByte(ReadInteger(file, kSetup, "NumOfButtons", s.NumOfButtons));
  s.LanguagePak = file.ReadString(kSetup, "LanguagePak", s.LanguagePak);
  s.PakIndex = LowByte(ReadInteger(file, kSetup, "PakIndex", s.PakIndex));
  s.MAccelarate = ReadFloat(file, "MAccelarate", s.MAccelarate, sep);
  s.MSpeed = ReadFloat(file, "MSpeed", s.MSpeed, sep);
  s.PointerCurve = ReadFloat(file, "PointerCurve", s.PointerCurve, sep);
  s.tmrTurbo = ReadInteger(file, kSetup, "tmrTurbo", s.tmrTurbo);
  s.tmrRefresh = ReadInteger(file, kSetup, "tmrRefresh", s.tmrRefresh);
  s.RangeX = ReadInteger(file, kSetup, "RangeX", s.RangeX);
  s.RangeY = ReadInteger(file, kSetup, "RangeY", s.RangeY);
  s.DeadZoneX = ReadInteger(file, kSetup, "DeadZoneX", s.DeadZoneX);
  s.DeadZoneY = ReadInteger(file, kSetup, "DeadZoneY", s.DeadZoneY);
  s.DeadZoneAxes = ReadInteger(file, kSetup, "DeadZoneAxes", s.DeadZoneAxes);
  s.Controller = file.ReadString(kSetup, "Controller", s.Controller);
  s.ControllerId = file.ReadString(kSetup, "ControllerId", s.ControllerId);
  s.Popup = ReadBool(file, kSetup, "Popup", s.Popup);
  s.PopupShowTime = LowByte(ReadInteger(file, kSetup, "PopupShowTime", s.PopupShowTime));
  s.PopupLeft = ReadInteger(file, kSetup, "PopupLeft", s.PopupLeft);
  s.PopupTop = ReadInteger(file, kSetup, "PopupTop", s.PopupTop);
  const std::int32_t minimize = ReadInteger(file, kSetup, "Minimize", 0);
  s.Minimize = minimize != 0;
  s.MinimizeAtStart = minimize == 1;
  s.ScanCodes = ReadBool(file, kSetup, "ScanCodes", s.ScanCodes);
  s.LayerIndicator = ReadBool(file, kSetup, "LayerIndicator", s.LayerIndicator);
  s.Path = file.ReadString(kSetup, "Path", s.Path);
  s.InputEvents = ReadBool(file, kSetup, "InputEvents", s.InputEvents);
  s.HoldTime = kHoldTimeRange.Clamp(ReadInteger(file, kSetup, "HoldTime", s.HoldTime));
  s.DoubleTime = kDoubleTimeRange.Clamp(ReadInteger(file, kSetup, "DoubleTime", s.DoubleTime));
  s.TapTime = kTapTimeRange.Clamp(ReadInteger(file, kSetup, "TapTime", s.TapTime));
  s.ChordTime = kChordTimeRange.Clamp(ReadInteger(file, kSetup, "ChordTime", s.ChordTime));
  return s;
}

void WriteSettings(IniFile& file, const Settings& s, char sep) {
  WriteInteger(file, kSetup, "NumOfButtons", s.NumOfButtons);
  WriteInteger(file, kSetup, "PakIndex", s.PakIndex);
  file.WriteString(kSetup, "LanguagePak", s.LanguagePak);
  file.WriteString(kSetup, "MAccelarate", FormatSettingsFloat(s.MAccelarate, sep));
  file.WriteString(kSetup, "MSpeed", FormatSettingsFloat(s.MSpeed, sep));
  file.WriteString(kSetup, "PointerCurve", FormatSettingsFloat(s.PointerCurve, sep));
  WriteInteger(file, kSetup, "tmrTurbo", s.tmrTurbo);
  WriteInteger(file, kSetup, "tmrRefresh", s.tmrRefresh);
  WriteInteger(file, kSetup, "RangeX", s.RangeX);
  WriteInteger(file, kSetup, "RangeY", s.RangeY);
  WriteInteger(file, kSetup, "DeadZoneX", s.DeadZoneX);
  WriteInteger(file, kSetup, "DeadZoneY", s.DeadZoneY);
  WriteInteger(file, kSetup, "DeadZoneAxes", s.DeadZoneAxes);
  file.WriteString(kSetup, "Controller", WithoutControlCharacters(s.Controller));
  file.WriteString(kSetup, "ControllerId", WithoutControlCharacters(s.ControllerId));
  WriteBool(file, kSetup, "Minimize", s.Minimize);
  WriteBool(file, kSetup, "Popup", s.Popup);
  WriteInteger(file, kSetup, "PopupShowTime", s.PopupShowTime);
  WriteInteger(file, kSetup, "PopupLeft", s.PopupLeft);
  WriteInteger(file, kSetup, "PopupTop", s.PopupTop);
  WriteBool(file, kSetup, "ScanCodes", s.ScanCodes);
  WriteInteger(file, kSetup, "HoldTime", s.HoldTime);
  WriteInteger(file, kSetup, "DoubleTime", s.DoubleTime);
  WriteInteger(file, kSetup, "TapTime", s.TapTime);
  WriteInteger(file, kSetup, "ChordTime", s.ChordTime);
  WriteBool(file, kSetup, "LayerIndicator", s.LayerIndicator);
}

std::int32_t ReadMainHeight(IniFile& file) {
  return std::max(0, ReadInteger(file, kSetup, "MainHeight", 0));
}

void RecordMainHeight(IniFile& file, std::int32_t height) {
  if (ReadInteger(file, kSetup, "MainHeight", 0) != height)
    WriteInteger(file, kSetup, "MainHeight", height);
}

PipelineSettings PipelineSettingsOf(const Settings& s, std::uint32_t turboFallback) {
  return {.turboInterval = static_cast<std::int32_t>(TimerInterval(s.tmrTurbo, turboFallback)),
          .mouseAcceleration = s.MAccelarate,
          .mouseTopSpeed = s.MSpeed,
          .pointerCurve = s.PointerCurve,
          .scanCodes = s.ScanCodes,
          .deadZoneAxes = s.DeadZoneAxes,
          .holdTime = s.HoldTime,
          .doubleTime = s.DoubleTime,
          .tapTime = s.TapTime,
          .chordTime = s.ChordTime};
}

void KeepPipelineSettings(Settings& s, const PipelineSettings& pipeline) {
  s.tmrTurbo = pipeline.turboInterval;
  s.MAccelarate = pipeline.mouseAcceleration;
  s.MSpeed = pipeline.mouseTopSpeed;
  s.PointerCurve = pipeline.pointerCurve;
  s.ScanCodes = pipeline.scanCodes;
  s.DeadZoneAxes = pipeline.deadZoneAxes;
  s.HoldTime = pipeline.holdTime;
  s.DoubleTime = pipeline.doubleTime;
  s.TapTime = pipeline.tapTime;
  s.ChordTime = pipeline.chordTime;
}

std::uint32_t TimerInterval(std::int32_t stored, std::uint32_t fallback) {
  return stored > 0 ? static_cast<std::uint32_t>(stored) : fallback;
}

std::string LanguagePackPath(std::uint8_t pakIndex, const std::string& languagePak,
                             const std::string& exeFolder) {
  return pakIndex >= 2 ? languagePak : exeFolder + languagePak;
}

}  // namespace vantrel

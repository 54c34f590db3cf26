// A fuzz target for the platform-free handling of profiles, settings (their
// [Setup] and [Programs] sections) and language packs: whatever the bytes,
// reading them neither crashes nor trips a sanitizer, every entry read can
// be shown, and what was read saves and reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "actions/ElevationNotice.h"
#include "actions/MouseMotion.h"
#include "base/IniFile.h"
#include "base/Text.h"
#include "bindings/Binding.h"
#include "bindings/KeyName.h"
#include "bindings/Profile.h"
#include "config/Paths.h"
#include "config/ProgramsSection.h"
#include "config/Settings.h"
#include "core/MemoryIni.h"
#include "lang/KeptTexts.h"
#include "lang/LanguageTexts.h"
#include "ui/FileDialogResult.h"

namespace vantrel {
namespace {

using test::MemoryIni;

// libFuzzer counts an abort as a finding and keeps the input that caused it.
void Require(bool holds) {
  if (!holds) std::abort();
}

class NoRows final : public RowView {
 public:
  void SetRowText(std::uint8_t, const std::string& text) override { Require(text.size() < 4200); }
  void SetTurboEnabled(std::uint8_t, bool) override {}
  void SetTurboChecked(std::uint8_t, bool) override {}
};

void CheckValue(const std::string& value) {
  if (const auto n = ParseIniInteger(value)) Require(ParseIniInteger(std::to_string(*n)) == n);
  Require(FileNamePart(value, "path") + FileNamePart(value, "filename") == value);
  Require(WithIniExtension(value).ends_with(".ini"));
  Require(SettingsPathFor(value).ends_with(".set"));
  Require(ScratchProfilePathFor(value).ends_with("qex.tmp"));
  for (char sep : {'.', ','}) {
    // A float that reads is finite, and it reads back as itself from the
    // text it is written as, whatever digits it was first written with.
    if (const auto x = ParseSettingsFloat(value, sep)) {
      const std::string once = FormatSettingsFloat(*x, sep);
      const auto again = ParseSettingsFloat(once, sep);
      Require(again.has_value() && FormatSettingsFloat(*again, sep) == once);
    }
  }
}

void CheckProfile(MemoryIni& file, int numOfButtons, int skipEntry) {
  BindingTable table(numOfButtons);
  NoRows rows;
  LoadIni(table, file, skipEntry, &rows);
  for (int e = 1; e <= table.EntryCount(); ++e) {
    const auto entry = static_cast<std::uint8_t>(e);
    const Binding& b = table[entry];
    Require(b.INICount == b.INI.size() && b.INI.size() <= kMaxListPaths);
    Require(b.Execute.size() <= kMaxIniText);
    for (const std::string& path : b.INI) Require(path.size() <= kMaxIniText);
    (void)table.ActToStr(entry);
    (void)KeyName(b.VCode);
    (void)KeyName(b.Shift);
  }
  MemoryIni saved;
  SaveIni(table, saved);
  BindingTable back(numOfButtons);
  LoadIni(back, saved, 0, nullptr);
  Require(back.Bindings == table.Bindings && back.Layers == table.Layers &&
          back.LayerNames == table.LayerNames && back.Chords == table.Chords);
}

void CheckSettings(MemoryIni& file, char sep) {
  const Settings read = ReadSettings(file, sep);
  MemoryIni saved;
  WriteSettings(saved, read, sep);
  RecordLastProfile(saved, read.Path);
  const Settings back = ReadSettings(saved, sep);
  Require(back.NumOfButtons == read.NumOfButtons && back.PakIndex == read.PakIndex &&
          back.LanguagePak == read.LanguagePak && back.tmrTurbo == read.tmrTurbo &&
          back.tmrRefresh == read.tmrRefresh && back.RangeX == read.RangeX &&
          back.RangeY == read.RangeY && back.DeadZoneX == read.DeadZoneX &&
          back.DeadZoneY == read.DeadZoneY && back.Minimize == read.Minimize &&
          back.Popup == read.Popup && back.PopupShowTime == read.PopupShowTime &&
          back.PopupLeft == read.PopupLeft && back.PopupTop == read.PopupTop &&
          back.DeadZoneAxes == read.DeadZoneAxes && back.ScanCodes == read.ScanCodes &&
          back.Controller == WithoutControlCharacters(read.Controller) &&
          back.ControllerId == WithoutControlCharacters(read.ControllerId));
  // Floats read back as the text they were written as.
  for (auto [x, y] : {std::pair{read.MAccelarate, back.MAccelarate},
                      {read.MSpeed, back.MSpeed},
                      {read.PointerCurve, back.PointerCurve}})
    Require(FormatSettingsFloat(x, sep) == FormatSettingsFloat(y, sep));
  // Never written: a saved file leaves the controller's event on.
  Require(back.InputEvents);
  // The scratch profile's name is never recorded; any other path is.
  Require(back.Path == (read.Path.ends_with(".tmp") ? "" : read.Path));
  for (double x : {read.MAccelarate, read.MSpeed, read.PointerCurve})
    Require(FormatSettingsFloat(x, sep).size() < 32);
  // The pointer moves by what was read, however large.
  MouseMotion motion;
  motion.Start(MouseMoveLeft, read.MAccelarate);
  motion.Start(MouseMoveDown, read.MAccelarate);
  for (int tick = 0; tick < 3; ++tick) (void)motion.Tick(read.MSpeed);
  (void)LanguagePackPath(read.PakIndex, read.LanguagePak, "C:\\Program Files\\Vantrel\\");
}

// A section as the private-profile functions give it whole.
std::string SectionOf(MemoryIni& file, const std::string& section) {
  std::string lines;
  if (auto* keys = file.Find(section))
    for (auto& [key, value] : *keys) lines += key + "=" + value + '\0';
  return lines + '\0';
}

// The rules read from [Programs]. Those the Programs dialog could make (a
// name it lets through, a profile that is a path: no quotes or blanks
// around it, no zero in it, as the real functions never give one) are
// written as one section and read back the same.
void CheckPrograms(MemoryIni& file) {
  std::vector<ProgramRule> kept;
  for (const ProgramRule& rule : RulesOfSection(SectionOf(file, "Programs"))) {
    Require(!rule.program.empty() && !rule.profile.empty() && rule.profile.size() <= kMaxIniText);
    const char first = rule.profile.front();
    const char last = rule.profile.back();
    const bool path = !((first == '"' || first == '\'') && last == first) &&
                      std::string_view(" \t").find(first) == std::string_view::npos &&
                      std::string_view(" \t").find(last) == std::string_view::npos &&
                      rule.profile.find('\0') == std::string::npos;
    if (ProgramNameFault(rule.program) == NameFault::None && path) kept.push_back(rule);
  }
  std::string text = "[Programs]\r\n";
  for (const std::string& line : SplitStringList(ProgramsSectionText(kept))) text += line + "\r\n";
  MemoryIni written = MemoryIni::FromText(text);
  Require(RulesOfSection(SectionOf(written, "Programs")) == kept);
}

// Every text of a pack, and the kept ones read through them as from the pack.
void CheckPack(MemoryIni& file) {
  const LanguageTexts texts(file);
  const KeptTexts direct = ReadKeptTexts(file);
  const KeptTexts& kept = texts.Kept();
  Require(kept.FontName == direct.FontName && kept.FontCharset == direct.FontCharset &&
          kept.Mouse == direct.Mouse && kept.Down == direct.Down &&
          kept.ExtraRows == direct.ExtraRows && kept.ActionCaption == direct.ActionCaption);
  for (const LanguageKey& k : kLanguageKeys)
    Require(texts.Text(k.section, k.key).size() <= kMaxIniText);
  for (NameFault fault :
       {NameFault::Opening, NameFault::Equals, NameFault::Control, NameFault::Blank}) {
    const std::string& text = texts.Text("ProgramsWindow", NameFaultTextKey(fault));
    if (text.find("%s") != std::string::npos)
      Require(NameRefusalText(text, "a=b.exe").find("a=b.exe") != std::string::npos);
  }
  (void)ElevationNoticeText(texts.Text("TrayIcon", "Elevated"), "game.exe");
}

}  // namespace
}  // namespace vantrel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vantrel;
  if (size < 2) return 0;
  // The first two bytes choose the number of buttons (a stored one may be
  // anything) and the entry a profile switch leaves alone.
  const int numOfButtons = data[0] % (kMaxButtons + 8);
  const int skipEntry = data[1];
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  MemoryIni file = MemoryIni::FromText(text);
  for (auto& [section, keys] : file.sections)
    for (auto& [key, value] : keys) CheckValue(value);
  CheckProfile(file, numOfButtons, skipEntry);
  CheckSettings(file, '.');
  CheckSettings(file, ',');
  CheckPrograms(file);
  CheckPack(file);
  const KeptTexts texts = ReadKeptTexts(file);
  for (std::uint16_t code : {0, 37, 38, 65, 300, 901, 904, 907, 0xFFFF}) (void)KeyName(code, texts);
  (void)SplitFileDialogResult(std::string(text));
  return 0;
}

// Generated hostile profiles and settings files through the real
// private-profile functions and the real loads: huge counts, long values,
// binary bytes, missing and repeated sections, repeated keys, CR-only line
// ends. The generator's seed is fixed, so every run reads the same files.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

#include "actions/Injection_win.h"
#include "base/Errors.h"
#include "base/IniFile_win.h"
#include "config/Settings.h"
#include "lang/KeptTexts.h"
#include "lang/SetLng_win.h"
#include "config/ProfileFile_win.h"
#include "config/SettingsFile_win.h"
#include "win/StartedProcesses_win.h"
#include "win/TempDir_win.h"

namespace vantrel {
namespace {

class HostileText {
 public:
  explicit HostileText(unsigned seed) : random_(seed) {}

  std::string Profile() {
    static const char* const kSuffixes[] = {".Action", ".INI.Count", ".VCode",  ".Shift",
                                            ".Turbo",  ".MButton",   ".Execute"};
    std::string text = Junk(8);
    bool hugeCount = false;
    for (int line = 0, lines = Pick(0, 120); line < lines; ++line) {
      if (Chance(8)) text += Section(Chance(2) ? "Bind" : "bInD");
      std::string key = Prefix();
      if (Chance(5))
        key += ".INI" + std::to_string(Pick(0, 300));
      else
        key += kSuffixes[Pick(0, 6)];
      // Each file reads at most one list of the largest size: 255 keys.
      std::string value = Value();
      if (key.ends_with(".INI.Count") && !hugeCount && Chance(4)) {
        value = Chance(2) ? "65535" : "0xFFFFFFFF";
        hugeCount = true;
      }
      text += key + "=" + value + LineEnd();
    }
    return Chance(4) ? text : Section("Bind") + text;
  }

  std::string Settings() {
    static const char* const kKeys[] = {
        "NumOfButtons", "PakIndex",      "LanguagePak", "MAccelarate", "MSpeed",    "tmrTurbo",
        "tmrRefresh",   "RangeX",        "RangeY",      "DeadZoneX",   "DeadZoneY", "Minimize",
        "Popup",        "PopupShowTime", "PopupLeft",   "PopupTop",    "Path"};
    std::string text = Chance(5) ? "" : Section(Chance(3) ? "setup" : "Setup");
    for (int line = 0, lines = Pick(0, 40); line < lines; ++line) {
      if (Chance(10)) text += Section(Chance(2) ? "Setup" : "Other");
      text += std::string(kKeys[Pick(0, 16)]) + "=" + Value() + LineEnd();
    }
    return text;
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(int oneIn) { return Pick(1, oneIn) == 1; }

  std::string LineEnd() {
    switch (Pick(0, 5)) {
      case 0: return "\r";
      case 1: return "\n";
      case 2: return "\r\r\n";
      default: return "\r\n";
    }
  }
  std::string Section(const std::string& name) {
    return (Chance(6) ? " [" : "[") + name + (Chance(6) ? "" : "]") + LineEnd();
  }
  std::string Prefix() {
    switch (Pick(0, 5)) {
      case 0: return "Left";
      case 1: return "Right";
      case 2: return "Up";
      case 3: return "Down";
      case 4: return Junk(12);
      default: return "Button" + std::to_string(Pick(0, 40));
    }
  }
  // Any bytes but the line ends and the zero.
  std::string Junk(int most) {
    std::string bytes;
    for (int i = 0, n = Pick(0, most); i < n; ++i) {
      char c = static_cast<char>(Pick(1, 255));
      bytes += c == '\r' || c == '\n' ? '?' : c;
    }
    return bytes;
  }
  std::string Value() {
    switch (Pick(0, 11)) {
      case 0: return "99999999999999999999";
      case 1: return "-2147483649";
      case 2: return "0x";
      case 3: return "0x" + std::string(Pick(1, 20), 'F');
      case 4: return std::string(Pick(2040, 6000), 'v');
      case 5: return Junk(300);
      case 6: return "1e308";
      case 7: return "nan";
      case 8: return "C:\\" + Junk(40) + "\\" + Junk(20) + ".ini";
      case 9: return std::to_string(Pick(-70000, 70000));
      case 10: return "";
      default: return std::to_string(Pick(0, 8));
    }
  }

  std::mt19937 random_;
};

// The state a load leaves must be one the program can go on with.
void ExpectUsable(const BindingTable& table) {
  for (int e = 1; e <= table.EntryCount(); ++e) {
    const auto entry = static_cast<std::uint8_t>(e);
    const Binding& b = table[entry];
    ASSERT_EQ(b.INICount, b.INI.size()) << "entry " << e;
    ASSERT_LE(b.INI.size(), static_cast<std::size_t>(kMaxListPaths));
    ASSERT_LE(b.Execute.size(), kMaxIniText);
    for (const std::string& path : b.INI) ASSERT_LE(path.size(), kMaxIniText);
    ASSERT_LE(table.ActToStr(entry).size(), 2 * kMaxIniText);
  }
}

TEST(HostileFiles, EveryLoadEndsQuicklyInAUsableState) {
  test::TempDir dir;
  HostileText hostile(20261208);
  const std::string settingsPath = dir / "Vantrel.set";
  SetSettingsFile(settingsPath);
  using Clock = std::chrono::steady_clock;
  for (int i = 0; i < 300; ++i) {
    SCOPED_TRACE("file pair " + std::to_string(i));
    test::WriteFileBytes(settingsPath, hostile.Settings());
    const std::string profilePath = dir / ("p" + std::to_string(i) + ".ini");
    test::WriteFileBytes(profilePath, hostile.Profile());

    const auto start = Clock::now();
    const Settings settings = LoadSettingsFile(settingsPath);
    BindingTable table(std::min<int>(settings.NumOfButtons, kMaxButtons));
    LoadProfileFile(table, profilePath, 0, nullptr);
    const auto took = Clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(1));

    EXPECT_LE(settings.LanguagePak.size(), kMaxIniText);
    EXPECT_LE(settings.Path.size(), kMaxIniText);
    ExpectUsable(table);
    // Recorded in the hostile settings file, the path reads back.
    EXPECT_EQ(LoadSettingsFile(settingsPath).Path, profilePath);
    DeleteFileA(profilePath.c_str());
  }
  SetSettingsFile(dir / "unused.set");
}

// Paths longer than any file function takes (some copy them into a buffer
// of MAX_PATH characters unchecked) reach none: the profile that long loads
// nothing, the pack gives English, a listed profile or a program that long
// is never opened, and a save there is refused.
TEST(HostileFiles, PathsTooLongForAFileFunctionReachNone) {
  test::TempDir dir;
  const std::string settingsPath = dir / "Vantrel.set";
  SetSettingsFile(settingsPath);
  // A bare name goes after the Windows folder in a buffer of the path
  // limit's size inside the file functions; one with a folder does not.
  const std::string overlong = std::string(5000, 'p') + ".ini";
  test::WriteFileBytes(settingsPath, "[Setup]\r\nPakIndex=2\r\nLanguagePak=" +
                                         std::string(5000, 'l') + ".lng\r\nPath=" + overlong);
  const std::string profilePath = dir / "list.ini";
  test::WriteFileBytes(profilePath, "[Bind]\r\nButton1.Action=2\r\nButton1.INI.Count=2\r\n"
                                    "Button1.INI0=C:\\" + overlong + "\r\nButton1.INI1=" + overlong +
                                    "\r\nButton2.Action=5\r\nButton2.Execute=C:\\" +
                                    std::string(400, 'x') + ".exe\r\n");

  const Settings settings = LoadSettingsFile(settingsPath);
  ASSERT_EQ(settings.Path.size(), kMaxIniText);
  BindingTable table(4);
  table[3].Action = ActEmulKey;
  LoadProfileFile(table, settings.Path, 0, nullptr);
  EXPECT_EQ(table[3].Action, ActEmulKey) << "nothing was loaded";
  EXPECT_EQ(LoadSettingsFile(settingsPath).Path, settings.Path) << "no path was recorded";
  SetLng(LanguagePackPath(settings.PakIndex, settings.LanguagePak, dir.Path()));
  EXPECT_EQ(Kept().Button, "Button");

  LoadProfileFile(table, profilePath, 0, nullptr);
  ASSERT_EQ(table[1].INI.size(), 2u);
  BindingTable listed(4);
  listed[3].Action = ActEmulKey;
  for (const std::string& path : table[1].INI) LoadProfileFile(listed, path, 0, nullptr);
  EXPECT_EQ(listed[3].Action, ActEmulKey);
  const test::StartedProcesses started;
  LaunchProgram(table[2].Execute);
  EXPECT_EQ(started.Count(), 0u) << "a program that long was started";
  EXPECT_THROW(SaveProfileFile(table, overlong), AppError);
  SetSettingsFile(dir / "unused.set");
  SetLng("");
}

}  // namespace
}  // namespace vantrel

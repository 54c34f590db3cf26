// The settings file, language packs and the autorun entry through the real API.
#include "config/SettingsFile_win.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "app/QEXmainwndcode.h"
#include "base/Errors.h"
#include "base/IniFile_win.h"
#include "config/ProfileFile_win.h"
#include "config/ProgramsSection.h"
#include "lang/KeptTexts.h"
#include "win/TempDir_win.h"

namespace vantrel {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class SettingsFile : public ::testing::Test {
 protected:
  std::string Set(const std::string& lines) {
    WriteFileBytes(dir / "Vantrel.set", "[Setup]\r\n" + lines);
    return dir / "Vantrel.set";
  }
  test::TempDir dir;
};

TEST_F(SettingsFile, RoundTripsEveryValueAndLeavesPathAlone) {
  const std::string path = Set("Path=C:\\P\\last.ini\r\n");
  Settings s;
  s.NumOfButtons = 12;
  s.PakIndex = 2;
  s.LanguagePak = "D:\\Packs\\de.lng";
  s.MAccelarate = 0.7;
  s.MSpeed = 15;
  s.tmrTurbo = 40;
  s.tmrRefresh = 120;
  s.RangeX = 500;
  s.RangeY = 250;
  s.DeadZoneX = 5;
  s.DeadZoneY = 95;
  s.Minimize = true;
  s.Popup = true;
  s.PopupShowTime = 7;
  s.PopupLeft = -20;
  s.PopupTop = 900;
  s.PointerCurve = 2.5;
  s.DeadZoneAxes = 30;
  s.Controller = "Twin Pad";
  s.ControllerId = "{6F1D2B61-D5A0-11CF-BFC7-444553540000}";
  s.ScanCodes = false;
  SaveSettingsFile(path, s);
  Settings back = LoadSettingsFile(path);
  EXPECT_EQ(back.Path, "C:\\P\\last.ini");
  back.Path.clear();
  back.MinimizeAtStart = false;
  EXPECT_EQ(std::tie(back.NumOfButtons, back.PakIndex, back.LanguagePak, back.MAccelarate,
                     back.MSpeed, back.tmrTurbo, back.tmrRefresh, back.RangeX, back.RangeY,
                     back.DeadZoneX, back.DeadZoneY, back.Minimize, back.Popup, back.PopupShowTime,
                     back.PopupLeft, back.PopupTop),
            std::tie(s.NumOfButtons, s.PakIndex, s.LanguagePak, s.MAccelarate, s.MSpeed, s.tmrTurbo,
                     s.tmrRefresh, s.RangeX, s.RangeY, s.DeadZoneX, s.DeadZoneY, s.Minimize,
                     s.Popup, s.PopupShowTime, s.PopupLeft, s.PopupTop));
  EXPECT_EQ(std::tie(back.PointerCurve, back.DeadZoneAxes, back.Controller, back.ControllerId,
                     back.ScanCodes),
            std::tie(s.PointerCurve, s.DeadZoneAxes, s.Controller, s.ControllerId, s.ScanCodes));
}

// A line break in what a device calls itself would start a line of its own
// in the file, here a [Programs] section with a rule nobody made.
TEST_F(SettingsFile, AControllersNameStaysOnItsLine) {
  const std::string path = Set("");
  Settings s;
  s.Controller = "Pad\r\n[Programs]\r\nexplorer.exe=off";
  SaveSettingsFile(path, s);
  EXPECT_EQ(LoadSettingsFile(path).Controller, "Pad[Programs]explorer.exe=off");
  EXPECT_THAT(ReadProgramRules(path), IsEmpty());
}

TEST_F(SettingsFile, NoFileOrBadValuesGiveDefaults) {
  const Settings none = LoadSettingsFile(dir / "missing.set");
  EXPECT_EQ(none.NumOfButtons, 4);
  EXPECT_EQ(none.tmrRefresh, 50);
  const Settings bad =
      LoadSettingsFile(Set("NumOfButtons=260\r\ntmrRefresh=" + std::string(5000, '9') +
                           "\r\nRangeX=0x1F4\r\n"
                           "Minimize=2\r\nLanguagePak=" +
                           std::string(5000, 'L') + "\r\n"));
  EXPECT_EQ(bad.NumOfButtons, 4);
  EXPECT_EQ(bad.tmrRefresh, 50);
  EXPECT_EQ(bad.RangeX, 500);
  EXPECT_TRUE(bad.Minimize);
  EXPECT_FALSE(bad.MinimizeAtStart);
  EXPECT_EQ(bad.LanguagePak.size(), 2047u);
  EXPECT_TRUE(LoadSettingsFile(Set("Minimize=1\r\n")).MinimizeAtStart);
}

TEST_F(SettingsFile, ARefusedWriteIsReported) {
  const std::string path = Set("");
  HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  try {
    SaveSettingsFile(path, Settings{});
    ADD_FAILURE() << "the write should have been refused";
  } catch (const AppError& e) {
    EXPECT_STREQ(e.what(), ("Unable to write to " + path).c_str());
  }
  CloseHandle(lock);
}

// Each writer of the settings file, refused at the start (the file may not
// be written) or at the end (it may be written but not replaced): the file
// stays as it was, byte for byte, with nothing beside it.
TEST_F(SettingsFile, ARefusedWriteLeavesTheOldFileAndNothingBeside) {
  const std::string before =
      "[Setup]\r\nNumOfButtons=6\r\nPath=C:\\P\\old.ini\r\n[Programs]\r\na.exe=off\r\n"
      "b.exe=C:\\P\\b.ini\r\n";
  WriteFileBytes(dir / "pad.ini", "[Bind]\r\n");
  const std::string path = dir / "Vantrel.set";
  SetSettingsFile(path);
  BindingTable table(4);
  struct Writer {
    const char* name;
    std::function<void()> write;
  };
  const Writer writers[] = {
      {"the options' save", [&] { SaveSettingsFile(path, Settings{}); }},
      {"the rules",
       [&] {
         WriteProgramRules(path, {{"c.exe", "off"}, {"a.exe", "off"}});
       }},
      {"no rules", [&] { WriteProgramRules(path, {}); }},
      {"the last profile", [&] { LoadProfileFile(table, dir / "pad.ini", 0, nullptr); }}};
  struct Lock {
    const char* name;
    DWORD access;
    DWORD share;
  };
  for (const Lock& lock :
       {Lock{"denied writing", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ},
        Lock{"denied replacing", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
    for (const Writer& writer : writers) {
      SCOPED_TRACE(std::string(writer.name) + ", " + lock.name);
      WriteFileBytes(path, before);
      const HANDLE held = CreateFileA(path.c_str(), lock.access, lock.share, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(held, INVALID_HANDLE_VALUE);
      try {
        writer.write();
        ADD_FAILURE() << "the write should have been refused";
      } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), ("Unable to write to " + path).c_str());
      }
      CloseHandle(held);
      EXPECT_EQ(ReadFileBytes(path), before);
      EXPECT_THAT(dir.Files(), UnorderedElementsAre("Vantrel.set", "pad.ini"));
    }
  }
  SetSettingsFile(dir / "unused.set");
}

std::vector<ProgramRule> ManyRules(int count) {
  std::vector<ProgramRule> rules;
  for (int i = 0; i < count; ++i)
    rules.push_back({"game" + std::to_string(i) + ".exe",
                     i % 7 ? "C:\\Profiles\\game" + std::to_string(i) + ".ini" : "off"});
  return rules;
}

// Far more rules than a key list of 32 KB holds (some 2,000 names): each
// reads back, in order, and the other sections stay.
TEST_F(SettingsFile, FiveThousandRulesReadBackWhole) {
  const std::vector<ProgramRule> rules = ManyRules(5000);
  const std::string path = Set("NumOfButtons=6\r\n");
  WriteProgramRules(path, rules);
  EXPECT_EQ(ReadProgramRules(path), rules);
  EXPECT_EQ(LoadSettingsFile(path).NumOfButtons, 6);

  // Written by hand, with the section between two others.
  std::string text = "[Setup]\r\nNumOfButtons=7\r\n[Programs]\r\n";
  for (const ProgramRule& rule : rules) text += rule.program + "=" + rule.profile + "\r\n";
  WriteFileBytes(path, text + "[Tail]\r\nx=1\r\n");
  EXPECT_EQ(ReadProgramRules(path), rules);
  // A save of the options keeps every rule.
  SaveSettingsFile(path, Settings{});
  EXPECT_EQ(ReadProgramRules(path), rules);
  EXPECT_EQ(PrivateProfile(path).ReadString("Tail", "x", ""), "1");
}

// The dialog's OK hands the rules to the main window: a write the file
// refuses leaves the rules in force as they were.
TEST_F(SettingsFile, RulesTheFileRefusedAreNotInForce) {
  const std::string path = Set("");
  SetSettingsFile(path);
  TMainFrm main;
  ProgramsHost& host = main;
  const std::vector<ProgramRule> kept{{"a.exe", "off"}};
  host.SetProgramRules(kept);
  const HANDLE held = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_THROW(host.SetProgramRules({{"a.exe", "C:\\P\\a.ini"}, {"b.exe", "off"}}), AppError);
  EXPECT_THROW(host.SetProgramRules({}), AppError);
  CloseHandle(held);
  EXPECT_EQ(host.ProgramRules(), kept);
  EXPECT_EQ(ReadProgramRules(path), kept);
  host.SetProgramRules({});
  EXPECT_THAT(host.ProgramRules(), IsEmpty());
  SetSettingsFile(dir / "unused.set");
}

// The names the Programs dialog lets through read back as themselves from
// the real file; those it refuses come back as others, or not at all.
TEST_F(SettingsFile, ProgramNamesReadBackExactlyWhenTheCheckLetsThemThrough) {
  const std::string path = Set("");
  for (const char* name :
       {"game.exe", "My Game (x64).exe", "x[1];y].exe", "\xC8\xE3\xF0\xE0.exe", "[game].exe",
        ";game.exe", "a=b.exe", " game.exe", "game.exe ", "ga\nme.exe"}) {
    SCOPED_TRACE(name);
    const std::vector<ProgramRule> rules{{name, "off"}, {"after.exe", "off"}};
    WriteProgramRules(path, rules);
    if (ProgramNameFault(name) == NameFault::None)
      EXPECT_EQ(ReadProgramRules(path), rules);
    else
      EXPECT_NE(ReadProgramRules(path), rules);
  }
}

// Floats follow the decimal separator of the user's locale. The test run
// says which one it provides (VANTREL_DECIMAL, a point unless set): CTest runs
// this once as it is and once under a German locale, where it is a comma. A
// run whose locale is not the one asked for fails rather than skips.
char ExpectedDecimalSeparator() {
  char value[8] = {};
  return GetEnvironmentVariableA("VANTREL_DECIMAL", value, sizeof value) == 1 ? value[0] : '.';
}

TEST_F(SettingsFile, FloatsFollowTheLocalesDecimalSeparator) {
  const char sep = ExpectedDecimalSeparator();
  ASSERT_EQ(UserDecimalSeparator(), sep) << "the test run did not provide its locale";
  const char other = sep == ',' ? '.' : ',';
  Settings s;
  s.MAccelarate = 0.3;
  s.MSpeed = 12.5;
  SaveSettingsFile(dir / "Vantrel.set", s);
  EXPECT_THAT(
      ReadFileBytes(dir / "Vantrel.set"),
      ::testing::HasSubstr(std::string("MAccelarate=0") + sep + "3\r\nMSpeed=12" + sep + "5\r\n"));
  const Settings back = LoadSettingsFile(dir / "Vantrel.set");
  EXPECT_DOUBLE_EQ(back.MAccelarate, 0.3);
  EXPECT_DOUBLE_EQ(back.MSpeed, 12.5);
  // The other separator is no decimal point here: the defaults apply.
  const Settings foreign = LoadSettingsFile(
      Set(std::string("MAccelarate=0") + other + "3\r\nMSpeed=12" + other + "5\r\n"));
  EXPECT_DOUBLE_EQ(foreign.MAccelarate, 0.1);
  EXPECT_DOUBLE_EQ(foreign.MSpeed, 8);
}

TEST_F(SettingsFile, KeptTextsComeFromThePackTheIndexNames) {
  WriteFileBytes(dir / "Russian.lng", "[Common]\r\nFontName=Tahoma\r\nFontCharset=204\r\n");
  WriteFileBytes(dir / "hex.lng", "[Common]\r\nFontCharset=0xCC\r\nMouse=Maus\r\n");
  auto kept = [](const std::string& path) {
    PrivateProfile pack(path);
    return ReadKeptTexts(pack);
  };
  const KeptTexts english = kept(LanguagePackPath(0, "", dir.Path()));
  EXPECT_EQ(english.FontName, "Arial");
  EXPECT_EQ(english.FontCharset, 1);
  const KeptTexts russian = kept(LanguagePackPath(1, "Russian.lng", dir.Path()));
  EXPECT_EQ(russian.FontName, "Tahoma");
  EXPECT_EQ(russian.FontCharset, 204);
  EXPECT_EQ(russian.Mouse, "Mouse");
  const KeptTexts other = kept(LanguagePackPath(2, dir / "hex.lng", "C:\\elsewhere\\"));
  EXPECT_EQ(other.FontCharset, 204);
  EXPECT_EQ(other.Mouse, "Maus");
  EXPECT_EQ(other.FontName, "Arial");
}

class Autorun : public ::testing::Test {
 protected:
  void TearDown() override {
    SetAutorunWriteCheck(nullptr);
    RegDeleteKeyA(HKEY_CURRENT_USER, entry.key.c_str());
  }
  AutorunEntry entry{HKEY_CURRENT_USER,
                     "Software\\VantrelTest" + std::to_string(GetCurrentProcessId()), "QEX"};
};

TEST_F(Autorun, WritesReadsAndDeletesTheValue) {
  EXPECT_FALSE(ReadAutorun(entry));
  WriteAutorun(entry, AutorunCommand("C:\\Program Files\\Vantrel\\Vantrel.exe"));
  EXPECT_TRUE(ReadAutorun(entry));
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, entry.key.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  char data[MAX_PATH] = {};
  DWORD size = sizeof data, type = 0;
  RegQueryValueExA(key, "QEX", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_STREQ(data, "\"C:\\Program Files\\Vantrel\\Vantrel.exe\"");
  DeleteAutorun(entry);
  EXPECT_FALSE(ReadAutorun(entry));
  WriteAutorun(entry, "");
  EXPECT_FALSE(ReadAutorun(entry)) << "an empty value is no autorun";
}

TEST_F(Autorun, ARefusingRegistryReadsOffAndReportsWrites) {
  const AutorunEntry refused{reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x7777)), entry.key,
                             "QEX"};
  EXPECT_FALSE(ReadAutorun(refused));
  DeleteAutorun(refused);
  try {
    WriteAutorun(refused, "x");
    ADD_FAILURE();
  } catch (const AppError& e) {
    EXPECT_EQ(std::string(e.what()), "Failed to create key " + entry.key);
  }
  const AutorunEntry badValue{HKEY_CURRENT_USER, entry.key, std::string(40000, 'v')};
  try {
    WriteAutorun(badValue, "x");
    ADD_FAILURE();
  } catch (const AppError& e) {
    EXPECT_EQ(std::string(e.what()), "Failed to set data for '" + badValue.value + "'");
  }
}

long RefuseEveryChange(const AutorunEntry&, AutorunStep) { return ERROR_ACCESS_DENIED; }

// Only a value that stays keeps Windows starting the program.
TEST_F(Autorun, ARefusedRemovalFailsOnlyWhereAValueStays) {
  SetAutorunWriteCheck(&RefuseEveryChange);
  EXPECT_TRUE(DeleteAutorun(entry)) << "no key, no value";
  SetAutorunWriteCheck(nullptr);
  WriteAutorun(entry, "");
  SetAutorunWriteCheck(&RefuseEveryChange);
  EXPECT_TRUE(DeleteAutorun(entry)) << "an empty value starts nothing";
  SetAutorunWriteCheck(nullptr);
  WriteAutorun(entry, "x");
  SetAutorunWriteCheck(&RefuseEveryChange);
  EXPECT_FALSE(DeleteAutorun(entry));
  EXPECT_TRUE(ReadAutorun(entry));
  SetAutorunWriteCheck(nullptr);
  EXPECT_TRUE(DeleteAutorun(entry));
  EXPECT_TRUE(DeleteAutorun(entry)) << "a value already gone";
}

}  // namespace
}  // namespace vantrel

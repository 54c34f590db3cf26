#include "config/Settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <array>

#include "bindings/KeyName.h"
#include "core/MemoryIni.h"
#include "lang/KeptTexts.h"

namespace vantrel {
namespace {

using ::testing::ElementsAre;

TEST(Settings, AMissingFileGivesEveryDefault) {
  test::MemoryIni none;
  const Settings s = ReadSettings(none, '.');
  EXPECT_EQ(s.NumOfButtons, 4);
  EXPECT_EQ(s.PakIndex, 0);
  EXPECT_EQ(s.LanguagePak, "");
  EXPECT_DOUBLE_EQ(s.MAccelarate, 0.1);
  EXPECT_DOUBLE_EQ(s.MSpeed, 8);
  EXPECT_EQ(s.tmrTurbo, 100);
  EXPECT_EQ(s.tmrRefresh, 50);
  EXPECT_EQ(s.RangeX, 1000);
  EXPECT_EQ(s.RangeY, 1000);
  EXPECT_EQ(s.DeadZoneX, 50);
  EXPECT_EQ(s.DeadZoneY, 50);
  EXPECT_FALSE(s.Minimize);
  EXPECT_FALSE(s.MinimizeAtStart);
  EXPECT_FALSE(s.Popup);
  EXPECT_EQ(s.PopupShowTime, 0);
  EXPECT_EQ(s.PopupLeft, 50);
  EXPECT_EQ(s.PopupTop, 50);
  EXPECT_TRUE(s.ScanCodes);
  EXPECT_EQ(s.Path, "");
  EXPECT_DOUBLE_EQ(s.PointerCurve, 2.0);
  EXPECT_EQ(s.DeadZoneAxes, 50);
  EXPECT_EQ(s.Controller, "");
  EXPECT_EQ(s.ControllerId, "");
  EXPECT_TRUE(s.InputEvents) << "a file without the key reads the controller's event";
  EXPECT_TRUE(s.LayerIndicator) << "a file without the key shows the layer changes";
}

// Every key holds a value of its own, so a field read from another key's
// value (RangeY from RangeX) shows; and what is written reads back the same.
TEST(Settings, EveryKeyReachesItsOwnFieldAndBack) {
  test::MemoryIni ini;
  const std::pair<const char*, const char*> kSetup[] = {
      {"NumOfButtons", "9"},    {"PakIndex", "2"},     {"LanguagePak", "C:\\P\\x.lng"},
      {"MAccelarate", "0.7"},   {"MSpeed", "13"},      {"PointerCurve", "1.5"},
      {"tmrTurbo", "110"},      {"tmrRefresh", "120"}, {"RangeX", "650"},
      {"RangeY", "700"},        {"DeadZoneX", "15"},   {"DeadZoneY", "25"},
      {"DeadZoneAxes", "35"},   {"Controller", "Pad"}, {"ControllerId", "{7}"},
      {"Minimize", "1"},        {"Popup", "1"},        {"PopupShowTime", "7"},
      {"PopupLeft", "321"},     {"PopupTop", "222"},   {"ScanCodes", "0"},
      {"Path", "C:\\P\\a.ini"}, {"InputEvents", "0"},  {"LayerIndicator", "0"}};
  for (const auto& [key, value] : kSetup) ini.WriteString("Setup", key, value);
  const Settings s = ReadSettings(ini, '.');
  EXPECT_EQ(s.NumOfButtons, 9);
  EXPECT_EQ(s.PakIndex, 2);
  EXPECT_EQ(s.LanguagePak, "C:\\P\\x.lng");
  EXPECT_DOUBLE_EQ(s.MAccelarate, 0.7);
  EXPECT_DOUBLE_EQ(s.MSpeed, 13);
  EXPECT_DOUBLE_EQ(s.PointerCurve, 1.5);
  EXPECT_EQ(s.tmrTurbo, 110);
  EXPECT_EQ(s.tmrRefresh, 120);
  EXPECT_EQ(s.RangeX, 650);
  EXPECT_EQ(s.RangeY, 700);
  EXPECT_EQ(s.DeadZoneX, 15);
  EXPECT_EQ(s.DeadZoneY, 25);
  EXPECT_EQ(s.DeadZoneAxes, 35);
  EXPECT_EQ(s.Controller, "Pad");
  EXPECT_EQ(s.ControllerId, "{7}");
  EXPECT_TRUE(s.Minimize);
  EXPECT_TRUE(s.MinimizeAtStart);
  EXPECT_TRUE(s.Popup);
  EXPECT_EQ(s.PopupShowTime, 7);
  EXPECT_EQ(s.PopupLeft, 321);
  EXPECT_EQ(s.PopupTop, 222);
  EXPECT_FALSE(s.ScanCodes);
  EXPECT_EQ(s.Path, "C:\\P\\a.ini");
  EXPECT_FALSE(s.InputEvents);
  EXPECT_FALSE(s.LayerIndicator);

  test::MemoryIni written;
  WriteSettings(written, s, '.');
  for (const auto& [key, value] : kSetup) {
    // The profile routines keep Path; InputEvents stays as the user put it.
    if (std::string(key) == "Path" || std::string(key) == "InputEvents") continue;
    EXPECT_EQ(written.ReadString("Setup", key, "?"), value) << key;
  }
}

TEST(Settings, GarbageAndHugeValuesFallBackOrKeepTheirLowBits) {
  test::MemoryIni ini;
  const std::string huge(5000, '7');
  ini.WriteString("Setup", "NumOfButtons", "260");
  ini.WriteString("Setup", "PakIndex", "0x102");
  ini.WriteString("Setup", "PopupShowTime", "300");
  ini.WriteString("Setup", "tmrTurbo", "fast");
  ini.WriteString("Setup", "tmrRefresh", "99999999999");
  ini.WriteString("Setup", "RangeX", huge);
  ini.WriteString("Setup", "MSpeed", "1e999");
  ini.WriteString("Setup", "MAccelarate", "");
  ini.WriteString("Setup", "Popup", "yes");
  ini.WriteString("Setup", "LanguagePak", huge);
  ini.WriteString("Setup", "tmrTurbo", "5");  // not checked against the options' range
  const Settings s = ReadSettings(ini, '.');
  EXPECT_EQ(s.NumOfButtons, 4);
  EXPECT_EQ(s.PakIndex, 2);
  EXPECT_EQ(s.PopupShowTime, 44);
  EXPECT_EQ(s.tmrTurbo, 5);
  EXPECT_EQ(s.tmrRefresh, 50);
  EXPECT_EQ(s.RangeX, 1000);
  EXPECT_DOUBLE_EQ(s.MSpeed, 8);
  EXPECT_DOUBLE_EQ(s.MAccelarate, 0.1);
  EXPECT_FALSE(s.Popup);
  EXPECT_EQ(s.LanguagePak.size(), kMaxIniText);
}

// The main window writes its own height: a height the file holds already
// costs no write, and anything but a positive number is the default.
TEST(Settings, TheMainWindowsHeightReadsAsStoredAndIsWrittenOnlyWhenItChanges) {
  struct CountedIni : test::MemoryIni {
    void WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override {
      ++writes;
      MemoryIni::WriteString(section, key, value);
    }
    int writes = 0;
  } ini;
  EXPECT_EQ(ReadMainHeight(ini), 0);
  for (const auto& [stored, height] : {std::pair{"612", 612}, {"-40", 0}, {"tall", 0}, {"", 0}}) {
    ini.MemoryIni::WriteString("Setup", "MainHeight", stored);
    EXPECT_EQ(ReadMainHeight(ini), height) << '"' << stored << '"';
  }
  RecordMainHeight(ini, 480);
  RecordMainHeight(ini, 480);
  EXPECT_EQ(ini.writes, 1);
  EXPECT_EQ(ini.ReadString("Setup", "MainHeight", ""), "480");
}

TEST(Settings, OnlyAStoredOneMinimisesAtStart) {
  for (auto [text, ticked, minimised] : {std::tuple{"1", true, true},
                                         {"2", true, false},
                                         {"0", false, false},
                                         {"-1", true, false}}) {
    test::MemoryIni ini;
    ini.WriteString("Setup", "Minimize", text);
    const Settings s = ReadSettings(ini, '.');
    EXPECT_EQ(s.Minimize, ticked) << text;
    EXPECT_EQ(s.MinimizeAtStart, minimised) << text;
  }
}

TEST(Settings, WritesEveryKeyButPathInItsOrder) {
  Settings s;
  s.NumOfButtons = 12;
  s.MAccelarate = 0.3;
  s.Minimize = true;
  s.Path = "C:\\p.ini";
  test::MemoryIni ini;
  WriteSettings(ini, s, ',');
  EXPECT_THAT(
      ini.Lines("Setup"),
      ElementsAre("NumOfButtons=12", "PakIndex=0", "LanguagePak=", "MAccelarate=0,3", "MSpeed=8",
                  "PointerCurve=2", "tmrTurbo=100", "tmrRefresh=50", "RangeX=1000", "RangeY=1000",
                  "DeadZoneX=50", "DeadZoneY=50", "DeadZoneAxes=50", "Controller=", "ControllerId=",
                  "Minimize=1", "Popup=0", "PopupShowTime=0", "PopupLeft=50", "PopupTop=50",
                  "ScanCodes=1", "HoldTime=200", "DoubleTime=250", "TapTime=40", "ChordTime=50",
                  "LayerIndicator=1"));
  EXPECT_DOUBLE_EQ(ReadSettings(ini, ',').MAccelarate, 0.3);
  EXPECT_DOUBLE_EQ(ReadSettings(ini, '.').MAccelarate, 0.1) << "a comma is no point";
}

// A device may name itself with a line break: stored as it is, the rest of
// its name would become a line of its own, even a section.
TEST(Settings, TheControllerIsStoredWithoutControlCharacters) {
  Settings s;
  s.Controller = "Pad\r\n[Programs]\r\nx.exe=off\t2";
  s.ControllerId = "{6F1D2B61-D5A0}\n";
  test::MemoryIni ini;
  WriteSettings(ini, s, '.');
  EXPECT_EQ(ini.ReadString("Setup", "Controller", "?"), "Pad[Programs]x.exe=off2");
  EXPECT_EQ(ini.ReadString("Setup", "ControllerId", "?"), "{6F1D2B61-D5A0}");
}

TEST(SettingsFloat, GeneralFormatWithTheLocalesSeparator) {
  EXPECT_EQ(FormatSettingsFloat(0.1, '.'), "0.1");
  EXPECT_EQ(FormatSettingsFloat(0.1, ','), "0,1");
  EXPECT_EQ(FormatSettingsFloat(8, ','), "8");
  EXPECT_EQ(FormatSettingsFloat(2.0 / 3, '.'), "0.666666666666667");
  EXPECT_EQ(ParseSettingsFloat("4,5", ','), 4.5);
  EXPECT_EQ(ParseSettingsFloat("12", '.'), 12.0);
  for (const char* bad : {"", "4.5.", "4,5", " 4", "x", "1e999", "nan"})
    EXPECT_FALSE(ParseSettingsFloat(bad, '.').has_value()) << bad;
}

TEST(Settings, LanguagePackPathRule) {
  EXPECT_EQ(LanguagePackPath(0, "", "C:\\V\\"), "C:\\V\\");
  EXPECT_EQ(LanguagePackPath(1, "Russian.lng", "C:\\V\\"), "C:\\V\\Russian.lng");
  EXPECT_EQ(LanguagePackPath(2, "D:\\Packs\\de.lng", "C:\\V\\"), "D:\\Packs\\de.lng");
}

TEST(KeptTexts, APackReplacesOnlyTheKeysItHolds) {
  test::MemoryIni pack;
  pack.WriteString("Common", "Mouse", "Maus");
  pack.WriteString("MainWindow", "Button", "");
  const KeptTexts t = ReadKeptTexts(pack);
  EXPECT_EQ(KeyName(901, t), "Maus Left");
  EXPECT_EQ(t.Button, "") << "present but empty is empty, not built in";
  EXPECT_EQ(t.Arrow, "Arrow");
  EXPECT_EQ(t.FontName, "Arial");
  EXPECT_EQ(t.FontCharset, 1);
}

TEST(KeptTexts, FontCharsetIsAnIntegerKeptIn16Bits) {
  for (auto [text, charset] : {std::pair{"204", 204},
                               {"0xCC", 204},
                               {"0XCC", 204},
                               {"Cyrillic", 1},
                               {"65740", 204},
                               {"", 1}}) {
    test::MemoryIni pack;
    pack.WriteString("Common", "FontCharset", text);
    EXPECT_EQ(ReadKeptTexts(pack).FontCharset, charset) << text;
  }
}

// The activators' times keep to their ranges whatever the file says, and a
// file without them gives the defaults.
TEST(Settings, ActivatorTimesKeepToTheirRanges) {
  struct Row {
    const char* key;
    const char* stored;
    std::int32_t Settings::*field;
    std::int32_t expected;
  };
  const Row rows[] = {
      {"HoldTime", nullptr, &Settings::HoldTime, 200},
      {"HoldTime", "350", &Settings::HoldTime, 350},
      {"HoldTime", "5", &Settings::HoldTime, 100},
      {"HoldTime", "99999", &Settings::HoldTime, 1000},
      {"DoubleTime", nullptr, &Settings::DoubleTime, 250},
      {"DoubleTime", "-1", &Settings::DoubleTime, 100},
      {"TapTime", nullptr, &Settings::TapTime, 40},
      {"TapTime", "0", &Settings::TapTime, 10},
      {"TapTime", "500", &Settings::TapTime, 200},
      {"ChordTime", nullptr, &Settings::ChordTime, 50},
      {"ChordTime", "1", &Settings::ChordTime, 20},
      {"ChordTime", "80", &Settings::ChordTime, 80},
  };
  for (const Row& row : rows) {
    test::MemoryIni ini;
    if (row.stored) ini.WriteString("Setup", row.key, row.stored);
    const Settings s = ReadSettings(ini, '.');
    EXPECT_EQ(s.*row.field, row.expected) << row.key << "=" << (row.stored ? row.stored : "(none)");
    const PipelineSettings p = PipelineSettingsOf(s, 100);
    EXPECT_EQ((std::array{p.holdTime, p.doubleTime, p.tapTime, p.chordTime}),
              (std::array{s.HoldTime, s.DoubleTime, s.TapTime, s.ChordTime}));
  }
}

}  // namespace
}  // namespace vantrel

#include "bindings/Profile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "core/MemoryIni.h"

namespace vantrel {
namespace {

using ::testing::ElementsAre;

// Records what a load did to each row.
struct Rows : RowView {
  void SetRowText(std::uint8_t e, const std::string& text) override { this->text[e] = text; }
  void SetTurboEnabled(std::uint8_t e, bool on) override { enabled[e] = on; }
  void SetTurboChecked(std::uint8_t e, bool on) override { checked[e] = on; }
  std::map<int, std::string> text;
  std::map<int, bool> enabled, checked;
};

BindingTable EveryKind(int n) {
  BindingTable t(n);
  t[1] = {.VCode = 65, .Shift = 17, .Action = ActEmulKey};
  t[2] = {.INI = {"C:\\P\\a.ini", "C:\\P\\b.ini"}, .INICount = 2, .Action = ActChangeIni};
  t[t.EntryUp] = {.VCode = 300, .Action = ActEmulClick};
  t[t.EntryDown] = {.VCode = 116, .Turbo = true, .Action = ActEmulKey};
  t[t.EntryRight] = {.Execute = "C:\\Games\\game.exe", .Action = ActRun};
  return t;
}

TEST(SaveIni, WritesOnlyTheKeysOfEachKindInEntryOrder) {
  BindingTable t(2);
  t[1] = {.VCode = 65, .Shift = 17, .Action = ActEmulKey};
  t[t.EntryUp] = {.VCode = 300, .Action = ActEmulClick};
  t[t.EntryRight] = {.Execute = "C:\\Games\\game.exe", .Action = ActRun};
  test::MemoryIni ini;
  SaveIni(t, ini);
  EXPECT_THAT(ini.Lines("Bind"),
              ElementsAre("Button1.Action=3", "Button1.VCode=65", "Button1.Shift=17",
                          "Button1.Turbo=0", "Button2.Action=0", "Left.Action=4",
                          "Left.MButton=300", "Right.Action=0", "Up.Action=0", "Down.Action=5",
                          "Down.Execute=C:\\Games\\game.exe"));
}

TEST(SaveIni, ListsAreACountAndNumberedPaths) {
  BindingTable t(0);
  t[t.EntryLeft] = {.INI = {"x", "y", "z"}, .INICount = 3, .Action = ActChangeIni};
  test::MemoryIni ini;
  SaveIni(t, ini);
  EXPECT_THAT(ini.Lines("Bind"),
              ElementsAre("Left.Action=0", "Right.Action=0", "Up.Action=2", "Up.INI.Count=3",
                          "Up.INI0=x", "Up.INI1=y", "Up.INI2=z", "Down.Action=0"));
}

TEST(SaveIni, ReplacesTheWholeBindSectionAndNothingElse) {
  test::MemoryIni ini;
  ini.WriteString("Notes", "Author", "me");
  ini.WriteString("Bind", "Button1.VCode", "65");
  ini.WriteString("Bind", "Button9.Action", "3");
  BindingTable t(1);
  t[1] = {.Execute = "C:\\run.exe", .Action = ActRun};
  SaveIni(t, ini);
  EXPECT_THAT(ini.Lines("Notes"), ElementsAre("Author=me"));
  EXPECT_EQ(ini.ReadString("Bind", "Button1.VCode", "gone"), "gone");
  EXPECT_EQ(ini.ReadString("Bind", "Button9.Action", "gone"), "gone");
}

TEST(LoadIni, RoundTripsEveryKind) {
  const BindingTable saved = EveryKind(4);
  test::MemoryIni ini;
  SaveIni(saved, ini);
  BindingTable loaded(4);
  loaded[3] = {.VCode = 9, .Action = ActEmulKey};  // overwritten by the file's ActNone
  LoadIni(loaded, ini, 0, nullptr);
  EXPECT_EQ(loaded.Bindings, saved.Bindings);
}

TEST(LoadIni, FindsDirectionsByNameWhateverTheNumberOfButtons) {
  test::MemoryIni four;
  SaveIni(EveryKind(4), four);
  BindingTable six(6);
  LoadIni(six, four, 0, nullptr);
  EXPECT_EQ(six[5].Action, ActNone);
  EXPECT_EQ(six[6].Action, ActNone);
  EXPECT_EQ(six[six.EntryUp].VCode, 300);
  EXPECT_EQ(six[six.EntryRight].Execute, "C:\\Games\\game.exe");

  BindingTable wide = EveryKind(6);
  wide[5] = {.VCode = 66, .Action = ActEmulKey};
  test::MemoryIni sixIni;
  SaveIni(wide, sixIni);
  BindingTable narrow(4);
  LoadIni(narrow, sixIni, 0, nullptr);
  EXPECT_EQ(narrow[narrow.EntryDown].VCode, 116) << "directions survive, buttons 5 and 6 drop";
  EXPECT_EQ(narrow.Bindings.size(), 25u);
}

TEST(LoadIni, KeepsTheLowBitsOfWideValues) {
  test::MemoryIni ini;
  ini.WriteString("Bind", "Button1.Action", "258");  // kind 2
  ini.WriteString("Bind", "Button2.Action", "0x3");
  ini.WriteString("Bind", "Button2.VCode", "65601");  // 65 + 65536
  ini.WriteString("Bind", "Button2.Shift", "junk");
  ini.WriteString("Bind", "Button2.Turbo", "7");
  BindingTable t(2);
  LoadIni(t, ini, 0, nullptr);
  EXPECT_EQ(t[1].Action, ActChangeIni);
  EXPECT_EQ(t[2].Action, ActEmulKey);
  EXPECT_EQ(t[2].VCode, 65);
  EXPECT_EQ(t[2].Shift, 0);
  EXPECT_TRUE(t[2].Turbo);
}

TEST(LoadIni, AHostileListCountReadsAtMost255Paths) {
  test::MemoryIni ini;
  ini.WriteString("Bind", "Button1.Action", "2");
  ini.WriteString("Bind", "Button1.INI.Count", "65535");
  ini.WriteString("Bind", "Button1.INI254", "last");
  ini.WriteString("Bind", "Button1.INI255", "beyond");
  BindingTable t(1);
  LoadIni(t, ini, 0, nullptr);
  EXPECT_EQ(t[1].INI.size(), 255u);
  EXPECT_EQ(t[1].INICount, 255);
  EXPECT_EQ(t[1].INI.back(), "last");
  EXPECT_LT(ini.reads, 255 + 40);
}

TEST(LoadIni, SetsEachRowsTextAndTurboBoxByKind) {
  test::MemoryIni ini;
  SaveIni(EveryKind(4), ini);
  ini.WriteString("Bind", "Button4.Action", "9");
  BindingTable t(4);
  Rows rows;
  rows.enabled[4] = false;
  LoadIni(t, ini, 0, &rows);
  EXPECT_EQ(rows.text[1], "Ctrl+A");
  EXPECT_EQ(rows.text[2], "b.ini");
  EXPECT_EQ(rows.text[t.EntryUp], "MouseLButton");
  EXPECT_EQ(rows.text[t.EntryDown], "F5");
  EXPECT_EQ(rows.text[t.EntryRight], "game.exe");
  EXPECT_EQ(rows.text[3], "");
  EXPECT_TRUE(rows.enabled[1]);
  EXPECT_FALSE(rows.checked[1]);
  EXPECT_TRUE(rows.checked[t.EntryDown]);
  EXPECT_FALSE(rows.enabled[2]);
  EXPECT_FALSE(rows.enabled[t.EntryUp]);
  EXPECT_FALSE(rows.enabled[t.EntryRight]);
  EXPECT_TRUE(rows.enabled[3]);
  EXPECT_FALSE(rows.enabled[4]) << "an unknown kind leaves its box alone";
  EXPECT_FALSE(rows.checked.contains(2)) << "only key entries touch the tick";
}

TEST(LoadIni, LeavesTheSkippedEntryAlone) {
  test::MemoryIni ini;
  SaveIni(EveryKind(4), ini);
  BindingTable t(4);
  const Binding switching{.INI = {"C:\\x.ini"}, .INICount = 1, .Action = ActChangeIni};
  t[2] = switching;
  Rows rows;
  LoadIni(t, ini, 256 + 2, &rows);  // only the low 8 bits name the entry
  EXPECT_EQ(t[2], switching);
  EXPECT_FALSE(rows.text.contains(2));
  EXPECT_EQ(t[1].VCode, 65);
}

TEST(LastProfile, EveryProfileButTheScratchOneIsRecorded) {
  test::MemoryIni settings;
  RecordLastProfile(settings, "C:\\Tools\\qex.tmp");
  EXPECT_EQ(settings.ReadString("Setup", "Path", "none"), "none");
  RecordLastProfile(settings, "C:\\Tools\\QEX.TMP");
  EXPECT_EQ(settings.ReadString("Setup", "Path", ""), "C:\\Tools\\QEX.TMP");
  RecordLastProfile(settings, "C:\\P\\fly.ini");
  EXPECT_EQ(settings.ReadString("Setup", "Path", ""), "C:\\P\\fly.ini");
}

// Refuses every write, as a settings file in a read-only folder does.
struct ReadOnlyIni : test::MemoryIni {
  void WriteString(const std::string&, const std::string& key, const std::string&) override {
    throw std::runtime_error("refused " + key);
  }
};

TEST(LastProfile, AnUnchangedPathIsNotWrittenAgain) {
  ReadOnlyIni settings;
  settings.sections.push_back({"Setup", {{"Path", "C:\\P\\fly.ini"}}});
  EXPECT_NO_THROW(RecordLastProfile(settings, "C:\\P\\fly.ini"));
  EXPECT_THROW(RecordLastProfile(settings, "C:\\P\\other.ini"), std::runtime_error);
}

TEST(LastProfile, SavedNamesEndInDotIni) {
  EXPECT_EQ(WithIniExtension("C:\\P\\fly"), "C:\\P\\fly.ini");
  EXPECT_EQ(WithIniExtension("C:\\P\\fly.ini"), "C:\\P\\fly.ini");
  EXPECT_EQ(WithIniExtension("C:\\P\\fly.INI"), "C:\\P\\fly.INI.ini");
  EXPECT_EQ(WithIniExtension(""), ".ini");
}

}  // namespace
}  // namespace vantrel

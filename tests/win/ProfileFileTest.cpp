// Profiles through the real private-profile functions.
#include "config/ProfileFile_win.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/Errors.h"
#include "base/IniFile_win.h"
#include "config/SettingsFile_win.h"
#include "win/TempDir_win.h"

namespace vantrel {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;

class ProfileFile : public ::testing::Test {
 protected:
  void SetUp() override { SetSettingsFile(dir / "Vantrel.set"); }
  std::string LastProfile() {
    return PrivateProfile(dir / "Vantrel.set").ReadString("Setup", "Path", "");
  }

  test::TempDir dir;
};

BindingTable EveryKind(int n) {
  BindingTable t(n);
  t[1] = {.VCode = 116, .Shift = 17, .Action = ActEmulKey};
  t[2] = {.INI = {"C:\\P\\a.ini", "C:\\P\\b.ini", "C:\\P\\c.ini"},
          .INICount = 3,
          .Action = ActChangeIni};
  t[3] = {.VCode = 65, .Turbo = true, .Action = ActEmulKey};
  t[t.EntryUp] = {.VCode = 903, .Action = ActEmulClick};
  t[t.EntryLeft] = {.VCode = 907, .Action = ActEmulClick};
  t[t.EntryRight] = {.Execute = "C:\\Program Files\\Game\\game.exe", .Action = ActRun};
  return t;
}

TEST_F(ProfileFile, WritesTheStoredFormatByteForByte) {
  BindingTable t(2);
  t[1] = {.VCode = 65, .Shift = 17, .Action = ActEmulKey};
  t[t.EntryUp] = {.VCode = 300, .Action = ActEmulClick};
  t[t.EntryRight] = {.Execute = "C:\\Games\\game.exe", .Action = ActRun};
  SaveProfileFile(t, dir / "p.ini");
  EXPECT_EQ(
      ReadFileBytes(dir / "p.ini"),
      "[Bind]\r\nButton1.Action=3\r\nButton1.VCode=65\r\nButton1.Shift=17\r\n"
      "Button1.Turbo=0\r\nButton2.Action=0\r\nLeft.Action=4\r\nLeft.MButton=300\r\n"
      "Right.Action=0\r\nUp.Action=0\r\nDown.Action=5\r\nDown.Execute=C:\\Games\\game.exe\r\n");
}

TEST_F(ProfileFile, RoundTripsEveryKindAndRecordsThePath) {
  const BindingTable saved = EveryKind(4);
  SaveProfileFile(saved, dir / "all.ini");
  EXPECT_EQ(LastProfile(), dir / "all.ini");
  BindingTable loaded(4);
  LoadProfileFile(loaded, dir / "all.ini", 0, nullptr);
  EXPECT_EQ(loaded.Bindings, saved.Bindings);
}

TEST_F(ProfileFile, DirectionsSurviveAChangeOfButtonCount) {
  SaveProfileFile(EveryKind(4), dir / "four.ini");
  BindingTable six(6);
  six[5] = {.VCode = 9, .Action = ActEmulKey};
  LoadProfileFile(six, dir / "four.ini", 0, nullptr);
  EXPECT_EQ(six[5].Action, ActNone);
  EXPECT_EQ(six[6].Action, ActNone);
  EXPECT_EQ(six[six.EntryUp].VCode, 903);
  EXPECT_EQ(six[six.EntryRight].Execute, "C:\\Program Files\\Game\\game.exe");

  BindingTable wide = EveryKind(6);
  wide[6] = {.VCode = 66, .Action = ActEmulKey};
  SaveProfileFile(wide, dir / "six.ini");
  BindingTable four(4);
  LoadProfileFile(four, dir / "six.ini", 0, nullptr);
  EXPECT_EQ(four.Bindings, EveryKind(4).Bindings);
}

TEST_F(ProfileFile, SavingKeepsOtherSectionsAndDropsKeysOfAnOldKind) {
  WriteFileBytes(dir / "p.ini",
                 "; my pad\r\n[Notes]\r\nAuthor=me\r\n[Bind]\r\nButton1.Action=3\r\n"
                 "Button1.VCode=65\r\n[Tail]\r\nx=1\r\n");
  BindingTable t(1);
  t[1] = {.Execute = "C:\\run.exe", .Action = ActRun};
  SaveProfileFile(t, dir / "p.ini");
  PrivateProfile p(dir / "p.ini");
  EXPECT_EQ(p.ReadString("Notes", "Author", ""), "me");
  EXPECT_EQ(p.ReadString("Tail", "x", ""), "1");
  EXPECT_EQ(p.ReadString("Bind", "Button1.VCode", "gone"), "gone");
  EXPECT_EQ(p.ReadString("Bind", "Button1.Execute", ""), "C:\\run.exe");
  EXPECT_THAT(ReadFileBytes(dir / "p.ini"), ::testing::StartsWith("; my pad\r\n"));
}

TEST_F(ProfileFile, ReadsHexadecimalLowBitsAndLongValues) {
  const std::string longPath = "C:\\" + std::string(5000, 'x') + ".exe";
  WriteFileBytes(dir / "p.ini",
                 "[bind]\r\nbutton1.action=0x3\r\nBUTTON1.VCODE=0X41\r\nButton1.Shift=0x\r\n"
                 "Button2.Action=258\r\nButton2.INI.Count=1\r\nButton2.INI0=" +
                     longPath + "\r\nLeft.Action=5\r\nLeft.Execute=" + longPath +
                     "\r\nRight.Action=4\r\n"
                     "Right.MButton=65836\r\n");
  BindingTable t(2);
  LoadProfileFile(t, dir / "p.ini", 0, nullptr);
  EXPECT_EQ(t[1].Action, ActEmulKey);
  EXPECT_EQ(t[1].VCode, 65);
  EXPECT_EQ(t[1].Shift, 0);
  EXPECT_EQ(t[2].Action, ActChangeIni);
  ASSERT_EQ(t[2].INI.size(), 1u);
  EXPECT_EQ(t[2].INI[0], longPath.substr(0, 2047));
  EXPECT_EQ(t[t.EntryUp].Execute, longPath.substr(0, 2047));
  EXPECT_EQ(t[t.EntryDown].VCode, 300);
}

TEST_F(ProfileFile, AHostileListCountLoadsAtMost255Paths) {
  std::string text = "[Bind]\r\n";
  for (const char* p : {"Button1", "Left", "Right", "Up", "Down"})
    text += std::string(p) + ".Action=2\r\n" + p + ".INI.Count=99999\r\n";
  WriteFileBytes(dir / "p.ini", text);
  BindingTable t(1);
  LoadProfileFile(t, dir / "p.ini", 0, nullptr);
  for (int e = 1; e <= 1 + kStickEntries; ++e) {
    EXPECT_EQ(t[e].INICount, 255);
    EXPECT_EQ(t[e].INI.size(), 255u);
  }
}

TEST_F(ProfileFile, TheScratchProfileNeverBecomesTheLastProfile) {
  BindingTable t(1);
  SaveProfileFile(t, dir / "first.ini");
  SaveProfileFile(t, dir / "qex.tmp");
  LoadProfileFile(t, dir / "qex.tmp", 0, nullptr);
  EXPECT_EQ(LastProfile(), dir / "first.ini");
  LoadProfileFile(t, dir / "QEX.TMP", 0, nullptr);
  EXPECT_EQ(LastProfile(), dir / "QEX.TMP");
  LoadProfileFile(t, dir / "missing.ini", 0, nullptr);
  EXPECT_EQ(LastProfile(), dir / "missing.ini") << "a missing profile is still recorded";
}

TEST_F(ProfileFile, ARefusedSaveReportsAndKeepsTheOldFile) {
  const std::string target = dir / "locked.ini";
  const std::string before = "[Bind]\r\nButton1.Action=5\r\nButton1.Execute=C:\\keep.exe\r\n";
  WriteFileBytes(target, before);
  // Wine ignores the read-only attribute for root; a handle that denies
  // writing refuses the save as a read-only file would on Windows.
  HANDLE lock = CreateFileA(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  try {
    SaveProfileFile(EveryKind(1), target);
    ADD_FAILURE() << "the save should have been refused";
  } catch (const AppError& e) {
    EXPECT_STREQ(e.what(), ("Unable to write to " + target).c_str());
  }
  CloseHandle(lock);
  EXPECT_EQ(ReadFileBytes(target), before);
  EXPECT_THAT(dir.Files(), ::testing::ElementsAre("locked.ini")) << "no temporary left behind";
  EXPECT_EQ(LastProfile(), "") << "a failed save is not recorded";
}

// Wine run as root ignores the read-only attribute when writing: a write to
// a read-only file and a rename over it both succeed, while DeleteFile still
// refuses a read-only file, and CopyFile gives a new copy the attribute. The
// attribute is set for real here; the refusal must come from the program.
TEST_F(ProfileFile, AReadOnlyProfileIsRefusedAndNothingIsLeftBeside) {
  const std::string target = dir / "ro.ini";
  const std::string before = "[Bind]\r\nButton1.Action=5\r\nButton1.Execute=C:\\keep.exe\r\n";
  WriteFileBytes(target, before);
  ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY);
  for (int attempt = 0; attempt < 3; ++attempt) {
    try {
      SaveProfileFile(EveryKind(1), target);
      ADD_FAILURE() << "the save should have been refused";
    } catch (const AppError& e) {
      EXPECT_STREQ(e.what(), ("Unable to write to " + target).c_str());
    }
  }
  EXPECT_EQ(ReadFileBytes(target), before);
  EXPECT_TRUE(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_THAT(dir.Files(), ::testing::ElementsAre("ro.ini")) << "no temporary left behind";
  EXPECT_EQ(LastProfile(), "");

  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  SaveProfileFile(EveryKind(1), target);
  EXPECT_THAT(dir.Files(), ::testing::UnorderedElementsAre("ro.ini", "Vantrel.set"));
}

// A profile held open by another program without delete sharing: the copy
// and the writes succeed, and only the final replace is refused.
TEST_F(ProfileFile, ARefusedReplaceLeavesOnlyTheProfile) {
  const std::string target = dir / "held.ini";
  const std::string before = "[Bind]\r\nButton1.Action=0\r\n";
  WriteFileBytes(target, before);
  HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_THROW(SaveProfileFile(EveryKind(1), target), AppError);
  CloseHandle(held);
  EXPECT_EQ(ReadFileBytes(target), before);
  EXPECT_THAT(dir.Files(), ::testing::ElementsAre("held.ini"));
}

TEST_F(ProfileFile, ASaveIntoAMissingFolderIsRefused) {
  EXPECT_THROW(SaveProfileFile(EveryKind(1), dir / "no\\such\\p.ini"), AppError);
}

}  // namespace
}  // namespace vantrel

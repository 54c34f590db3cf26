#include "bindings/Binding.h"

#include <gtest/gtest.h>

#include "base/Errors.h"

namespace vantrel {
namespace {

// The buttons, the stick's four directions, then always the sixteen entries
// of the hat and the other axes.
TEST(BindingTable, NumbersButtonsThenTheFourDirections) {
  struct Case {
    int n, up, right, slots;
  };
  for (Case c : {Case{0, 1, 4, 21}, Case{1, 2, 5, 22}, Case{4, 5, 8, 25}, Case{28, 29, 32, 49},
                 Case{32, 33, 36, 53}}) {
    BindingTable t(c.n);
    EXPECT_EQ(t.EntryUp, c.up) << "N=" << c.n;
    EXPECT_EQ(t.EntryDown, c.up + 1);
    EXPECT_EQ(t.EntryLeft, c.up + 2);
    EXPECT_EQ(t.EntryRight, c.right);
    EXPECT_EQ(t.Bindings.size(), static_cast<std::size_t>(c.slots));
  }
}

TEST(BindingTable, MoreThan32ButtonsAreUsedAs32) {
  BindingTable t(200);
  EXPECT_EQ(t.NumOfButtons(), 32);
  EXPECT_EQ(t.EntryRight, 36);
  EXPECT_EQ(t.ExtraEntry(kExtraEntries - 1), 52);
  EXPECT_THROW(t[53], std::out_of_range);
}

TEST(BindingTable, ResizeKeepsTheSlotsThatRemain) {
  BindingTable t(6);
  t[2].Action = ActRun;
  t[26].Action = ActEmulKey;
  t.Resize(4);
  EXPECT_EQ(t[2].Action, ActRun);
  t.Resize(8);
  EXPECT_EQ(t[2].Action, ActRun);
  EXPECT_EQ(t[26].Action, ActNone) << "slots beyond a smaller table start empty again";
}

TEST(BindingTable, DirectionRowsAreStoredUnderCrossedPrefixes) {
  BindingTable t(2);
  EXPECT_EQ(t.Prefix(1), "Button1");
  EXPECT_EQ(t.Prefix(2), "Button2");
  EXPECT_EQ(t.Prefix(t.EntryUp), "Left");
  EXPECT_EQ(t.Prefix(t.EntryDown), "Right");
  EXPECT_EQ(t.Prefix(t.EntryLeft), "Up");
  EXPECT_EQ(t.Prefix(t.EntryRight), "Down");
  EXPECT_EQ(BindingTable(32).Prefix(32), "Button32");
}

TEST(ActToStr, NamesEachKind) {
  BindingTable t(4);
  t[1] = {.VCode = 116, .Shift = 17, .Action = ActEmulKey};
  t[2] = {.VCode = 65, .Action = ActEmulKey};
  t[3] = {.VCode = 903, .Action = ActEmulClick};
  t[4] = {.Execute = "C:\\Games\\game.exe", .Action = ActRun};
  EXPECT_EQ(t.ActToStr(1), "Ctrl+F5");
  EXPECT_EQ(t.ActToStr(2), "A") << "no modifier: no '+' in front";
  EXPECT_EQ(t.ActToStr(3), "Mouse Up");
  EXPECT_EQ(t.ActToStr(4), "game.exe");
  for (std::uint8_t kind : {0, 1, 6, 255}) {
    t[1].Action = kind;
    EXPECT_EQ(t.ActToStr(1), "") << "kind " << int(kind);
  }
}

TEST(ActToStr, ProfileListNamesTheProfileTheFirstPressLoads) {
  BindingTable t(1);
  Binding& b = t[1];
  b.Action = ActChangeIni;
  EXPECT_EQ(t.ActToStr(1), "") << "an empty list names nothing";
  b.INI = {"C:\\P\\alpha.ini"};
  b.INICount = 1;
  EXPECT_EQ(t.ActToStr(1), "alpha.ini");
  b.INI = {"C:\\P\\alpha.ini", "C:\\P\\beta.ini", "C:\\P\\gamma.ini"};
  b.INICount = 3;
  EXPECT_EQ(t.ActToStr(1), "beta.ini");
}

TEST(ClearFields, EmptiesTheDataButKeepsKind) {
  BindingTable t(1);
  t[1] = {.INI = {"a"},
          .INICount = 1,
          .Execute = "x",
          .VCode = 65,
          .Shift = 17,
          .Turbo = true,
          .Action = ActEmulKey};
  t.ClearFields(1);
  EXPECT_EQ(t[1], (Binding{.Action = ActEmulKey}));
  EXPECT_EQ(t.ActToStr(1), "");
}

TEST(FileNamePart, SplitsAtTheLastBackslashBeforeTheExtension) {
  EXPECT_EQ(FileNamePart("C:\\Games\\fly.ini", "filename"), "fly.ini");
  EXPECT_EQ(FileNamePart("C:\\Games\\fly.ini", "path"), "C:\\Games\\");
  EXPECT_EQ(FileNamePart("C:\\x.ini", "path"), "C:\\");
  // The last four characters are never searched.
  EXPECT_EQ(FileNamePart("ab\\cde", "filename"), "ab\\cde");
  EXPECT_EQ(FileNamePart("ab\\cde", "path"), "");
  EXPECT_EQ(FileNamePart("abcde\\", "filename"), "abcde\\");
  EXPECT_EQ(FileNamePart("a\\bcd", "filename"), "a\\bcd");
  EXPECT_EQ(FileNamePart("\\abcd", "filename"), "abcd");
}

TEST(FileNamePart, ShortOrBackslashFreeTexts) {
  for (const char* text : {"", "a", "\\", "ab\\c", "filename"}) {
    EXPECT_EQ(FileNamePart(text, "filename"), text);
    EXPECT_EQ(FileNamePart(text, "path"), "");
  }
}

TEST(ErrorText, GetsAFullStopAfterALetterOrDigit) {
  EXPECT_EQ(WithFullStop("Unable to write to C:\\a.ini"), "Unable to write to C:\\a.ini.");
  EXPECT_EQ(WithFullStop("Failed 2"), "Failed 2.");
  EXPECT_EQ(WithFullStop("Done."), "Done.");
  EXPECT_EQ(WithFullStop("Why?"), "Why?.") << "'?' sorts after '.'";
  EXPECT_EQ(WithFullStop("a-"), "a-");
  EXPECT_EQ(WithFullStop(""), "");
}

}  // namespace
}  // namespace vantrel

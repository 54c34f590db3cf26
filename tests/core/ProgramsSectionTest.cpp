#include "config/ProgramsSection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/IniFile.h"

namespace vantrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Each fault a name can have, at the start, in the middle and at the end,
// beside the names that are fine however odd they look.
TEST(ProgramName, RefusedOnlyWhereAnIniKeyCannotHoldIt) {
  struct Case {
    const char* name;
    NameFault fault;
  };
  for (const Case& c : {Case{"game.exe", NameFault::None},
                        {"My Game (x64).exe", NameFault::None},
                        {"x[1];y].exe", NameFault::None},
                        {"\xC8\xE3\xF0\xE0.exe", NameFault::None},
                        {"[game].exe", NameFault::Opening},
                        {";game.exe", NameFault::Opening},
                        {"=game.exe", NameFault::Equals},
                        {"a=b.exe", NameFault::Equals},
                        {"game.exe=", NameFault::Equals},
                        {"\tgame.exe", NameFault::Control},
                        {"ga\nme.exe", NameFault::Control},
                        {"game.exe\r", NameFault::Control},
                        {"game\x7F.exe", NameFault::Control},
                        {"[a\x01", NameFault::Control},
                        {" game.exe", NameFault::Blank},
                        {"game.exe ", NameFault::Blank}}) {
    EXPECT_EQ(ProgramNameFault(c.name), c.fault) << c.name;
  }
  EXPECT_EQ(ProgramNameFault(std::string("a\0b.exe", 7)), NameFault::Control);
}

TEST(ProgramsSection, TheListEndsAtItsDoubleZeroOrItsEnd) {
  using namespace std::string_view_literals;
  EXPECT_THAT(SplitStringList(""sv), IsEmpty());
  EXPECT_THAT(SplitStringList("\0"sv), IsEmpty());
  EXPECT_THAT(SplitStringList("a.exe=off\0B.EXE=off\0\0"sv), ElementsAre("a.exe=off", "B.EXE=off"));
  EXPECT_THAT(SplitStringList("a\0b\0\0c\0"sv), ElementsAre("a", "b"));
  EXPECT_THAT(SplitStringList("a\0b"sv), ElementsAre("a", "b"));
}

// Read as a read of each key would give them: split at the first "=",
// without the blanks around either side, the profile out of its quotes and
// cut at the longest INI text.
TEST(ProgramsSection, EachLineReadsAsItsKeyWould) {
  using namespace std::string_literals;
  const std::string tooLong(3000, 'p');
  struct Case {
    std::string line;
    std::vector<ProgramRule> rules;
  };
  const Case cases[] = {
      {"game.exe=C:\\P\\game.ini", {{"game.exe", "C:\\P\\game.ini"}}},
      {"game.exe=off", {{"game.exe", "off"}}},
      {"c.exe=D:\\x=y.ini", {{"c.exe", "D:\\x=y.ini"}}},
      {"q.exe=\"C:\\a b.ini\"", {{"q.exe", "C:\\a b.ini"}}},
      {"q.exe='off'", {{"q.exe", "off"}}},
      {"q.exe=\"off'", {{"q.exe", "\"off'"}}},
      {"q.exe=\"", {{"q.exe", "\""}}},
      {"long.exe=" + tooLong, {{"long.exe", tooLong.substr(0, kMaxIniText)}}},
      {" spaced.exe \t= C:\\P\\s.ini ", {{"spaced.exe", "C:\\P\\s.ini"}}},
      {"empty.exe=", {}},
      {"blank.exe=  ", {}},
      {"quoted.exe=\"\"", {}},
      {"novalue.exe", {}},
      {";note.exe=off", {}},
      {"=off", {}},
      {" =off", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(RulesOfSection(c.line + '\0'), c.rules) << c.line;
}

// What is written as one section reads back, rule for rule, in order.
TEST(ProgramsSection, RulesWrittenAsOneSectionReadBackInOrder) {
  const std::vector<ProgramRule> rules{{"b.exe", "off"},
                                       {"A Game.exe", "C:\\P\\a game.ini"},
                                       {"c.exe", "D:\\x=y.ini"},
                                       {"B.EXE", "C:\\P\\b.ini"}};
  using namespace std::string_literals;
  const std::string text = ProgramsSectionText(rules);
  EXPECT_EQ(text,
            "b.exe=off\0A Game.exe=C:\\P\\a game.ini\0c.exe=D:\\x=y.ini\0B.EXE=C:\\P\\b.ini\0"s);
  EXPECT_EQ(RulesOfSection(text), rules);
  EXPECT_EQ(ProgramsSectionText({}), "");
  EXPECT_THAT(RulesOfSection(""), IsEmpty());
}

}  // namespace
}  // namespace vantrel

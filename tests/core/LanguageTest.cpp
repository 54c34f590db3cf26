// The table of language keys, the texts read from a pack, and the Russian
// pack the program ships.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>

#include "core/MemoryIni.h"
#include "lang/LanguageTexts.h"

namespace vantrel {
namespace {

using Key = std::pair<std::string, std::string>;

std::set<Key> TableKeys() {
  std::set<Key> keys;
  for (const LanguageKey& k : kLanguageKeys) keys.insert({k.section, k.key});
  return keys;
}

// The section and key of every "key=value" line of an INI text; comments
// and blank lines are skipped.
std::multiset<Key> KeysOfIni(const std::string& text) {
  std::multiset<Key> keys;
  std::string section;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[')
      section = line.substr(1, line.find(']') - 1);
    else
      keys.insert({section, line.substr(0, line.find('='))});
  }
  return keys;
}

TEST(LanguageKeys, EachKeyOnce) { EXPECT_EQ(TableKeys().size(), kLanguageKeys.size()); }

TEST(RussianPack, HoldsEveryKeyTheProgramReadsAndNoOther) {
  std::ifstream file(VANTREL_RUSSIAN_PACK, std::ios::binary);
  ASSERT_TRUE(file) << VANTREL_RUSSIAN_PACK;
  const std::string text{std::istreambuf_iterator<char>(file), {}};
  const std::multiset<Key> inPack = KeysOfIni(text);
  for (const Key& k : TableKeys())
    EXPECT_EQ(inPack.count(k), 1u) << "[" << k.first << "] " << k.second;
  const std::set<Key> table = TableKeys();
  for (const Key& k : inPack)
    EXPECT_TRUE(table.contains(k)) << "not read by the program: [" << k.first << "] " << k.second;
  EXPECT_NE(text.find("FontCharset=204\r\n"), std::string::npos)
      << "Cyrillic, with Windows line ends";
}

TEST(LanguageTexts, WithoutAPackEveryKeyIsItsBuiltInText) {
  test::MemoryIni none;
  const LanguageTexts read(none);
  const LanguageTexts builtIn;
  for (const LanguageKey& k : kLanguageKeys) {
    EXPECT_EQ(read.Text(k.section, k.key), k.builtIn) << k.section << " " << k.key;
    EXPECT_EQ(builtIn.Text(k.section, k.key), k.builtIn) << k.section << " " << k.key;
  }
  EXPECT_EQ(read.Kept().FontName, "Arial");
  EXPECT_EQ(read.Kept().FontCharset, 1);
  EXPECT_EQ(read.Text("OptionsWindow", "NoSuchKey"), "");
}

// Keys of the same name in two sections are two texts; an empty value is
// an empty text; a missing section leaves its keys built in.
TEST(LanguageTexts, APackReplacesKeyByKeyAndSectionBySection) {
  auto ini = test::MemoryIni::FromText(
      "[MainWindow]\r\nButtons=Tasten\r\nHelp=\r\nUp=Hoch\r\n[OptionsWindow]\r\nButtons=Knoepfe:"
      "\r\n"
      "[Common]\r\nMouse=Maus\r\nFontCharset=0xCC\r\n");
  const LanguageTexts t(ini);
  struct Case {
    const char* section;
    const char* key;
    const char* text;
  };
  for (const Case& c : {Case{"MainWindow", "Buttons", "Tasten"},
                        {"OptionsWindow", "Buttons", "Knoepfe:"},
                        {"MainWindow", "Help", ""},
                        {"HelpWindow", "Caption", "Help"},
                        {"ChangeSettingsWindow", "Up", "Up"},
                        {"ActionWindow", "Caption", "Action"}})
    EXPECT_EQ(t.Text(c.section, c.key), c.text) << c.section << " " << c.key;
  EXPECT_EQ(t.Kept().Mouse, "Maus");
  EXPECT_EQ(t.Kept().Up, "Hoch");
  EXPECT_EQ(t.Kept().FontCharset, 204);
  EXPECT_EQ(t.Kept().Arrow, "Arrow");
}

}  // namespace
}  // namespace vantrel

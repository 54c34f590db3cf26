#include "base/IniFile.h"

#include <gtest/gtest.h>

#include "config/Paths.h"
#include "core/MemoryIni.h"

namespace vantrel {
namespace {

TEST(IniInteger, DecimalAndHexadecimal) {
  EXPECT_EQ(ParseIniInteger("12"), 12);
  EXPECT_EQ(ParseIniInteger("-3"), -3);
  EXPECT_EQ(ParseIniInteger("+7"), 7);
  EXPECT_EQ(ParseIniInteger("0x1F"), 31);
  EXPECT_EQ(ParseIniInteger("0XcC"), 204);
  EXPECT_EQ(ParseIniInteger("0xFFFFFFFF"), -1);
  EXPECT_EQ(ParseIniInteger("2147483647"), 2147483647);
}

TEST(IniInteger, AnythingElseIsNoInteger) {
  for (const char* text : {"", "0x", "x12", "12x", "1.5", "0x1G", "0x100000000", "2147483648",
                           "99999999999999999999", "-", "0x-1", "--1"})
    EXPECT_FALSE(ParseIniInteger(text).has_value()) << text;
}

TEST(IniInteger, ReadsFallBackToTheirDefault) {
  test::MemoryIni ini;
  ini.WriteString("S", "bad", "abc");
  ini.WriteString("S", "flag", "2");
  EXPECT_EQ(ReadInteger(ini, "S", "missing", 50), 50);
  EXPECT_EQ(ReadInteger(ini, "S", "bad", 50), 50);
  EXPECT_TRUE(ReadBool(ini, "S", "flag", false));
  EXPECT_FALSE(ReadBool(ini, "S", "bad", false));
}

TEST(Paths, SettingsAndScratchFilesLieBesideTheExecutable) {
  EXPECT_EQ(SettingsPathFor("D:\\Tools\\mapper.exe"), "D:\\Tools\\mapper.set");
  EXPECT_EQ(SettingsPathFor("D:\\Tools\\mapper"), "D:\\Tools\\mapper.set");
  EXPECT_EQ(SettingsPathFor("D:\\To.ols\\mapper"), "D:\\To.ols\\mapper.set");
  EXPECT_EQ(ScratchProfilePathFor("D:\\Tools\\mapper.exe"), "D:\\Tools\\qex.tmp");
}

}  // namespace
}  // namespace vantrel

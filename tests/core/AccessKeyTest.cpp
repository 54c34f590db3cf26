#include "ui/AccessKey.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(AccessKey, MarksTheFirstLetterOfAnyCaptionOnce) {
  const struct {
    const char* caption;
    const char* shown;
  } cases[] = {
      {"Open\tCtrl+O", "&Open\tCtrl+O"},
      {"About...", "&About..."},
      {"...More", "...&More"},
      {"E&xit", "E&xit"},                         // the caption chose its own
      {"\xD4\xE0\xE9\xEB", "&\xD4\xE0\xE9\xEB"},  // a Cyrillic word in its code page
      {"", ""},
      {"--\tCtrl+Q", "--\tCtrl+Q"},  // nothing to mark before the shortcut
  };
  for (const auto& c : cases) EXPECT_EQ(WithAccessKey(c.caption), c.shown) << c.caption;
}

}  // namespace
}  // namespace vantrel

#include "bindings/KeyName.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(KeyName, TableAndItsEdges) {
  const KeptTexts english;
  EXPECT_EQ(KeyName(0, english), "");
  EXPECT_EQ(KeyName(65, english), "A");
  EXPECT_EQ(KeyName(49, english), "1");
  EXPECT_EQ(KeyName(8, english), "BackSpace");
  EXPECT_EQ(KeyName(96, english), "Numpad 0");
  EXPECT_EQ(KeyName(105, english), "Numpad 9");
  EXPECT_EQ(KeyName(112, english), "F1");
  EXPECT_EQ(KeyName(123, english), "F12");
  EXPECT_EQ(KeyName(124, english), "|") << "F13 is not in the table: its low byte";
  EXPECT_EQ(KeyName(111, english), "/");
  EXPECT_EQ(KeyName(191, english), "/");
  EXPECT_EQ(KeyName(220, english), "Right \\");
  EXPECT_EQ(KeyName(222, english), "\"");
  EXPECT_EQ(KeyName(226, english), "Left \\");
  EXPECT_EQ(KeyName(300, english), "MouseLButton");
  EXPECT_EQ(KeyName(301, english), "MouseRButton");
  EXPECT_EQ(KeyName(321, english), "A") << "codes outside the table keep their low byte";
  EXPECT_EQ(KeyName(905, english), "Wheel Forward");
  EXPECT_EQ(KeyName(907, english), "Wheel Click");
}

TEST(KeyName, ArrowsAndPointerMovesFollowTheLanguage) {
  KeptTexts texts;
  EXPECT_EQ(KeyName(37, texts), "Arrow Left");
  EXPECT_EQ(KeyName(40, texts), "Arrow Down");
  EXPECT_EQ(KeyName(903, texts), "Mouse Up");
  EXPECT_EQ(KeyName(902, texts), "Mouse Right");
  texts.Mouse = "Maus";
  texts.Arrow = "Pfeil";
  texts.Left = "Links";
  EXPECT_EQ(KeyName(37, texts), "Pfeil Links");
  EXPECT_EQ(KeyName(901, texts), "Maus Links");
  EXPECT_EQ(KeyName(904, texts), "Maus Down");
}

}  // namespace
}  // namespace vantrel

#include "app/InstanceName.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(InstanceName, OneNamePerSettingsFileWhateverTheCase) {
  const std::string name = InstanceName("C:\\Games\\Vantrel\\Vantrel.set");
  EXPECT_EQ(name.rfind("Vantrel-", 0), 0u);
  EXPECT_EQ(name.find('\\'), std::string::npos) << "kernel object names take no backslash";
  EXPECT_EQ(InstanceName("c:\\games\\VANTREL\\vantrel.SET"), name);
  EXPECT_EQ(InstanceName("C:/Games/Vantrel/Vantrel.set"), name);
  EXPECT_NE(InstanceName("C:\\Games\\Other\\Vantrel.set"), name);
  EXPECT_NE(InstanceName("C:\\Games\\Vantrel\\Vantrel2.set"), name);
}

}  // namespace
}  // namespace vantrel

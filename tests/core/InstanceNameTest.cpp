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

// A folder's final path reads as its ordinary path does, so a copy whose
// folder the file system could not name agrees with one whose it could.
TEST(InstanceName, AFoldersFinalPathReadsAsItsOrdinaryOne) {
  struct Case {
    const char* folder;
    const char* path;
  };
  for (const Case& c :
       {Case{"\\\\?\\C:\\Games\\Vantrel", "C:\\Games\\Vantrel\\Vantrel.set"},
        {"C:\\Games\\Vantrel\\", "C:\\Games\\Vantrel\\Vantrel.set"},
        {"\\\\?\\C:\\", "C:\\Vantrel.set"},
        {"\\\\?\\UNC\\server\\share\\Tools", "\\\\server\\share\\Tools\\Vantrel.set"},
        {"\\\\server\\share\\Tools", "\\\\server\\share\\Tools\\Vantrel.set"},
        {"C:/Games/", "C:/Games/Vantrel.set"},
        {"", "Vantrel.set"}}) {
    EXPECT_EQ(PathInFolder(c.folder, "Vantrel.set"), c.path) << c.folder;
  }
}

}  // namespace
}  // namespace vantrel

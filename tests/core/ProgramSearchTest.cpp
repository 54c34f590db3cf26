#include "actions/ProgramSearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel {
namespace {

struct SearchCase {
  const char* path;  // the PATH variable
  std::vector<std::string> candidates;
};

// The system and Windows folders come first, then PATH's full folders in
// their order; nothing that would be taken from where the program stands.
TEST(ProgramSearch, BareNamesAreLookedForInTheSystemsFoldersOnly) {
  const std::string sys = "C:\\Windows\\system32\\notepad.exe";
  const std::string win = "C:\\Windows\\notepad.exe";
  const SearchCase cases[] = {
      {"", {sys, win}},
      {"D:\\Tools;E:\\Bin\\", {sys, win, "D:\\Tools\\notepad.exe", "E:\\Bin\\notepad.exe"}},
      {"d:/tools/;\\\\server\\share\\bin",
       {sys, win, "d:/tools/notepad.exe", "\\\\server\\share\\bin\\notepad.exe"}},
      // The current folder, under every spelling, and folders relative to it
      // or to the current drive.
      {".;;.\\;..\\up;bin;C:tools;\\tools;/tools;\\\\;D:", {sys, win}},
      {";D:\\Tools;", {sys, win, "D:\\Tools\\notepad.exe"}},
      // A quoted folder may hold the separator; its quotes are no part of it.
      {"\"D:\\My;Tools\";\"E:\\Bin\"",
       {sys, win, "D:\\My;Tools\\notepad.exe", "E:\\Bin\\notepad.exe"}},
      {"\".\";\"bin\"", {sys, win}},
  };
  for (const SearchCase& c : cases)
    EXPECT_EQ(ProgramCandidates("notepad.exe", "C:\\Windows\\system32", "C:\\Windows\\", c.path),
              c.candidates)
        << c.path;
}

// A folder the system could not give (an empty one) is skipped, not taken
// for the current folder.
TEST(ProgramSearch, AMissingSystemFolderIsSkipped) {
  EXPECT_EQ(ProgramCandidates("tool.exe", "", "", "D:\\Tools"),
            (std::vector<std::string>{"D:\\Tools\\tool.exe"}));
  EXPECT_TRUE(ProgramCandidates("tool.exe", "", "", "").empty());
}

}  // namespace
}  // namespace vantrel

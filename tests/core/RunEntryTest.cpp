#include "actions/RunEntry.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vantrel {
namespace {

// The files that exist; "notepad.exe" is found where the system looks for
// programs, as a bare name is.
std::optional<std::string> Resolve(const std::string& candidate) {
  static const std::set<std::string> kFiles{
      "C:\\Games\\My.exe",           "C:\\Program",          "C:\\Program Files\\Tool\\tool.exe",
      "C:\\Tools\\app.exe",          "C:\\Tools\\run.bat",   "C:\\Tools\\SETUP.EXE", "C:\\My Tools\\Run Marker.exe",
      "C:\\My Tools\\Run.exe"};
  if (candidate == "notepad.exe") return "C:\\Windows\\notepad.exe";
  if (kFiles.contains(candidate)) return candidate;
  return std::nullopt;
}

struct RunCase {
  const char* entry;
  const char* program;  // nullptr: nothing starts
  const char* arguments;
};

const RunCase kRunCases[] = {
    // The whole entry names the file: blanks and all, no arguments.
    {"C:\\My Tools\\Run Marker.exe", "C:\\My Tools\\Run Marker.exe", ""},
    {"  C:\\Tools\\app.exe  ", "C:\\Tools\\app.exe", ""},
    // Missing, it is never cut at a blank, nor given an extension.
    {"C:\\Games\\My Game\\game.exe", nullptr, ""},
    {"C:\\Program Files\\Missing\\game.exe", nullptr, ""},
    {"C:\\My Tools\\Run Marker2.exe", nullptr, ""},
    // A quoted program part, with what follows as its arguments.
    {"\"C:\\Program Files\\Tool\\tool.exe\" -x  \"a b\"", "C:\\Program Files\\Tool\\tool.exe",
     "-x  \"a b\""},
    {"\"C:\\Program Files\\Missing.exe\" -x", nullptr, ""},
    {"\"C:\\Tools\\app.exe", nullptr, ""},  // the quote never closes
    // Unquoted: the program ends at a blank after an executable's extension.
    {"C:\\Tools\\app.exe -fullscreen", "C:\\Tools\\app.exe", "-fullscreen"},
    {"C:\\Tools\\SETUP.EXE /q", "C:\\Tools\\SETUP.EXE", "/q"},
    {"C:\\Tools\\run.bat one two", "C:\\Tools\\run.bat", "one two"},
    {"C:\\Program Files\\Tool\\tool.exe /s", "C:\\Program Files\\Tool\\tool.exe", "/s"},
    {"notepad.exe C:\\a.txt", "C:\\Windows\\notepad.exe", "C:\\a.txt"},
    {"C:\\Program Files\\x", nullptr, ""},  // "C:\Program" has no executable's extension
    {"", nullptr, ""},
};

TEST(RunEntry, StartsTheProgramItNamesOrNothing) {
  for (const RunCase& c : kRunCases) {
    const std::optional<RunCommand> command = ParseRunEntry(c.entry, Resolve);
    if (!c.program) {
      EXPECT_FALSE(command) << c.entry << " started " << command->program;
      continue;
    }
    ASSERT_TRUE(command) << c.entry;
    EXPECT_EQ(command->program, c.program) << c.entry;
    EXPECT_EQ(command->arguments, c.arguments) << c.entry;
  }
}

TEST(RunEntry, AProgramPathTooLongToNameAFileStartsNothing) {
  const std::string folder = "C:\\" + std::string(300, 'd') + "\\";
  auto anything = [](const std::string& candidate) -> std::optional<std::string> {
    return candidate;
  };
  EXPECT_FALSE(ParseRunEntry(folder + "app.exe", anything));
  EXPECT_FALSE(ParseRunEntry("\"" + folder + "app.exe\" -x", anything));
  EXPECT_TRUE(ParseRunEntry("C:\\app.exe " + std::string(300, 'a'), anything))
      << "long arguments are no long path";
}

}  // namespace
}  // namespace vantrel
